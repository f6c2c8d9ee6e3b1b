// The window's keys on a path: Right and Left step to the next and previous step, Home and End
// go to the first and the last, Space plays the path and pauses it (about 10 steps a second,
// back and forth), h lists the keys. Every step shown writes one console line (the caller's
// description of it: "Step 12 of 40: -232.123456789 Eh, +3.21 kcal/mol") and gives the window
// the title "Molvane - " and that line.
//
// A step changes the atoms only: the view volume and the trackball's turn stay, so the picture
// neither jumps nor zooms; the depth bounds make room for atoms that move away from where they
// were at the start.
#pragma once

namespace render {

// How the window gets its steps: `load` puts step i (0-based) into the renderer's atoms (run
// blocks, motion zero); `describe` writes its line.
struct StepSource {
    int count = 0;
    void (*load)(int step) = nullptr;
    void (*describe)(int step, char* text, int capacity) = nullptr;
};

// Binds the keys for a path whose step `first` (0-based) the blocks hold now.
void bindStepKeys(const StepSource& source, int first);

// What the keys do, callable without a window.
void showStep(int step); // 0-based, kept within the path; nothing when it is the one shown
void stepBy(int delta);  // +1 the next, -1 the previous
void switchPlaying();    // Space
void listStepKeys();     // h
int shownStep();
bool playing();

// The idle callback of a path: while playing, the next step every 0.1 s (turning back at either
// end), then drawFrame.
void drawPathFrame();

} // namespace render

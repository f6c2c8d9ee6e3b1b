// The recorder: frames in, a looping animated GIF out. It knows pixels only: frames are RGB
// images of one size, bottom row first as OpenGL reads them back.
#pragma once

#include <cstddef>

namespace gif {

constexpr int frameDelay = 2; // centiseconds each frame is shown

// Frames kept in memory until the animation is written (the colour table is chosen over all
// of them).
struct Recording {
    int width, height;
    int capacity, count;   // frames
    unsigned char* pixels; // capacity frames of width * height * 3 bytes
};

// Makes room for `frames` frames of width x height; false when memory runs out.
bool beginRecording(Recording& recording, int width, int height, int frames);
// Storage for the next frame, counted as recorded; nullptr when the recording is full.
unsigned char* nextFrame(Recording& recording);
void endRecording(Recording& recording); // frees the frames

// Writes the recorded frames to `path`: one global colour table, each frame shown for
// frameDelay, looping forever; every frame after the first holds only the rectangle that
// changed, with unchanged pixels inside it transparent. The file is written under a temporary
// name in the same directory and renamed at the end, so a failure leaves no file. False with
// the reason (one line, no file name) in `why`.
bool writeAnimation(const Recording& recording, const char* path, char* why,
                    std::size_t whyCapacity);

// Whether a file or directory of that name exists.
bool pathExists(const char* path);

} // namespace gif

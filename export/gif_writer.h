// The recorder: frames in, a looping animated GIF out. It knows pixels only: frames are RGB
// images of one size, bottom row first as OpenGL reads them back.
#pragma once

#include <cstddef>
#include <string>

#include "export/gif_colours.h"

namespace gif {

constexpr int frameDelay = 2; // centiseconds each frame is shown

struct Rect {
    int left, top, width, height; // top counted from the picture's top row; width 0: empty
};

// Frames are taken one at a time into buffers of one frame; what is kept until the animation
// is written (the colour table is chosen over all of them) is, for each frame, only the
// rectangle that changed since the frame before, and the colour counts over all frames. A
// frame taken is kept when the next one is asked for, so that its keeping can overlap the
// drawing of the next.
struct Recording {
    int width, height;
    int capacity, count;     // frames taken (kept, or waiting to be)
    bool waiting;            // the last frame taken is still to be kept
    bool outOfMemory;        // a frame could not be kept: the recording cannot be written
    unsigned char* frame;    // width * height * 3 bytes each: the frame being taken,
    unsigned char* taken;    // the one waiting to be kept,
    unsigned char* previous; // and the one kept last
    Rect* rects;             // per kept frame the rectangle that changed (frame 0: all of it)
    unsigned char* changes;  // the rectangles' pixels one after another, top row first
    std::size_t changesSize, changesCapacity; // bytes
    Histogram colours;                        // pixels of each colour over the kept frames
};

// Makes room for `frames` frames of width x height; false when memory runs out.
bool beginRecording(Recording& recording, int width, int height, int frames);
// Keeps the frame waiting, if any, and gives the buffer the next frame is put into; nullptr
// when the recording is full or failed.
unsigned char* nextFrame(Recording& recording);
// Counts the frame put into nextFrame's buffer as taken; it is kept on the next call of
// nextFrame or keepFrames.
void frameTaken(Recording& recording);
// Keeps the frame waiting, if any. False when memory runs out for it or an earlier frame (the
// recording is then marked failed and writing it reports so).
bool keepFrames(Recording& recording);
void endRecording(Recording& recording); // frees everything

// Writes the frames taken to `path`, replacing a file of that name: one global colour table,
// each frame shown for frameDelay, looping forever; every frame after the first holds only the
// rectangle that changed, with unchanged pixels inside it transparent. The file is written
// under a temporary name in the same directory and renamed at the end, so a failure leaves no
// file. False with the reason (one line, no file name; static text, as textio.h has reasons)
// in `why`.
bool writeAnimation(Recording& recording, const char* path, const char*& why);

// The same under a new name: `stem`.gif, or the first of `stem`-2.gif, -3, ... that is free
// at the moment the file is put in place (a file that appears meanwhile is never replaced).
// The name used is left in `name` (on failure, the name last tried).
bool writeNewAnimation(Recording& recording, const std::string& stem, std::string& name,
                       const char*& why);

} // namespace gif

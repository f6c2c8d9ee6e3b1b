// The console dialogue: settings file, banner, licence, mode and amplitude questions,
// reading of the output file and the displaced-geometry export.
#pragma once

#include <string_view>

#include "reader/run_data.h"

namespace driver {

// What the command line answers before the dialogue asks (molvane --mode N --amplitude A FILE).
struct Answers {
    const char* file = nullptr; // read instead of the file filename.dat names, which is then
                                // neither read nor created
    int mode = 0;               // from 1: no question is asked, the licence's neither
    float amplitude = 0.0f;     // greater than 0: the amplitude question is not asked
};

// Runs the whole dialogue and fills the renderer's four blocks. Returns only when the
// dialogue succeeded; its orderly early ends and its failures end the process.
//
// With answers, what they answer is not asked, and lines that would be wrong are left out
// (the licence offer when nothing is asked, the notes on filename.dat when FILE is given);
// every other line stays. Before anything is written, a FILE that cannot be read ends the run
// with status 1, and so does the file filename.dat names when a mode is given; a mode the
// file does not have ends it with status 2 (one line on standard error each).
void runDialogue(int& atomCount, reader::AtomTable& atomTable, reader::AtomTable& motionTable,
                 reader::ViewVolume& viewVolume, const Answers& answers = {});

// The name of the output file the dialogue read, as the file layer opened it.
std::string_view dialogueFileName();

} // namespace driver

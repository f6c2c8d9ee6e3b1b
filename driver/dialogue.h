// The console dialogue: settings file, banner, licence, mode and amplitude questions,
// reading of the output file and the displaced-geometry export.
#pragma once

#include <string_view>

#include "reader/run_data.h"
#include "reader/vibrations.h"

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
// every other line stays. The file's format is told from its content and the file read
// through the reader's one face (vibrations.h: countModes, readMolecule, readChosenMode): the
// mode is checked against 3N-6 for Gaussian output and xtb's g98.out, against the vibrations
// the file lists for every other format.
// Before anything is written, a FILE that cannot be read ends the run
// with status 1, and so does the file filename.dat names when a mode is given; a mode the
// file does not have ends it with status 2 (one line on standard error each).
void runDialogue(int& atomCount, reader::AtomTable& atomTable, reader::AtomTable& motionTable,
                 reader::ViewVolume& viewVolume, const Answers& answers = {});

// The output file "filename.dat" names, as the dialogue reads it (columns 10 to 79 of its first
// line, into inputFileName, without surrounding blanks), but without creating filename.dat:
// "Output.dat" when there is none. A settings file that cannot be read ends the run (*ERR*).
std::string_view namedOutputFile();

// The name of the output file the dialogue read, as the file layer opened it, and its format.
std::string_view dialogueFileName();
reader::Format dialogueFormat();

} // namespace driver

// The console dialogue: settings file, banner, licence, mode and amplitude questions,
// reading of the output file and the displaced-geometry export.
#pragma once

#include "reader/run_data.h"

#include <string_view>

namespace driver {

// The output file "filename.dat" names, as the dialogue reads it (columns 10 to 79 of its first
// line, into inputFileName, without surrounding blanks), but without creating filename.dat:
// "Output.dat" when there is none. A settings file that cannot be read ends the run (*ERR*).
std::string_view namedOutputFile();

// Runs the whole dialogue and fills the renderer's four blocks. Returns only when the
// dialogue succeeded; its orderly early ends and its failures end the process.
void runDialogue(int& atomCount, reader::AtomTable& atomTable, reader::AtomTable& motionTable,
                 reader::ViewVolume& viewVolume);

} // namespace driver

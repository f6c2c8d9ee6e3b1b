// molvane --list: the vibrations of an output file, one console line each, or as a CSV or
// JSON table.
#pragma once

#include "driver/command_line.h"

namespace driver {

// Reads the vibrations of inputFile (nullptr: the file filename.dat names, which is not
// created) and writes one line per vibration: its number, its frequency in cm**-1 (and that
// frequency times `scale` beside it when scale is not 1), its IR intensity in km/mol where
// the file holds intensities, and "imaginary" where the frequency is negative. As CSV (a
// header line naming the units first, unless noHeader) or JSON, the Raman activities where
// the file holds them join. Returns the exit status: 0, or 1 after one line on standard
// error when the file cannot be read. A file that is not an output Molvane reads ends the
// run (*ERR*).
int listModes(const char* inputFile, double scale = 1, ListFormat format = ListFormat::text,
              bool noHeader = false);

} // namespace driver

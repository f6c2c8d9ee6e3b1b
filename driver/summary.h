// molvane --summary FILE...: one CSV row per output file, for screening many jobs at once.
#pragma once

namespace driver {

// Reads each file's vibrations in turn and writes one CSV row for it on console output, in one
// write: the file, its format, atoms, vibrations, how many are imaginary, the lowest frequency
// (the most negative where some are imaginary) and, where the file could not be read, the
// diagnostic that --list would have ended with (the other fields left empty where unknown).
// A header line first unless noHeader. A file that cannot be read does not end the run: the
// next one is read. Returns 0 when every file was read, 1 otherwise.
int summarise(const char* const* files, int count, bool noHeader);

} // namespace driver

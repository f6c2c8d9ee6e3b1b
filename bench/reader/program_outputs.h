// Large outputs of other programs for the reader benchmark, each of at least `megabytes`
// (about that much: a whole frequency section is written), written by the layouts of the
// reader's tests.
#pragma once

#include <string>

namespace bench {

// A Turbomole control file whose groups stand in it: 860 atoms, all 3N modes.
void writeTurbomoleControl(const std::string& path, long megabytes);
// Turbomole's aoforce output: as many atoms as the size holds (833 at 100 MB; 1000 at most), all
// 3N modes in blocks of six.
void writeAoforce(const std::string& path, long megabytes);
// A Molpro output with frequency sections of 300 atoms until the size is reached (the last one
// is read).
void writeMolpro(const std::string& path, long megabytes);

} // namespace bench

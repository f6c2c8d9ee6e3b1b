// The entry point of each format's reader, called by vibrations.cpp. Each reads the file (in
// one pass where the format allows) and fills `result` from the last complete frequency
// section: the atoms and geometry that section belongs to, and every entry it lists in file
// order (translations and rotations included, when the file lists them). When `mode` lies in
// 1..M, M the count selectVibrations gives for that list, it also fills modeVector with the
// vector of listed entry kept[mode - 1]: atomic numbers and dx, dy, dz at any scale (the
// caller rescales it to unit length; xtb's reader undoes the mass weighting itself). A mode
// outside 1..M leaves modeVector untouched. A damaged file ends the run (format_support.h).
#pragma once

#include "reader/format_support.h"

namespace reader {

void readOrcaOutput(std::string_view fileName, int mode, scan::FormatResult& result,
                    AtomTable& modeVector);
void readOrcaHessian(std::string_view fileName, int mode, scan::FormatResult& result,
                     AtomTable& modeVector);
void readMolden(std::string_view fileName, int mode, scan::FormatResult& result,
                AtomTable& modeVector);
void readFchk(std::string_view fileName, int mode, scan::FormatResult& result,
              AtomTable& modeVector);
void readQchem(std::string_view fileName, int mode, scan::FormatResult& result,
               AtomTable& modeVector);
void readPsi4(std::string_view fileName, int mode, scan::FormatResult& result,
              AtomTable& modeVector);
void readNwchem(std::string_view fileName, int mode, scan::FormatResult& result,
                AtomTable& modeVector);
void readGamess(std::string_view fileName, int mode, scan::FormatResult& result,
                AtomTable& modeVector);
void readTurbomole(std::string_view fileName, int mode, scan::FormatResult& result,
                   AtomTable& modeVector);
void readAoforce(std::string_view fileName, int mode, scan::FormatResult& result,
                 AtomTable& modeVector);
void readMolpro(std::string_view fileName, int mode, scan::FormatResult& result,
                AtomTable& modeVector);
void readDalton(std::string_view fileName, int mode, scan::FormatResult& result,
                AtomTable& modeVector);
void readMopac(std::string_view fileName, int mode, scan::FormatResult& result,
               AtomTable& modeVector);
void readAdf(std::string_view fileName, int mode, scan::FormatResult& result,
             AtomTable& modeVector);
void readCfour(std::string_view fileName, int mode, scan::FormatResult& result,
               AtomTable& modeVector);

} // namespace reader

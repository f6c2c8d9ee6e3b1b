// Large outputs of DALTON, MOPAC, ADF and CFOUR for the reader benchmark, written by the layouts
// of the reader's tests (tests/layouts): a 300-atom molecule whose geometry (or, for CFOUR, other
// text) is printed again and again until the file holds `megabytes`, then its frequency section:
// every vibration and its vector, as the program lays them out.
#pragma once

#include <string>

namespace benchlayouts {

void generateDalton(const std::string& path, long megabytes);
void generateMopac(const std::string& path, long megabytes);
void generateAdf(const std::string& path, long megabytes);
void generateCfour(const std::string& path, long megabytes);

} // namespace benchlayouts

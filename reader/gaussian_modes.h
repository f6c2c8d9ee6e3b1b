// The vibrations a Gaussian output lists: the frequencies, IR intensities and Raman
// activities of its first "Harmonic frequencies" section, block by block.
#pragma once

#include "reader/run_data.h"

#include <string_view>

namespace reader {

// Fills `list` from the "Frequencies --", "IR Inten" and "Raman Activ" lines of the normal-mode
// blocks after the first "Harmonic frequencies" heading, in the file's order, read by the
// same columns as readFirstFrequency (so list.frequency[0] is what it gives). High-precision
// blocks ("Frequencies ---") are passed over. The section ends at the next heading or the
// thermochemistry once a block has been read, or at the end of the file. A file with no
// heading, or none of these lines after it, ends the run as readFirstFrequency does.
void readGaussianModeList(std::string_view fileName, ModeList& list);

} // namespace reader

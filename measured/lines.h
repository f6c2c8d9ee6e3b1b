// What the two readers of measured spectra share: the file connected through the text layer
// after a check that it can be read at all, and numbers read strictly.
#pragma once

#include "measured/measured.h"

#include <string_view>

namespace measured::detail {

// Empties `data` and connects the file for reading line by line (textio::readFileLine); false
// with the reason when it does not exist, is a directory or cannot be opened (line 0).
bool startReading(std::string_view path, Data& data, long long& line, const char*& why);

// The text as a finite number, whole: an optional sign, digits with at most one point, an
// optional exponent by E or e; false for anything else.
bool toNumber(std::string_view text, double& value);

// The text with blanks and tabs at both ends dropped.
std::string_view trimmed(std::string_view text);

} // namespace measured::detail

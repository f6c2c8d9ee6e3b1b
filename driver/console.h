// The dialogue's console lines: the recurring rule, empty line and pause, the banner and
// the licence text. Every line goes out through the text layer and ends in CR LF.
#pragma once

#include <string_view>

namespace driver {

// One free-form line holding `text` as it stands.
void writeLine(std::string_view text);
// 80 hyphens.
void writeRule();
// A line holding one blank.
void writeEmptyLine();
// Reads one console line and ignores it.
void waitForEnter();

// The ten banner lines: rule, program name, purpose, version, credit line, and the offer
// to show the licence ("TO SEE LICENSE AGREEMENT ENTER yes"); without the offer's two lines
// when no question is asked.
void writeBanner(bool offerLicence = true);
// The licence in two pages: page one (21 lines) closed by "press Enter to see the next
// page" and a wait for Enter, page two (12 lines) closed by the rule.
void writeLicence();

} // namespace driver

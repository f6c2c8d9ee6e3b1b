// Banner, licence and the small console helpers of the dialogue.
#include "driver/console.h"

#include <cstring>

#include "textio/textio.h"

namespace driver {
namespace {

constexpr std::string_view rule =
    "--------------------------------------------------------------------------------";

constexpr std::string_view bannerMiddle[] = {
    "                                   Molvane                                      ",
    "This program for animation of the normal modes of molecular vibrations          ",
    "             calculated by Gaussian 98 (Gaussian, Inc., Pittsburg)              ",
};
// Centred in the banner's 80 columns (writeCentred).
constexpr std::string_view versionText = "Version " MOLVANE_VERSION " (November 2000)";
constexpr std::string_view creditLine =
    "               THIS PROGRAM IS CREATED BY THE MOLVANE DEVELOPERS                ";

// Page one after its opening rule; an empty string stands for the empty line.
constexpr std::string_view licencePageOne[] = {
    "                        Molvane " MOLVANE_VERSION " Software License",
    "",
    "1. Grant. The Molvane developers grant you, free of charge, the right to use,",
    "   copy and give away Molvane " MOLVANE_VERSION " for teaching, research and any other",
    "   lawful purpose.",
    "",
    "2. Copies. Every copy you make or give away must keep this license text and",
    "   the credit line shown when the program starts. You may not sell Molvane",
    "   itself, though you may charge for the medium that carries it.",
    "",
    "3. Changes. You may change the program and share your changed version under",
    "   these same terms, provided you say plainly that it was changed and by",
    "   whom, so that nobody mistakes your version for the one the Molvane",
    "   developers released.",
    "",
    "4. No warranty. Molvane is given as it is, without any warranty, stated or",
    "   implied, of fitness for a particular purpose. The normal modes, geometries",
    "   and files it shows or writes are only as good as the Gaussian output they",
    "   come from: check them before you rely on them. You use the program and",
    "   its results at your own risk.",
};
constexpr std::string_view licencePageTwo[] = {
    "5. Liability. In no event shall the Molvane developers be liable for any",
    "   damage, loss of data or loss of time arising from the use of Molvane or",
    "   from being unable to use it, even if told that such damage could occur.",
    "",
    "By entering yes you have seen these terms. If you do not accept them, close",
    "the program now and remove every copy of it that you hold.",
    "",
    "Questions, reports of faults and suggestions are welcome:",
    "   The Molvane Developers",
    "   through the issue tracker of the Molvane project",
    "   (please name the program version, " MOLVANE_VERSION ", and attach the output file)",
    "",
};

template <std::size_t N> void writePage(const std::string_view (&lines)[N]) {
    for (std::string_view line : lines) line.empty() ? writeEmptyLine() : writeLine(line);
}

// `text` in the middle of an 80-column line, blanks on both sides (the odd one on the right).
void writeCentred(std::string_view text) {
    char line[80];
    std::memset(line, ' ', sizeof line);
    const std::size_t n = text.size() < sizeof line ? text.size() : sizeof line;
    std::memcpy(line + (sizeof line - n) / 2, text.data(), n);
    writeLine({line, sizeof line});
}

} // namespace

void writeLine(std::string_view text) { textio::writeListLine({textio::out(text)}); }

void writeRule() { writeLine(rule); }

void writeEmptyLine() { writeLine(" "); }

void waitForEnter() {
    textio::FixedText<1> ignored;
    textio::readRecord(textio::Unit::consoleIn, textio::lineLayout(), {textio::in(ignored)});
}

void writeBanner(bool offerLicence) {
    writeRule();
    writePage(bannerMiddle);
    writeCentred(versionText);
    writeRule();
    writeLine(creditLine);
    writeRule();
    if (!offerLicence) return;
    writeLine("TO SEE LICENSE AGREEMENT ENTER yes");
    writeLine("OTHERWISE JUST PRESS ENTER");
}

void writeLicence() {
    writeRule();
    writePage(licencePageOne);
    writeLine("press Enter to see the next page");
    waitForEnter();
    writePage(licencePageTwo);
    writeRule();
}

} // namespace driver

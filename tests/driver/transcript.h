// The console texts that transcripts of whole runs (tests/support/program_dir.h) are made of.
#pragma once

#include "tests/support/program_dir.h"

#include <initializer_list>
#include <string>

namespace testsupport {

// Console lines, each ended by CR LF.
inline std::string lines(std::initializer_list<std::string> texts) {
    std::string all;
    for (const std::string& text : texts) all += text + "\r\n";
    return all;
}

inline const std::string rule(80, '-');
inline const std::string empty = " ";

// "Version <the build's version> (November 2000)" in the middle of 80 columns (an odd blank
// on the right).
inline std::string versionLine() {
    const std::string text = "Version " MOLVANE_VERSION " (November 2000)";
    const std::size_t left = (80 - text.size()) / 2;
    return std::string(left, ' ') + text + std::string(80 - left - text.size(), ' ');
}

inline std::string banner() {
    return lines({
        rule,
        "                                   Molvane                                      ",
        "This program for animation of the normal modes of molecular vibrations          ",
        "             calculated by Gaussian 98 (Gaussian, Inc., Pittsburg)              ",
        versionLine(),
        rule,
        "               THIS PROGRAM IS CREATED BY THE MOLVANE DEVELOPERS                ",
        rule,
        "TO SEE LICENSE AGREEMENT ENTER yes",
        "OTHERWISE JUST PRESS ENTER",
    });
}

inline std::string notes() {
    return lines({"!!Note That The File Name Should Be In Filename.dat!!",
                  "By Default It Is Output.dat", empty});
}

inline std::string invalidFilename() {
    return lines({rule, "!!!Invalid Filename!!!", "Press Enter To Exit", empty, rule});
}

// The mode prompt and the amplitude questions up to the end of the default branch.
inline std::string questions() {
    return lines({"Enter The Normal Mode Number", "Enter Vibration Amplitude Coefficient",
                  "default (0.5) Enter \"n\" to change it or just press Enter"});
}

inline std::string summary(int mode, const std::string& fileName, const std::string& amplitude) {
    char modeLine[64];
    std::snprintf(modeLine, sizeof modeLine, "You Will See Normal Mode =%12d", mode);
    const std::string fileLine = "From File: " + fileName + std::string(70 - fileName.size(), ' ');
    return lines({empty, rule, modeLine, empty, fileLine,
                  "With the Vibration Amplitude Coefficient " + amplitude, empty, rule});
}

inline std::string wrongMode() {
    return lines(
        {empty, "You Have Entered Wrong Normal Mode Number, Enter Another Or 0 To Exit", empty});
}

inline std::string invalidAmplitude() {
    return lines({empty, "Vibration Amplitude Coefficient Is Invalid",
                  "The Vibration Amplitude Coefficient must be in range from 0 to 2",
                  "Enter Another"});
}

inline std::string negativeWarning() {
    return lines({
        rule,
        "             WARNING! THE FIRST VIBRATION HAS A NEGATIVE FREQUENCY.             ",
        rule,
        "File \"newcoordinates.xyz\" will be created. You can use these new atomic",
        "coordinates to create a new job file and reoptimize then structure",
        "using Gaussian 98.",
        empty,
        rule,
    });
}

} // namespace testsupport

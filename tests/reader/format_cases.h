// The cases every format's reader shares, one row a format (format_cases_test.cpp runs them):
// a damaged row names its line and what was expected there, a file cut short says how far it
// was read, a thousand atoms are read and one more is refused. Each format's test file gives its
// row (its files written by tests/layouts); the runs and checks are here once.
#pragma once

#include "tests/reader/reading.h"

#include <functional>
#include <string>
#include <vector>

namespace formatcases {

// The format's good file (or `good`, when given) with the first `from` (after `after`; the
// last with `last`) made `to`: the run ends naming the line where `to` begins (past its leading
// line feeds), `below` lines further down, and saying what was `expected` there.
struct Damage {
    const char* what;
    std::string from, to;
    std::string expected;
    std::string after = "";
    int below = 0;
    bool last = false;
    std::string good = "";
};

// A file cut short, or missing a part: the run ends with a diagnostic naming the file and
// holding each of `says`.
struct Cut {
    const char* what;
    std::string text;
    std::vector<std::string> says;
};

struct Row {
    const char* name;      // the files' name
    reader::Format format; // read as this format
    int mode = 1;          // the vibration asked for in the damaged files
    int cutMode = 1;       // and in the cut ones
    std::string good = "";
    std::vector<Damage> damages = {};
    std::vector<Cut> cuts = {};
    // Writes the file of 1000 atoms into `dir` (none for a format that lists all 3N modes: 9
    // million values); the run asks for `thousandMode` and `read` checks what it left. `over`: a
    // file of 1001 atoms, whose diagnostic holds `overSays`.
    std::function<std::string(const testsupport::ScratchDir& dir)> thousand = nullptr;
    int thousandMode = 1;
    std::function<void()> read = nullptr;
    std::string over = "";
    std::vector<std::string> overSays = {};
};

// `text` up to the first `part` (after `after`), or up to the last `part` with `last`.
std::string cutBefore(const std::string& text, const std::string& part,
                      const std::string& after = "", bool last = false);

// `row` with the files of 1000 and 1001 grid atoms (layouts::grid) that `write` makes; the first
// read at vibration `mode`, its vector checked at the last atom (`weighted` as expectEntry).
Row withGrid(Row row, std::string (*write)(const layouts::Molecule&), int mode,
             bool weighted = false);

Row orcaOutputCases();
Row orcaHessianCases();
Row moldenCases();
Row fchkCases();
Row qchemCases();
Row psi4Cases();
Row nwchemCases();
Row gamessCases();
Row molproCases();
Row aoforceCases();
Row turbomoleCases();
Row daltonCases();
Row mopacCases();
Row adfCases();
Row cfourCases();

} // namespace formatcases

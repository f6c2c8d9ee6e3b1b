// Fuzz target: the whole console dialogue on arbitrary console input, in a working
// directory holding "filename.dat" and the bundled examples. Whatever is typed, the run
// either returns with a mode and an amplitude the checks accept, or ends in one of its
// orderly ends, or ends with one console diagnostic; "filename.dat" is created only when it
// is missing and never changed otherwise, the examples are never changed, and
// "newcoordinates.xyz" is written exactly when the dialogue returned after a negative first
// frequency; no other file appears.
//
// Input: byte 0 picks the working directory's settings (see `setups`); the rest is the
// console input.
#include "driver/dialogue.h"
#include "tests/fuzz/fuzz_support.h"
#include "textio/open_flags.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

using fuzzing::require;

const char* const examples[] = {"formaldehyde-freq.out", "water-optfreq.out",
                                "ammonia-ts-freq.out"};

// The first line of "filename.dat", or nullptr for none.
const char* const setups[] = {
    "Filename:formaldehyde-freq.out\r\n", "Filename:water-optfreq.out\n",
    "Filename:ammonia-ts-freq.out\r\n",   nullptr,
    "Filename:missing.out\r\n",           "Filename:  ammonia-ts-freq.out      \n",
};
constexpr bool negativeFrequency[] = {false, false, true, false, false, true};
constexpr bool invalidFilename[] = {false, false, false, true, true, false};

struct Directory {
    std::string work;
    std::string exampleBytes[3];
    int homeFd = -1;
    int nullFd = -1;
};

const Directory& directory() {
    static Directory d;
    if (d.homeFd >= 0) return d;
    d.work = fuzzing::scratchDir() + "/work";
    std::filesystem::create_directory(d.work);
    for (int i = 0; i < 3; ++i) {
        const std::string source = std::string(MOLVANE_EXAMPLES_DIR) + "/" + examples[i];
        d.exampleBytes[i] = testsupport::readFile(source);
        require(!d.exampleBytes[i].empty(), "a bundled example is missing", source);
        std::ofstream(d.work + "/" + examples[i], std::ios::binary) << d.exampleBytes[i];
    }
    d.homeFd = ::open(".", O_RDONLY | O_DIRECTORY | textio::openFlags);
    d.nullFd = ::open("/dev/null", O_WRONLY | textio::openFlags);
    return d;
}

std::set<std::string> listing(const std::string& dir) {
    std::set<std::string> names;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (const dirent* e = ::readdir(d))
            if (std::string_view(e->d_name) != "." && std::string_view(e->d_name) != "..")
                names.insert(e->d_name);
        ::closedir(d);
    }
    return names;
}

int atomCount = 0;
reader::AtomTable atomTable, motionTable;
reader::ViewVolume viewVolume;

void runDialogue(void*) { driver::runDialogue(atomCount, atomTable, motionTable, viewVolume); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const Directory& dir = directory();
    const int setup = data[0] % 6;
    const std::string settings = dir.work + "/filename.dat";
    const std::string coordinates = dir.work + "/newcoordinates.xyz";
    std::filesystem::remove(coordinates);
    if (setups[setup] != nullptr)
        std::ofstream(settings, std::ios::binary) << setups[setup];
    else
        std::filesystem::remove(settings);

    const std::string consolePath = fuzzing::writeScratch(
        "console", std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    const int consoleFd = ::open(consolePath.c_str(), O_RDONLY | textio::openFlags);
    require(consoleFd >= 0, "cannot open the console file");
    textio::setConsole(consoleFd, dir.nullFd);
    reader::inputFileName = textio::FixedText<70>();
    reader::modeNumber = 0;
    reader::amplitude = 0.5f;
    reader::atomCount = 0;
    reader::firstFrequency = 0.0;

    require(::chdir(dir.work.c_str()) == 0, "cannot enter the working directory");
    testsupport::RunEnd end;
    testsupport::guardedRun(runDialogue, nullptr, end);
    require(::fchdir(dir.homeFd) == 0, "cannot leave the working directory");
    textio::setConsole(0, 1);
    ::close(consoleFd);

    bool wroteCoordinates = false;
    if (!end.ended) {
        const int modes = 3 * reader::atomCount - 6;
        require(reader::modeNumber >= 1 && reader::modeNumber <= modes, "an unchecked mode number");
        require(reader::amplitude > 0.0f && reader::amplitude <= 2.0f, "an unchecked amplitude");
        require(atomCount == reader::atomCount, "the renderer's atom count differs");
        require((reader::firstFrequency < 0) == negativeFrequency[setup],
                "the wrong first frequency");
        wroteCoordinates = negativeFrequency[setup];
    } else if (end.status == 1) {
        require(invalidFilename[setup] && end.length == 0, "an unexpected invalid-file end",
                end.diagnostic());
    } else if (end.status == 0) {
        require(!invalidFilename[setup] && end.length == 0, "an unexpected orderly end",
                end.diagnostic());
    } else {
        const int code = fuzzing::diagnosticCode(end);
        require(code == 101 || code == 102 || code == 103 || code == 104 || code == 107,
                "a diagnostic no console answer can cause", end.diagnostic());
        require(end.diagnostic().find("console input") != std::string_view::npos,
                "a console diagnostic that does not name the console", end.diagnostic());
    }

    std::set<std::string> expected(std::begin(examples), std::end(examples));
    expected.insert("filename.dat");
    if (wroteCoordinates) expected.insert("newcoordinates.xyz");
    require(listing(dir.work) == expected, "the working directory holds other files");
    require(testsupport::readFile(settings) ==
                (setups[setup] != nullptr ? setups[setup] : "Filename:Output.dat\r\n"),
            "filename.dat holds something else");
    for (int i = 0; i < 3; ++i)
        require(testsupport::readFile(dir.work + "/" + examples[i]) == dir.exampleBytes[i],
                "an example was changed");
    if (wroteCoordinates) {
        const std::string xyz = testsupport::readFile(coordinates);
        require(xyz.size() == std::size_t(56 * (reader::atomCount + 5)),
                "newcoordinates.xyz has the wrong size", xyz);
    }
    return 0;
}

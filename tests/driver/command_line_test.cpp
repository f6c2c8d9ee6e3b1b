// The command line's answers to the dialogue, through the test runner (the dialogue with
// molvane's options, no window): FILE instead of filename.dat, --mode and --amplitude, and
// every refusal, which writes nothing but one line on standard error.
#include "tests/driver/transcript.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace testsupport;

namespace {

const std::string runner = DIALOGUE_RUNNER;

// The banner of a run that asks nothing: without the licence offer.
std::string bannerHead() {
    const std::string offer =
        lines({"TO SEE LICENSE AGREEMENT ENTER yes", "OTHERWISE JUST PRESS ENTER"});
    const std::string all = banner();
    return all.substr(0, all.size() - offer.size());
}

class CommandLine : public testing::Test {
  protected:
    void example(const std::string& name) { dir.copyIn(exampleFile(name), name); }
    // The runner with `arguments` and standard input closed.
    Outcome runClosed(const std::string& arguments) const {
        return dir.run(runner, "", arguments + " <&-");
    }
    ProgramDir dir;
};

TEST_F(CommandLine, FileAndModeAskNothingAndLeaveTheSettingsFileUnmade) {
    example("water-optfreq.out");
    const Outcome run = runClosed("--mode 2 water-optfreq.out");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, bannerHead() + summary(2, "water-optfreq.out", "0.50"));
    EXPECT_FALSE(dir.exists("filename.dat"));
}

TEST_F(CommandLine, FileIsReadInsteadOfTheOneTheSettingsFileNames) {
    example("water-optfreq.out");
    example("formaldehyde-freq.out");
    dir.write("filename.dat", "Filename:formaldehyde-freq.out\r\n");
    // Water has 3 modes, formaldehyde 6: mode 5 is refused as water's.
    const Outcome run = dir.run(runner, "\n5\n\n3\n", "water-optfreq.out <../stdin");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::string name = "water-optfreq.out";
    EXPECT_EQ(run.out, banner() + questions() + lines({empty}) + summary(5, name, "0.50") +
                           wrongMode() + summary(3, name, "0.50"));
    EXPECT_EQ(dir.read("filename.dat"), "Filename:formaldehyde-freq.out\r\n");
}

TEST_F(CommandLine, ModeAndAmplitudeAnswerAsTheDialogueWould) {
    // The same run asked and answered: the same files, and the transcript without the
    // questions and the licence offer.
    ProgramDir asked;
    asked.copyIn(exampleFile("ammonia-ts-freq.out"), "ammonia-ts-freq.out");
    asked.write("filename.dat", "Filename:ammonia-ts-freq.out\r\n");
    const Outcome dialogue = asked.run(runner, "\n2\nn\n2\n");
    ASSERT_EQ(dialogue.status, 0) << dialogue.err;

    example("ammonia-ts-freq.out");
    dir.write("filename.dat", "Filename:ammonia-ts-freq.out\r\n");
    const Outcome run = runClosed("--amplitude 2 --mode=2");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, bannerHead() + notes() + summary(2, "ammonia-ts-freq.out", "2.00") +
                           negativeWarning());
    EXPECT_EQ(dir.read("newcoordinates.xyz"), asked.read("newcoordinates.xyz"));

    // --amplitude alone: the licence and the mode are still asked.
    const Outcome amplitudeOnly = dir.run(runner, "\n1\n", "--amplitude 0.125 <../stdin");
    EXPECT_EQ(amplitudeOnly.status, 0);
    EXPECT_EQ(amplitudeOnly.out, banner() + notes() + lines({"Enter The Normal Mode Number"}) +
                                     summary(1, "ammonia-ts-freq.out", "0.13") + negativeWarning());
}

TEST_F(CommandLine, LongFileNameIsShownWhole) {
    const std::string name = std::string(90, 'w') + ".out";
    dir.copyIn(exampleFile("water-optfreq.out"), name);
    const Outcome run = runClosed("--mode 1 " + name);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\r\nFrom File: " + name + "\r\n"), std::string::npos) << run.out;
}

TEST_F(CommandLine, RefusalsWriteOneLineAndNothingElse) {
    example("water-optfreq.out");
    example("formaldehyde-freq.out");
    struct Case {
        const char* arguments;
        int status;
        const char* said; // part of the line on standard error
    };
    const Case cases[] = {
        {"--mode 4 water-optfreq.out", 2, "whose modes are 1 to 3"},
        {"--mode 7 formaldehyde-freq.out", 2, "whose modes are 1 to 6"},
        {"--mode 0 water-optfreq.out", 2, "from 1"},
        {"--mode -1 water-optfreq.out", 2, "from 1"},
        {"--mode 2x water-optfreq.out", 2, "from 1"},
        {"--mode 99999999999 water-optfreq.out", 2, "from 1"},
        {"--mode 1 --mode 2 water-optfreq.out", 2, "twice"},
        {"--amplitude 0 water-optfreq.out", 2, "greater than 0 and at most 2"},
        {"--amplitude 2.5 water-optfreq.out", 2, "greater than 0 and at most 2"},
        {"--amplitude -0.5 water-optfreq.out", 2, "greater than 0 and at most 2"},
        {"--amplitude nan water-optfreq.out", 2, "greater than 0 and at most 2"},
        {"--amplitude 1e400 water-optfreq.out", 2, "greater than 0 and at most 2"},
        {"--amplitude water-optfreq.out", 2, "greater than 0 and at most 2"},
        {"--mode 1 no-such.out", 1, "\"no-such.out\""},
        {"no-such.out", 1, "\"no-such.out\""},
        {"--mode 1", 1, "\"Output.dat\""}, // no filename.dat: its default name
        {"water-optfreq.out formaldehyde-freq.out", 2, "unexpected argument"},
    };
    const Snapshot before = dir.snapshot();
    for (const Case& c : cases) {
        const Outcome run = runClosed(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.arguments << run.err;
        EXPECT_EQ(run.err.rfind("molvane: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << c.arguments << ": " << run.err;
        EXPECT_EQ(dir.snapshot(), before) << c.arguments;
    }

    // The settings file names a file that is not there: the same refusal, the file untouched.
    dir.write("filename.dat", "Filename:gone.out\r\n");
    const Outcome gone = runClosed("--mode 1");
    EXPECT_EQ(gone.status, 1);
    EXPECT_EQ(gone.err, "molvane: cannot read the output file \"gone.out\"\n");
    EXPECT_EQ(dir.read("filename.dat"), "Filename:gone.out\r\n");
}

} // namespace

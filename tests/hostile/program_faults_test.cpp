// Console and file-system faults in whole runs of the real programs: end of input at every
// prompt, closed standard input, very long and non-ASCII answers; a settings file that
// cannot be created, a "newcoordinates.xyz" that cannot be written, an output file that
// disappears or changes between the existence check and the reading. Each run ends with
// the diagnostic it must give, and nothing in the directory is created or changed that
// the run had no business with.
#include "tests/support/program_dir.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

const std::string molvane = MOLVANE_BINARY;
const std::string runner = DIALOGUE_RUNNER;

const std::string crlf = "\r\n";
const std::string rule(80, '-');
const std::string licencePrompt = "OTHERWISE JUST PRESS ENTER" + crlf;
const std::string modePrompt = "Enter The Normal Mode Number" + crlf;
const std::string amplitudePrompt =
    "default (0.5) Enter \"n\" to change it or just press Enter" + crlf;
const std::string negativeWarning = "WARNING! THE FIRST VIBRATION HAS A NEGATIVE FREQUENCY.";

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string endOfConsole(int line) {
    return "*ERR* 104 end of file on console input after line " + std::to_string(line) + crlf;
}

class Faults : public testing::Test {
  protected:
    void example(const std::string& name) {
        dir.copyIn(exampleFile(name), name);
        dir.write("filename.dat", "Filename:" + name + "\r\n");
    }
    ProgramDir dir;
};

} // namespace

TEST_F(Faults, EndOfInputAtEveryPromptEndsTheRun) {
    example("formaldehyde-freq.out");
    const Snapshot before = dir.snapshot();
    struct Case {
        const char* prompt;
        std::string input;
        int lines;
        std::string lastOutput;
    };
    const Case cases[] = {
        {"licence", "", 0, licencePrompt},
        {"licence page", "yes\n", 1, "press Enter to see the next page" + crlf},
        {"mode", "\n", 1, modePrompt},
        {"mode, after blank lines", "\n \n\t\n\n", 4, modePrompt},
        {"amplitude answer", "\n1\n", 2, amplitudePrompt},
        {"amplitude value", "\n1\nn\n", 3, "Enter Your Value" + crlf},
        {"amplitude again", "\n1\nn\n3\n", 4, "Enter Another" + crlf},
        {"mode again", "\n9\n\n", 3,
         "You Have Entered Wrong Normal Mode Number, Enter Another Or 0 To Exit" + crlf + " " +
             crlf},
    };
    for (const Case& c : cases) {
        const Outcome run = dir.run(molvane, c.input);
        EXPECT_EQ(run.status, 255) << c.prompt;
        EXPECT_EQ(run.err, endOfConsole(c.lines)) << c.prompt;
        EXPECT_TRUE(endsWith(run.out, c.lastOutput))
            << c.prompt << ": " << run.out.substr(run.out.size() - 200);
    }
    // Standard input closed, or an empty file: the end of input at the first prompt.
    for (const char* redirection : {"<&-", "</dev/null"}) {
        const Outcome run = dir.run(molvane, "", redirection);
        EXPECT_EQ(run.status, 255) << redirection;
        EXPECT_EQ(run.err, endOfConsole(0)) << redirection;
        EXPECT_TRUE(endsWith(run.out, licencePrompt)) << redirection;
    }
    // The pause after "!!!Invalid Filename!!!".
    dir.write("filename.dat", "Filename:missing.out\r\n");
    const Outcome pause = dir.run(molvane, "\n");
    EXPECT_EQ(pause.status, 255);
    EXPECT_EQ(pause.err, endOfConsole(1));
    EXPECT_TRUE(endsWith(pause.out, "Press Enter To Exit" + crlf + " " + crlf + rule + crlf));
    dir.write("filename.dat", "Filename:formaldehyde-freq.out\r\n");
    EXPECT_EQ(dir.snapshot(), before);
}

// A program started with standard error closed would have its diagnostic written into
// whichever file it had open at the time: the output file being read, or "filename.dat".
TEST_F(Faults, ClosedStandardErrorLeavesTheFilesAlone) {
    std::string text = testsupport::readFile(exampleFile("formaldehyde-freq.out"));
    text.replace(text.rfind("   -0.939359"), 12, "   -0.93x359");
    dir.write("garbled.out", text);
    dir.write("filename.dat", "Filename:garbled.out\r\n");
    const Snapshot before = dir.snapshot();
    const Outcome garbled = dir.run(molvane, "\n1\n\n", "<../stdin", "", "2>&-");
    EXPECT_EQ(garbled.status, 255);
    EXPECT_EQ(dir.snapshot(), before);

    dir.write("filename.dat", "");
    const Outcome empty = dir.run(molvane, "", "<../stdin", "", "2>&-");
    EXPECT_EQ(empty.status, 255);
    EXPECT_EQ(dir.read("filename.dat"), "");
}

TEST_F(Faults, LongAnswerLinesKeepTheirFirstColumns) {
    example("formaldehyde-freq.out");
    // "yes" and 100 000 more characters show the licence; a mode of 2 followed by 100 000
    // blanks and a 7 is 2; "n" and 100 000 o's ask for the value.
    const std::string input = "yes" + std::string(100000, 'x') + "\n\n2" +
                              std::string(100000, ' ') + "7\nn" + std::string(100000, 'o') +
                              "\n1.5\n";
    const Outcome run = dir.run(runner, input);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("Software License"), std::string::npos);
    EXPECT_NE(run.out.find("You Will See Normal Mode =           2" + crlf), std::string::npos);
    EXPECT_NE(run.out.find("Enter Your Value" + crlf), std::string::npos);
    EXPECT_NE(run.out.find("With the Vibration Amplitude Coefficient 1.50" + crlf),
              std::string::npos);

    // 5000 digits: the first 1024 columns already overflow an integer.
    const Outcome digits = dir.run(molvane, "\n1" + std::string(4999, '0') + "\n");
    EXPECT_EQ(digits.status, 255);
    EXPECT_EQ(digits.err.rfind("*ERR* 102 ", 0), 0u) << digits.err;
    EXPECT_NE(digits.err.find("(console input, line 2, columns 1-1024)"), std::string::npos)
        << digits.err;
}

TEST_F(Faults, NonAsciiAnswers) {
    example("formaldehyde-freq.out");
    // "yés" is not "yes"; "ñ" is not "n": the licence is skipped and 0.5 kept.
    const Outcome kept = dir.run(runner, "y\xc3\xa9s\n1\n\xc3\xb1\n");
    EXPECT_EQ(kept.status, 0) << kept.err;
    EXPECT_EQ(kept.out.find("Software License"), std::string::npos);
    EXPECT_EQ(kept.out.find("Enter Your Value"), std::string::npos);
    EXPECT_NE(kept.out.find("With the Vibration Amplitude Coefficient 0.50" + crlf),
              std::string::npos);

    // A full-width digit five, and a 5 with a no-break space after it, are no numbers.
    for (const char* answer : {"\xef\xbc\x95", "5\xc2\xa0"}) {
        const Outcome bad = dir.run(molvane, std::string("\n") + answer + "\n");
        EXPECT_EQ(bad.status, 255);
        EXPECT_EQ(bad.err, std::string("*ERR* 101 conversion error: \"") + answer +
                               "\" is not an integer (console input, line 2, columns 1-3)" + crlf);
    }
}

// Settings files as users leave them: the label alone, a name too long for columns 10 to
// 79, a name with blanks inside. The settings file itself is never rewritten.
TEST_F(Faults, SettingsFileOddities) {
    const std::string example = exampleFile("formaldehyde-freq.out");
    const std::string invalid = rule + crlf + "!!!Invalid Filename!!!" + crlf +
                                "Press Enter To Exit" + crlf + " " + crlf + rule + crlf;
    // The label alone: an empty name.
    dir.write("filename.dat", "Filename:");
    const Outcome label = dir.run(molvane, "\n\n");
    EXPECT_EQ(label.status, 1);
    EXPECT_EQ(label.err, "");
    EXPECT_TRUE(endsWith(label.out, invalid));
    EXPECT_EQ(dir.read("filename.dat"), "Filename:");

    // 300 characters: the name is its first 70. A file of the whole name cannot even exist.
    const std::string longName = std::string(296, 'm') + ".out";
    const std::string settings = "Filename:" + longName + "\r\n";
    dir.write("filename.dat", settings);
    const Outcome missing = dir.run(molvane, "\n\n");
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(endsWith(missing.out, invalid));
    dir.copyIn(example, longName.substr(0, 70));
    const Outcome cut = dir.run(runner, "\n1\n\n");
    EXPECT_EQ(cut.status, 0) << cut.err;
    EXPECT_NE(cut.out.find("From File: " + longName.substr(0, 70) + crlf), std::string::npos);
    EXPECT_EQ(dir.read("filename.dat"), settings);

    // Blanks inside the name belong to it; the trailing ones do not.
    dir.copyIn(example, "my water job.out");
    dir.write("filename.dat", "Filename:my water job.out   \r\n");
    const Outcome blanks = dir.run(runner, "\n1\n\n");
    EXPECT_EQ(blanks.status, 0) << blanks.err;
    EXPECT_NE(blanks.out.find("From File: my water job.out" + std::string(70 - 16, ' ') + crlf),
              std::string::npos);
    dir.write("filename.dat", "Filename:my  water job.out\r\n");
    const Outcome doubled = dir.run(molvane, "\n\n");
    EXPECT_EQ(doubled.status, 1);
    EXPECT_TRUE(endsWith(doubled.out, invalid));
    EXPECT_EQ(dir.read("filename.dat"), "Filename:my  water job.out\r\n");
}

TEST_F(Faults, SettingsFileThatCannotBeCreated) {
    // A dangling link into a directory that does not exist: no file can be made there.
    std::filesystem::create_symlink("missing/filename.dat", dir.file("filename.dat"));
    const Snapshot before = dir.snapshot();
    const Outcome dangling = dir.run(molvane, "\n");
    EXPECT_EQ(dangling.status, 255);
    EXPECT_EQ(dangling.out, "");
    EXPECT_EQ(dangling.err, "*ERR* 105 cannot open filename.dat: No such file or directory" + crlf);
    EXPECT_EQ(dir.snapshot(), before);
    std::filesystem::remove(dir.file("filename.dat"));

    // A directory the user may not write to.
    std::string prefix;
    if (!unprivilegedPrefix(prefix)) GTEST_SKIP() << "cannot run as an unprivileged user here";
    const std::string program = dir.reachableCopy(molvane);
    chmod(dir.work().c_str(), 0555);
    const Outcome denied = dir.run(program, "\n", "<../stdin", prefix);
    chmod(dir.work().c_str(), 0755);
    EXPECT_EQ(denied.status, 255);
    EXPECT_EQ(denied.out, "");
    EXPECT_EQ(denied.err, "*ERR* 105 cannot open filename.dat: Permission denied" + crlf);
    EXPECT_TRUE(dir.snapshot().empty());
}

TEST_F(Faults, NewcoordinatesThatCannotBeWritten) {
    example("ammonia-ts-freq.out");
    // A directory (with a file in it) and a dangling link in the file's place.
    std::filesystem::create_directory(dir.file("newcoordinates.xyz"));
    dir.write("newcoordinates.xyz/kept", "kept\n");
    Snapshot before = dir.snapshot();
    const Outcome directory = dir.run(molvane, "\n1\n\n");
    EXPECT_EQ(directory.status, 255);
    EXPECT_NE(directory.out.find(negativeWarning), std::string::npos);
    EXPECT_EQ(directory.err, "*ERR* 105 cannot open newcoordinates.xyz: Is a directory" + crlf);
    EXPECT_EQ(dir.snapshot(), before);
    std::filesystem::remove_all(dir.file("newcoordinates.xyz"));

    std::filesystem::create_symlink("gone/newcoordinates.xyz", dir.file("newcoordinates.xyz"));
    before = dir.snapshot();
    const Outcome dangling = dir.run(molvane, "\n1\n\n");
    EXPECT_EQ(dangling.status, 255);
    EXPECT_EQ(dangling.err,
              "*ERR* 105 cannot open newcoordinates.xyz: No such file or directory" + crlf);
    EXPECT_EQ(dir.snapshot(), before);
    std::filesystem::remove(dir.file("newcoordinates.xyz"));

    // A read-only file, for a user whom its permissions bind.
    std::string prefix;
    if (!unprivilegedPrefix(prefix)) GTEST_SKIP() << "cannot run as an unprivileged user here";
    dir.write("newcoordinates.xyz", "an earlier job's coordinates\r\n");
    chmod(dir.file("newcoordinates.xyz").c_str(), 0444);
    before = dir.snapshot();
    const Outcome readOnly = dir.run(dir.reachableCopy(molvane), "\n1\n\n", "<../stdin", prefix);
    EXPECT_EQ(readOnly.status, 255);
    EXPECT_NE(readOnly.out.find(negativeWarning), std::string::npos);
    EXPECT_EQ(readOnly.err, "*ERR* 105 cannot write newcoordinates.xyz: Permission denied" + crlf);
    EXPECT_EQ(dir.snapshot(), before);
}

// The existence check comes before the mode prompt, the reading after the amplitude: the
// file is changed while the program waits at the mode prompt.
TEST_F(Faults, OutputFileChangedAfterTheExistenceCheck) {
    const std::string name = "ammonia-ts-freq.out";
    struct Case {
        const char* change;
        std::string err;
        bool unprivileged = false;
    };
    const Case cases[] = {
        {"deleted", "*ERR* 105 cannot open " + name + ": No such file or directory" + crlf},
        {"replaced by a directory", "*ERR* 105 cannot read " + name + ": Is a directory" + crlf},
        // Emptied, it is no program's output any more.
        {"emptied",
         "*ERR* 109 " + name +
             " fits no format Molvane reads; looked for Gaussian output, xtb g98.out, ORCA output,"
             " ORCA .hess, Molden, Gaussian formatted checkpoint, Q-Chem output, Psi4 output,"
             " NWChem output, GAMESS output, Turbomole control, Turbomole aoforce output,"
             " Molpro output, DALTON output, MOPAC output, ADF output and CFOUR output" +
             crlf},
        {"made unreadable", "*ERR* 105 cannot open " + name + ": Permission denied" + crlf, true},
    };
    for (const Case& c : cases) {
        ProgramDir run;
        run.copyIn(exampleFile(name), name);
        run.write("filename.dat", "Filename:" + name + "\r\n");
        std::string prefix, program = molvane;
        if (c.unprivileged) {
            if (!unprivilegedPrefix(prefix)) {
                std::printf("skipped \"%s\": cannot run as an unprivileged user here\n", c.change);
                continue;
            }
            program = run.reachableCopy(molvane);
        }
        run.start(program, prefix);
        run.send("\n"); // no licence
        ASSERT_TRUE(run.waitFor(modePrompt)) << c.change;
        const std::string file = run.file(name);
        if (std::string(c.change) == "deleted") {
            std::filesystem::remove(file);
        } else if (std::string(c.change) == "replaced by a directory") {
            std::filesystem::remove(file);
            std::filesystem::create_directory(file);
        } else if (std::string(c.change) == "emptied") {
            run.write(name, "");
        } else {
            chmod(file.c_str(), 0);
        }
        const Snapshot changed = run.snapshot();
        run.send("1\n\n");
        const Outcome outcome = run.finish();
        EXPECT_EQ(outcome.status, 255) << c.change;
        EXPECT_EQ(outcome.err, c.err) << c.change;
        EXPECT_EQ(run.snapshot(), changed) << c.change << ": nothing is created or changed";
        EXPECT_EQ(run.read("filename.dat"), "Filename:" + name + "\r\n");
    }
}

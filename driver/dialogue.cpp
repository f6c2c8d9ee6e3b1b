// runDialogue: from "filename.dat" through the questions, the reading of the output file and
// the negative-frequency export, to the hand-over of the renderer's blocks.
#include "driver/dialogue.h"

#include "driver/command_line.h"
#include "driver/console.h"
#include "driver/files.h"
#include "export/displaced_geometry.h"
#include "reader/vibrations.h"

namespace driver {
namespace {

using textio::out;
using textio::Unit;

constexpr std::string_view settingsFile = "filename.dat";

// The output file named on the command line (nullptr: the one the settings file names), and
// the name of the file read.
const char* commandLineFile = nullptr;
std::string_view fileRead;
reader::Format fileFormat = reader::Format::gaussian;

// Fills inputFileName from columns 10 to 79 of the settings file's first line.
void readNamedFile() {
    // The name stands in columns 10 to 79 of the first line:
    //          1         2         3
    // 1234567890123456789012345678901
    // Filename:formaldehyde-freq.out
    static const textio::Layout nameLayout = textio::parseLayout("(9X,A70)");
    textio::openUnit(settingsFile);
    textio::setReadContext("the output file's name from its first line");
    textio::readRecord(Unit::file, nameLayout, {textio::in(reader::inputFileName)});
    textio::closeUnit();
}

// Fills inputFileName from the settings file, creating the file with "Filename:Output.dat"
// first when there is none.
void readSettings() {
    if (!fileExists(settingsFile)) {
        createEmptyFile(settingsFile);
        textio::openUnit(settingsFile);
        textio::writeRecord(Unit::file, textio::lineLayout(), {out("Filename:Output.dat")});
        textio::closeUnit();
    }
    readNamedFile();
}

// The output file's name as the file layer opens it: without surrounding blanks.
std::string_view outputFileName() {
    std::string_view name = reader::inputFileName.trimmed();
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    return name;
}

void askLicence() {
    textio::FixedText<3> answer;
    textio::readRecord(Unit::consoleIn, textio::lineLayout(), {textio::in(answer)});
    if (answer.view() == "yes") writeLicence();
}

void askAmplitude() {
    writeLine("Enter Vibration Amplitude Coefficient");
    writeLine("default (0.5) Enter \"n\" to change it or just press Enter");
    textio::FixedText<1> answer;
    textio::readRecord(Unit::consoleIn, textio::lineLayout(), {textio::in(answer)});
    if (answer.chars[0] == 'n') {
        writeLine("Enter Your Value");
        textio::readListValue(reader::amplitude);
    }
    writeEmptyLine();
    // Written so that a value that is not a number could not pass either.
    while (!(reader::amplitude > 0.0f && reader::amplitude <= 2.0f)) {
        writeEmptyLine();
        writeLine("Vibration Amplitude Coefficient Is Invalid");
        writeLine("The Vibration Amplitude Coefficient must be in range from 0 to 2");
        writeLine("Enter Another");
        textio::readListValue(reader::amplitude);
        writeEmptyLine();
    }
}

// The file's line of the summary: the settings file's 70 characters as read, or the name
// given on the command line padded to 70 (a longer one whole).
void writeFileLine() {
    if (!commandLineFile) {
        textio::writeListLine({out("From File: "), out(reader::inputFileName)});
        return;
    }
    constexpr std::string_view blanks = "                                                  "
                                        "                    ";
    const std::string_view name = commandLineFile;
    const std::string_view padding = blanks.substr(0, name.size() < 70 ? 70 - name.size() : 0);
    textio::writeListLine({out("From File: "), out(name), out(padding)});
}

void writeSummary() {
    static const textio::Layout amplitudeLayout = textio::parseLayout("(A41,F4.2)");
    writeEmptyLine();
    writeRule();
    textio::writeListLine({out("You Will See Normal Mode ="), out(reader::modeNumber)});
    writeEmptyLine();
    writeFileLine();
    textio::writeRecord(
        Unit::consoleOut, amplitudeLayout,
        {out("With the Vibration Amplitude Coefficient "), out(double(reader::amplitude))});
    writeEmptyLine();
    writeRule();
}

// Asks again until the mode number lies in 1..modes; a 0 given here ends the run.
void checkModeNumber(int modes) {
    while (reader::modeNumber < 1 || reader::modeNumber > modes) {
        writeEmptyLine();
        writeLine("You Have Entered Wrong Normal Mode Number, Enter Another Or 0 To Exit");
        writeEmptyLine();
        textio::readListValue(reader::modeNumber);
        if (reader::modeNumber == 0) textio::endRun(0);
        writeSummary();
    }
}

void warnNegativeFrequency() {
    writeRule();
    writeLine("             WARNING! THE FIRST VIBRATION HAS A NEGATIVE FREQUENCY.             ");
    writeRule();
    writeLine("File \"newcoordinates.xyz\" will be created. You can use these new atomic");
    writeLine("coordinates to create a new job file and reoptimize then structure");
    writeLine("using Gaussian 98.");
    writeEmptyLine();
    writeRule();
}

// The modes the file offers, as the reader counts them for the file's format (with `mode`'s
// vector when the format is read whole).
int countModes(std::string_view fileName, int mode) {
    fileFormat = reader::recogniseFormat(fileName);
    return reader::countModes(fileName, fileFormat, mode);
}

// What the command line gives, checked before anything is written: the file it names (or the
// one filename.dat names, when a mode is given) must be readable, and the mode one of that
// file's. Returns the file's modes when they were counted for the check, else -1.
int checkAnswers(const Answers& answers) {
    if (!answers.file && answers.mode == 0) return -1;
    const std::string_view name = answers.file ? answers.file : namedOutputFile();
    if (!fileExists(name)) textio::endRun(refuseUnreadableFile(name));
    if (answers.mode == 0) return -1;
    const int modes = countModes(name, answers.mode);
    if (answers.mode > modes) textio::endRun(refuseMode(answers.mode, modes, name));
    return modes;
}

// Reads the molecule and the chosen mode into the run data and the renderer's blocks, asking
// again for a mode the file does not have (1..3N-6 in Gaussian's fixed columns, 1..M, as many
// as the file lists, for every other format).
void readOutput(std::string_view fileName, int modes, int& atomCount, reader::AtomTable& atomTable,
                reader::AtomTable& motionTable, reader::ViewVolume& viewVolume) {
    if (modes < 0) modes = countModes(fileName, reader::modeNumber);
    checkModeNumber(modes);
    reader::readMolecule(fileName, fileFormat);
    reader::readChosenMode(fileName, fileFormat, reader::modeNumber);
    reader::prepareViewData(atomCount, atomTable, motionTable, viewVolume);
}

} // namespace

std::string_view namedOutputFile() {
    if (!fileExists(settingsFile)) return "Output.dat";
    readNamedFile();
    return outputFileName();
}

void runDialogue(int& atomCount, reader::AtomTable& atomTable, reader::AtomTable& motionTable,
                 reader::ViewVolume& viewVolume, const Answers& answers) {
    commandLineFile = answers.file;
    const bool asking = answers.mode == 0;
    const int modes = checkAnswers(answers);

    if (!commandLineFile) readSettings();
    writeBanner(asking);
    if (asking) askLicence();
    if (!commandLineFile) {
        writeLine("!!Note That The File Name Should Be In Filename.dat!!");
        writeLine("By Default It Is Output.dat");
        writeEmptyLine();
    }

    const std::string_view fileName = commandLineFile ? commandLineFile : outputFileName();
    fileRead = fileName;
    if (!fileExists(fileName)) {
        writeRule();
        writeLine("!!!Invalid Filename!!!");
        writeLine("Press Enter To Exit");
        writeEmptyLine();
        writeRule();
        waitForEnter();
        textio::endRun(1);
    }

    if (asking) {
        writeLine("Enter The Normal Mode Number");
        textio::readListValue(reader::modeNumber);
    } else {
        reader::modeNumber = answers.mode;
    }
    if (answers.amplitude > 0.0f)
        reader::amplitude = answers.amplitude;
    else if (asking)
        askAmplitude();
    writeSummary();

    readOutput(fileName, modes, atomCount, atomTable, motionTable, viewVolume);

    if (reader::firstFrequency < 0.0) {
        warnNegativeFrequency();
        geomexport::writeDisplacedGeometry(reader::geometry, reader::atomCount, reader::modeVector);
    }
}

std::string_view dialogueFileName() { return fileRead; }

reader::Format dialogueFormat() { return fileFormat; }

} // namespace driver

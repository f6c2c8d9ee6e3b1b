// runDialogue: from "filename.dat" through the questions, the reading of the output file and
// the negative-frequency export, to the hand-over of the renderer's blocks.
#include "driver/dialogue.h"

#include "driver/console.h"
#include "driver/files.h"
#include "export/displaced_geometry.h"
#include "reader/gaussian_reader.h"
#include "reader/vibrations.h"
#include "reader/xtb_output.h"

namespace driver {
namespace {

using textio::out;
using textio::Unit;

constexpr std::string_view settingsFile = "filename.dat";

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

void writeSummary() {
    static const textio::Layout amplitudeLayout = textio::parseLayout("(A41,F4.2)");
    writeEmptyLine();
    writeRule();
    textio::writeListLine({out("You Will See Normal Mode ="), out(reader::modeNumber)});
    writeEmptyLine();
    textio::writeListLine({out("From File: "), out(reader::inputFileName)});
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

} // namespace

std::string_view namedOutputFile() {
    if (!fileExists(settingsFile)) return "Output.dat";
    readNamedFile();
    return outputFileName();
}

void runDialogue(int& atomCount, reader::AtomTable& atomTable, reader::AtomTable& motionTable,
                 reader::ViewVolume& viewVolume) {
    readSettings();
    writeBanner();
    askLicence();
    writeLine("!!Note That The File Name Should Be In Filename.dat!!");
    writeLine("By Default It Is Output.dat");
    writeEmptyLine();

    const std::string_view fileName = outputFileName();
    if (!fileExists(fileName)) {
        writeRule();
        writeLine("!!!Invalid Filename!!!");
        writeLine("Press Enter To Exit");
        writeEmptyLine();
        writeRule();
        waitForEnter();
        textio::endRun(1);
    }

    writeLine("Enter The Normal Mode Number");
    textio::readListValue(reader::modeNumber);
    askAmplitude();
    writeSummary();

    const reader::Format format = reader::recogniseFormat(fileName);
    if (format == reader::Format::gaussian || format == reader::Format::xtb) {
        // Gaussian's fixed columns, one operation after the other; modes 1..3N-6.
        reader::OutputLayout layout;
        reader::countAtoms(fileName, layout, reader::atomCount);
        checkModeNumber(3 * reader::atomCount - 6);

        const int mode = reader::modeNumber;
        reader::readGeometry(fileName, reader::atomCount, layout, reader::geometry);
        reader::readModeVector(fileName, reader::modeBlock(mode), reader::modeColumn(mode),
                               reader::atomCount, layout, reader::modeVector);
        if (format == reader::Format::xtb)
            reader::undoXtbMassWeighting(fileName, reader::modeVector, reader::atomCount);
        reader::prepareViewData(atomCount, atomTable, motionTable, viewVolume);
        reader::firstFrequency = reader::readFirstFrequency(fileName);
    } else {
        // Every other format in one reading; modes 1..M, as many as the file holds.
        const int asked = reader::modeNumber;
        reader::readVibrations(fileName, format, asked);
        checkModeNumber(reader::modeList.count);
        if (reader::modeNumber != asked)
            reader::readVibrationVector(fileName, format, reader::modeNumber, reader::modeVector);
        reader::prepareViewData(atomCount, atomTable, motionTable, viewVolume);
    }

    if (reader::firstFrequency < 0.0) {
        warnNegativeFrequency();
        geomexport::writeDisplacedGeometry(reader::geometry, reader::atomCount, reader::modeVector);
    }
}

} // namespace driver

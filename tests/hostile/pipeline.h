// The reading half of a run, in-process and in the dialogue's order (recogniseFormat; for a
// Gaussian output countAtoms, the mode check, readGeometry, readModeVector,
// readFirstFrequency; for the other formats readVibrations and the mode check), with its run
// end captured, and the checks the damaged-input tests make of an outcome.
#pragma once

#include "reader/gaussian_reader.h"
#include "reader/vibrations.h"
#include "reader/xtb_output.h"
#include "tests/support/guarded_run.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace hostile {

using testsupport::guardedRun;
using testsupport::isOneDiagnostic;
using testsupport::RunEnd;

struct Reading {
    std::string file;
    int mode = 0; // the mode asked for; 0: the last one, 3N-6 (M for the other formats)
    reader::Format format = reader::Format::gaussian;
    int tables = -1;
    int atoms = -1;
    bool modeRejected = false; // 3N-6 leaves no mode to read
    reader::GeometryTable geometry;
    reader::AtomTable modes;
    double frequency = 0.0;
    RunEnd end;
};

inline void readAll(void* context) {
    Reading& r = *static_cast<Reading*>(context);
    r.format = reader::recogniseFormat(r.file);
    if (r.format != reader::Format::gaussian && r.format != reader::Format::xtb) {
        reader::readVibrations(r.file, r.format, r.mode < 1 ? 1 : r.mode);
        r.atoms = reader::atomCount;
        const int last = reader::modeList.count;
        if (r.mode == 0) r.mode = last;
        if (r.mode < 1 || r.mode > last) {
            r.modeRejected = true;
            return;
        }
        reader::readVibrationVector(r.file, r.format, r.mode, r.modes);
        for (int i = 0; i < r.atoms; ++i)
            for (int k = 0; k < 4; ++k) r.geometry[i][k] = reader::geometry[i][k];
        r.frequency = reader::firstFrequency;
        return;
    }
    reader::OutputLayout layout;
    reader::countAtoms(r.file, layout, r.atoms);
    r.tables = layout.orientationCount;
    const int last = 3 * r.atoms - 6;
    if (r.mode == 0) r.mode = last;
    if (r.mode < 1 || r.mode > last) {
        r.modeRejected = true;
        return;
    }
    reader::readGeometry(r.file, r.atoms, layout, r.geometry);
    reader::readModeVector(r.file, reader::modeBlock(r.mode), reader::modeColumn(r.mode), r.atoms,
                           layout, r.modes);
    if (r.format == reader::Format::xtb) reader::undoXtbMassWeighting(r.file, r.modes, r.atoms);
    r.frequency = reader::readFirstFrequency(r.file);
}

// Reads `file` as a run would, for `mode` (0: the last mode).
inline void readPipeline(const std::string& file, Reading& r, int mode = 0) {
    r.file = file;
    r.mode = mode;
    guardedRun(readAll, &r, r.end);
}

// The run ended with status -1 and one "*ERR* <code>" line holding each of `parts`.
inline testing::AssertionResult endedWith(const RunEnd& end, int code,
                                          std::initializer_list<std::string> parts) {
    if (!end.ended) return testing::AssertionFailure() << "the run did not end";
    if (end.status != -1) return testing::AssertionFailure() << "status " << end.status;
    const std::string text(end.diagnostic());
    if (!isOneDiagnostic(text, code))
        return testing::AssertionFailure() << "not one *ERR* " << code << " line: " << text;
    for (const std::string& part : parts)
        if (text.find(part) == std::string::npos)
            return testing::AssertionFailure() << "no \"" << part << "\" in: " << text;
    return testing::AssertionSuccess();
}

// Two readings agree value for value.
inline testing::AssertionResult sameReading(const Reading& a, const Reading& b) {
    if (a.end.ended || b.end.ended) return testing::AssertionFailure() << "a reading ended the run";
    if (a.tables != b.tables || a.atoms != b.atoms || a.mode != b.mode)
        return testing::AssertionFailure() << "tables " << a.tables << "/" << b.tables << ", atoms "
                                           << a.atoms << "/" << b.atoms;
    for (int i = 0; i < a.atoms; ++i)
        for (int k = 0; k < 4; ++k)
            if (a.geometry[i][k] != b.geometry[i][k] || a.modes[i][k] != b.modes[i][k])
                return testing::AssertionFailure() << "atom " << i + 1 << " value " << k;
    if (a.frequency != b.frequency)
        return testing::AssertionFailure() << "frequency " << a.frequency << "/" << b.frequency;
    return testing::AssertionSuccess();
}

} // namespace hostile

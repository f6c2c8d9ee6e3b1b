// Fuzz target: arbitrary bytes as the output of any program Molvane reads but Gaussian, read as
// a run reads it: recogniseFormat, then readVibrations for a mode the input picks, and
// readVibrationVector for the same mode and for another. Gaussian outputs and xtb's g98.out
// are the reader target's. Each reading either returns sound data or ends the run with one
// diagnostic naming the file:
// - atoms 1..1000 with finite coordinates, 1..3N-5 vibrations (3N of a partial Hessian) with
//   finite frequencies, the first frequency the first vibration's;
// - the chosen vector of unit length (or zero), its atomic numbers those of the geometry;
//   a mode outside 1..M moves nothing;
// - stepping to a vibration reads the vector readVibrations reads for it.
// The file is never changed by being read.
#include "reader/vibrations.h"
#include "tests/fuzz/fuzz_support.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace {

using fuzzing::require;

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

// A run that ended: one diagnostic the readers can give, naming the file.
void checkEnd(const testsupport::RunEnd& end, const std::string& path) {
    const int code = fuzzing::diagnosticCode(end);
    require(code == 101 || code == 102 || code == 103 || code == 104 || code == 105 || code == 109,
            "an unexpected diagnostic code", end.diagnostic());
    require(end.diagnostic().find(path) != std::string_view::npos,
            "a diagnostic that does not name the file", end.diagnostic());
}

void checkVector(const reader::AtomTable& vector, int mode) {
    double sum = 0.0;
    for (int i = 0; i < reader::atomCount; ++i) {
        require(vector[i][0] == float(reader::geometry[i][0]),
                "a vector's atomic number differs from the geometry's");
        for (int k = 1; k <= 3; ++k) {
            require(std::isfinite(vector[i][k]), "a displacement that is not finite");
            sum += double(vector[i][k]) * vector[i][k];
        }
    }
    if (mode < 1 || mode > reader::modeList.count)
        require(sum == 0.0, "a mode outside the list moves atoms");
    else
        require(sum == 0.0 || std::fabs(sum - 1.0) < 1e-4, "a vector not of unit length");
}

reader::AtomTable chosen, again;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = fuzzing::writeScratch("output.dat", bytes);
    reader::Format format = reader::Format::gaussian;
    const testsupport::RunEnd recognition =
        testsupport::guarded([&] { format = reader::recogniseFormat(path); });
    if (recognition.ended) {
        checkEnd(recognition, path);
        require(contents(path) == bytes, "reading changed the file");
        return 0;
    }
    if (format == reader::Format::gaussian || format == reader::Format::xtb) return 0;

    // The mode from the last byte: mostly within the list, sometimes past it or below 1.
    const int pick = size > 0 ? data[size - 1] : 0;
    int mode = pick % 8 == 7 ? -(pick % 3) : 1 + pick % 16;
    const testsupport::RunEnd reading =
        testsupport::guarded([&] { reader::readVibrations(path, format, mode); });
    if (reading.ended) {
        checkEnd(reading, path);
        require(contents(path) == bytes, "reading changed the file");
        return 0;
    }
    const int n = reader::atomCount;
    const int m = reader::modeList.count;
    require(n >= 1 && n <= reader::atomCapacity, "an atom count out of range");
    require(m >= 1 && m <= 3 * n, "a vibration count out of range");
    for (int i = 0; i < n; ++i)
        for (double v : reader::geometry[i]) require(std::isfinite(v), "a coordinate not finite");
    for (int i = 0; i < m; ++i)
        require(std::isfinite(reader::modeList.frequency[i]), "a frequency that is not finite");
    require(reader::firstFrequency == reader::modeList.frequency[0],
            "the first frequency is not the first vibration's");
    checkVector(reader::modeVector, mode);
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < 4; ++k) chosen[i][k] = reader::modeVector[i][k];

    // Stepping: the same vibration again, then the last one.
    const int last = m;
    for (const int step : {mode, last}) {
        const testsupport::RunEnd stepEnd =
            testsupport::guarded([&] { reader::readVibrationVector(path, format, step, again); });
        if (stepEnd.ended) {
            checkEnd(stepEnd, path);
            require(step != mode, "stepping to the vibration just read failed",
                    stepEnd.diagnostic());
            break;
        }
        checkVector(again, step);
        if (step == mode)
            for (int i = 0; i < n; ++i)
                for (int k = 0; k < 4; ++k)
                    require(again[i][k] == chosen[i][k],
                            "stepping reads another vector than readVibrations");
    }
    require(contents(path) == bytes, "reading changed the file");
    return 0;
}

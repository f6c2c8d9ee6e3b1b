// Telling a path's format from the file's content and handing it to the format's reader.
#include "path/path_file.h"

#include "path/format_paths.h"
#include "reader/vibrations.h"

namespace path {
namespace {

// Whether the file's first line that is not blank is an atom count alone, as in an xyz file.
bool startsWithAtomCount(std::string_view fileName) {
    reader::scan::open(fileName, "xyz file");
    std::string_view line, field[2];
    int count = 0;
    bool found = false;
    while (reader::scan::nextLine(line)) {
        const int n = reader::scan::splitFields(line, field, 2);
        if (n == 0) continue;
        found = n == 1 && reader::scan::toInteger(field[0], count) && count > 0;
        break;
    }
    reader::scan::close();
    return found;
}

reader::GeometryTable firstGeometry;

} // namespace

bool readPath(std::string_view fileName) {
    index = Index{};
    if (startsWithAtomCount(fileName)) {
        reader::scan::open(fileName, "xyz file");
        indexXyz();
    } else {
        const reader::Format format = reader::recogniseFormat(fileName);
        if (format == reader::Format::gaussian) {
            reader::scan::open(fileName, "Gaussian output");
            indexGaussian();
        } else if (format == reader::Format::orcaOutput) {
            reader::scan::open(fileName, "ORCA output");
            indexOrca();
        } else {
            return false;
        }
    }
    reader::scan::close();
    if (index.count < 2) return false;
    finishIndex();
    // The first step's table sets the atom count every step is checked against.
    if (index.source != Source::xyz) readStep(fileName, 0, firstGeometry);
    return true;
}

void readStep(std::string_view fileName, int i, reader::GeometryTable& geometry) {
    switch (index.source) {
    case Source::gaussian:
        reader::scan::open(fileName, "Gaussian output");
        break;
    case Source::orca:
        reader::scan::open(fileName, "ORCA output");
        break;
    case Source::xyz:
        reader::scan::open(fileName, "xyz file");
        break;
    }
    switch (index.source) {
    case Source::gaussian:
        readGaussianStep(steps[i], geometry);
        break;
    case Source::orca:
        readOrcaStep(steps[i], geometry);
        break;
    case Source::xyz:
        readXyzStep(steps[i], geometry);
        break;
    }
    reader::scan::close();
}

} // namespace path

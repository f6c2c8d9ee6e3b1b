// Molecules for drawing tests and benchmarks, loaded into the run data and the renderer's
// blocks: mode 1 of a Gaussian output read as a run reads it, and a generated molecule of many
// atoms. Header only: the includer links the reader and the renderer.
#pragma once

#include <cmath>
#include <string>

#include "reader/gaussian_reader.h"
#include "reader/run_data.h"
#include "render/run_blocks.h"

namespace testsupport {

// Mode 1 of the output `name` at amplitude 0.5.
inline void loadFirstMode(const std::string& name) {
    reader::OutputLayout layout;
    reader::countAtoms(name, layout, reader::atomCount);
    reader::readGeometry(name, reader::atomCount, layout, reader::geometry);
    reader::readModeVector(name, reader::modeBlock(1), reader::modeColumn(1), reader::atomCount,
                           layout, reader::modeVector);
    reader::amplitude = 0.5f;
    reader::prepareViewData(render::atomCount, render::atomTable, render::motionTable,
                            render::viewVolume);
}

// `atoms` atoms of every element on a 10 x 10 x 10 grid 1.1 Angstrom apart, each with its own
// small displacement, at amplitude 0.5.
inline void buildGridMolecule(int atoms) {
    reader::atomCount = atoms;
    reader::amplitude = 0.5f;
    for (int i = 0; i < atoms; ++i) {
        const double z = 1 + (i * 37) % 112;
        reader::geometry[i][0] = z;
        reader::geometry[i][1] = (i % 10 - 4.5) * 1.1;
        reader::geometry[i][2] = (i / 10 % 10 - 4.5) * 1.1;
        reader::geometry[i][3] = (i / 100 - 4.5) * 1.1;
        reader::modeVector[i][0] = float(z);
        reader::modeVector[i][1] = float(0.3 * std::sin(i * 0.7));
        reader::modeVector[i][2] = float(0.3 * std::cos(i * 1.3));
        reader::modeVector[i][3] = float(0.2 * std::sin(i * 2.1));
    }
    reader::prepareViewData(render::atomCount, render::atomTable, render::motionTable,
                            render::viewVolume);
}

} // namespace testsupport

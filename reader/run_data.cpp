// The one instance of the run data, and prepareViewData, which turns what was read into
// the renderer's blocks and the bounds of its orthographic view volume.
#include "reader/run_data.h"

#include <cmath>

namespace reader {

textio::FixedText<70> inputFileName;
int modeNumber = 0;
float amplitude = 0.5f;

int atomCount = 0;
GeometryTable geometry;
AtomTable modeVector;
double firstFrequency = 0.0;
ModeList modeList;

void prepareViewData(int& rendererAtomCount, AtomTable& atomTable, AtomTable& motionTable,
                     ViewVolume& viewVolume) {
    // Running extremes per axis, single precision, starting at the origin.
    float high[3] = {0.0f, 0.0f, 0.0f};
    float low[3] = {0.0f, 0.0f, 0.0f};
    const int n = atomCount < atomCapacity ? atomCount : atomCapacity;
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < 4; ++k) {
            atomTable[i][k] = float(geometry[i][k]);
            motionTable[i][k] = amplitude * modeVector[i][k];
        }
        for (int axis = 0; axis < 3; ++axis) {
            const double p = geometry[i][axis + 1];
            const double d = std::fabs(double(modeVector[i][axis + 1]));
            const float e = float(p >= 0.0 ? p + d : p - d);
            if (e > high[axis]) high[axis] = e;
            if (e < low[axis]) low[axis] = e;
        }
    }
    viewVolume[0] = high[0] + 3.0f;
    viewVolume[1] = low[0] - 3.0f;
    viewVolume[2] = high[1] + 3.0f;
    viewVolume[3] = low[1] - 3.0f;
    viewVolume[4] = (high[2] - low[2]) + 5.0f;
    viewVolume[5] = 1.0;
    rendererAtomCount = atomCount;
}

} // namespace reader

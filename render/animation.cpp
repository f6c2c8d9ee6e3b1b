// Frame counter, phase factor and displaced positions of the vibration.
#include "render/animation.h"

#include <climits>
#include <cmath>

namespace render {

namespace {
int counter = 0;
}

float phaseFactor() { return float(std::sin(double(counter) * 6.283 / 100.0)); }

void displayedPosition(const reader::AtomTable& atoms, const reader::AtomTable& motion, int index,
                       float s, double position[3]) {
    for (int k = 0; k < 3; ++k) {
        position[k] = double(atoms[index][k + 1]) + double(s) * double(motion[index][k + 1]);
    }
}

void advanceFrameCounter() { counter = (counter == INT_MAX) ? 0 : counter + 1; }

int frameCounter() { return counter; }
void setFrameCounter(int count) { counter = count; }

} // namespace render

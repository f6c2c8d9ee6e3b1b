// xtb prints mass-weighted normal coordinates in Gaussian 98's columns; taken as printed they
// swing heavy atoms too far (water's bend: O 0.28 where Gaussian prints 0.07).
#include "reader/xtb_output.h"

#include "reader/format_support.h"

#include <cmath>
#include <cstdio>

namespace reader {

void undoXtbMassWeighting(std::string_view fileName, AtomTable& vector, int atomCount) {
    for (int i = 0; i < atomCount; ++i) {
        const float number = vector[i][0];
        const int z = int(number);
        const double weight = float(z) == number ? scan::standardAtomicWeight(z) : 0.0;
        if (weight <= 0.0) {
            char message[400];
            std::snprintf(message, sizeof message,
                          "%.*s: atom %d of the mode has atomic number %g, which names no element",
                          int(fileName.size()), fileName.data(), i + 1, double(number));
            textio::failRun(message);
        }
        const double scale = 1.0 / std::sqrt(weight);
        for (int k = 1; k <= 3; ++k) vector[i][k] = float(double(vector[i][k]) * scale);
    }
    scan::normalise(vector, atomCount);
}

} // namespace reader

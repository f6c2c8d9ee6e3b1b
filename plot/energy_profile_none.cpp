// The Windows build's energy profile: Debian's mingw-w64 has no cairo to draw it with.
#include "plot/energy_profile.h"

namespace plot {

bool writeEnergyProfile(const char*, const Profile&, int, int, const char*& why) {
    why = "this build writes no energy plot (it has no cairo)";
    return false;
}

} // namespace plot

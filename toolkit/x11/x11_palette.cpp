// Palette handling of the X11 binding. The visuals it chooses are true-colour and bring their
// own colour map, so there is no palette to make, realise or hand back.
#include "toolkit/platform.h"

namespace toolkit {

void platform::releasePalette() {}

} // namespace toolkit

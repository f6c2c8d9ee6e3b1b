// Storage of the renderer's run data blocks.
#include "render/run_blocks.h"

namespace render {

int atomCount = 0;
reader::AtomTable atomTable;
reader::AtomTable motionTable;
reader::ViewVolume viewVolume;

} // namespace render

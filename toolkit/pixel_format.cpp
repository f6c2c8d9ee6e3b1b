// Mode word to buffer request, and the closest-format choice.
#include "toolkit/pixel_format.h"

#include "toolkit/toolkit.h"

namespace toolkit {

BufferRequest bufferRequestFromMode(unsigned mode) {
    BufferRequest r{};
    r.colourIndex = (mode & modeIndex) != 0;
    r.doubleBuffer = (mode & modeDouble) != 0;
    r.colourBits = r.colourIndex ? 8 : 24;
    r.alphaBits = (mode & modeAlpha) ? 8 : 0;
    r.accumBits = (mode & modeAccum) ? r.colourBits + r.alphaBits : 0;
    if (mode & modeDepth16)
        r.depthBits = 16;
    else if (mode & modeDepth)
        r.depthBits = 32;
    r.stencilBits = (mode & modeStencil) ? 4 : 0;
    return r;
}

namespace {

bool qualifies(const BufferRequest& r, const FormatInfo& f) {
    if (!f.usable || f.colourIndex != r.colourIndex || f.doubleBuffer != r.doubleBuffer)
        return false;
    if (r.alphaBits > 0 && f.alphaBits == 0) return false;
    if (r.accumBits > 0 && f.accumBits == 0) return false;
    if (r.depthBits > 0 && f.depthBits == 0) return false;
    if (r.stencilBits > 0 && f.stencilBits == 0) return false;
    return true;
}

void addDistance(int want, int have, long& missing, long& extra) {
    if (have < want)
        missing += want - have;
    else
        extra += have - want;
}

} // namespace

int closestFormat(const BufferRequest& request, const FormatInfo* formats, int count) {
    int best = -1;
    long bestMissing = 0, bestExtra = 0;
    for (int i = 0; i < count; ++i) {
        const FormatInfo& f = formats[i];
        if (!qualifies(request, f)) continue;
        long missing = 0, extra = 0;
        addDistance(request.colourBits, f.colourBits, missing, extra);
        addDistance(request.alphaBits, f.alphaBits, missing, extra);
        addDistance(request.accumBits, f.accumBits, missing, extra);
        addDistance(request.depthBits, f.depthBits, missing, extra);
        addDistance(request.stencilBits, f.stencilBits, missing, extra);
        if (best < 0 || missing < bestMissing || (missing == bestMissing && extra < bestExtra)) {
            best = i;
            bestMissing = missing;
            bestExtra = extra;
        }
    }
    return best;
}

} // namespace toolkit

// From the display mode word to a pixel format: what the word asks for, and the choice of the
// closest format a window system offers. Shared by every binding.
#pragma once

namespace toolkit {

// Buffers a mode word asks for. Bit counts are per buffer (colour: red + green + blue, or the
// index size); accumulation asks for as many bits as colour plus alpha.
struct BufferRequest {
    bool colourIndex;
    bool doubleBuffer;
    int colourBits;
    int alphaBits;
    int accumBits;
    int depthBits;
    int stencilBits;
};

BufferRequest bufferRequestFromMode(unsigned mode);

// One format a window system offers, in the same terms. usable: it can draw into a window of
// this display at all.
struct FormatInfo : BufferRequest {
    bool usable;
};

// Index of the closest format with at least the requested buffers, or -1 when none qualifies.
// A format qualifies when it is usable, has the requested pixel type and buffering (single
// exactly single, double exactly double) and has every requested alpha, accumulation, depth and
// stencil buffer. Among those it takes the one that misses fewest requested bits, then carries
// fewest bits beyond the request; the first on a tie.
int closestFormat(const BufferRequest& request, const FormatInfo* formats, int count);

} // namespace toolkit

// Decisions shared by every binding: the buffers a mode word asks for, the closest format,
// characters to key codes.
#include <gtest/gtest.h>

#include "toolkit/events.h"
#include "toolkit/pixel_format.h"
#include "toolkit/toolkit.h"

namespace {

using toolkit::BufferRequest;
using toolkit::FormatInfo;

TEST(ModeWord, ProgramModeAsksForDoubleBufferedRgbaWith16DepthBits) {
    BufferRequest r = toolkit::bufferRequestFromMode(0x102);
    EXPECT_FALSE(r.colourIndex);
    EXPECT_TRUE(r.doubleBuffer);
    EXPECT_EQ(r.colourBits, 24);
    EXPECT_EQ(r.alphaBits, 0);
    EXPECT_EQ(r.accumBits, 0);
    EXPECT_EQ(r.depthBits, 16);
    EXPECT_EQ(r.stencilBits, 0);
}

TEST(ModeWord, EachBitAsksForItsBuffer) {
    BufferRequest r = toolkit::bufferRequestFromMode(0x1 | 0x8 | 0x10 | 0x20 | 0x40);
    EXPECT_TRUE(r.colourIndex);
    EXPECT_FALSE(r.doubleBuffer);
    EXPECT_EQ(r.colourBits, 8);
    EXPECT_EQ(r.alphaBits, 8);
    EXPECT_EQ(r.accumBits, 16) << "colour plus alpha bits";
    EXPECT_EQ(r.depthBits, 32);
    EXPECT_EQ(r.stencilBits, 4);
    EXPECT_EQ(toolkit::bufferRequestFromMode(0x120).depthBits, 16) << "0x100 wins over 0x20";
    EXPECT_EQ(toolkit::bufferRequestFromMode(0x8).accumBits, 24);
    EXPECT_EQ(toolkit::bufferRequestFromMode(0x0).depthBits, 0);
}

FormatInfo rgba(bool doubleBuffer, int colour, int alpha, int depth, int stencil) {
    return {{false, doubleBuffer, colour, alpha, 0, depth, stencil}, true};
}

TEST(ClosestFormat, TakesTheClosestOfThoseWithTheRequestedBuffers) {
    BufferRequest want = toolkit::bufferRequestFromMode(0x102);
    FormatInfo formats[] = {
        rgba(false, 24, 0, 16, 0),             // single-buffered: not offered for a double request
        rgba(true, 24, 0, 0, 0),               // no depth buffer
        rgba(true, 24, 8, 24, 8),              // more than asked
        rgba(true, 24, 0, 24, 8),              // closer
        {false, false, true, 24, 0, 0, 16, 0}, // cannot draw into a window
        {true, true, true, 8, 0, 0, 16, 0},    // colour index
    };
    EXPECT_EQ(toolkit::closestFormat(want, formats, 6), 3);
    formats[1].depthBits = 16;
    EXPECT_EQ(toolkit::closestFormat(want, formats, 6), 1) << "exact fit";
}

TEST(ClosestFormat, MissingBitsWeighMoreThanExtraOnesAndTheFirstWinsATie) {
    BufferRequest want = toolkit::bufferRequestFromMode(0x102);
    FormatInfo formats[] = {rgba(true, 16, 0, 16, 0), rgba(true, 30, 0, 32, 0),
                            rgba(true, 30, 0, 32, 0)};
    EXPECT_EQ(toolkit::closestFormat(want, formats, 3), 1);
    FormatInfo onlyShallow[] = {rgba(true, 16, 0, 16, 0)};
    EXPECT_EQ(toolkit::closestFormat(want, onlyShallow, 1), 0) << "closest, though short";
}

TEST(ClosestFormat, SingleBufferAsksForSingleBufferOnly) {
    BufferRequest want = toolkit::bufferRequestFromMode(0x100);
    FormatInfo formats[] = {rgba(true, 24, 0, 16, 0)};
    EXPECT_EQ(toolkit::closestFormat(want, formats, 1), -1);
    formats[0].doubleBuffer = false;
    EXPECT_EQ(toolkit::closestFormat(want, formats, 1), 0);
    EXPECT_EQ(toolkit::closestFormat(want, formats, 0), -1);
}

TEST(KeyFromCharacter, LettersAndDigitsGiveTheirCodeAllElseNothing) {
    for (int c : {'0', '9', 'a', 'z', 'A', 'Z'}) EXPECT_EQ(toolkit::keyFromCharacter(c), c);
    for (int c :
         {int('/'), int(':'), int('@'), int('['), int('`'), int('{'), int(' '), 13, 27, 0, 0xE9})
        EXPECT_EQ(toolkit::keyFromCharacter(c), 0) << c;
}

} // namespace

// Element table: every atomic number gets its column's colour, the radius examples hold,
// and numbers without an entry (0, negative, beyond 112, NaN) get the fallback style.
#include "render/elements.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace render {
namespace {

struct Column {
    double red, green, blue;
    std::initializer_list<int> members;
};

// The columns of the periodic table as listed by colour, independent of the per-element table.
const Column columns[] = {
    {0.5, 0.1, 0.5, {1, 3, 11, 19, 37, 55, 87}},
    {0.4, 0.4, 0.2, {4, 12, 20, 38, 56, 88}},
    {0.0, 0.0, 1.0, {21, 39}},
    {0.0, 1.0, 0.0, {22, 40, 72, 104}},
    {1.0, 0.0, 0.0, {23, 41, 73, 105}},
    {1.0, 0.14, 0.66666, {24, 42, 74, 106}},
    {0.3, 0.6, 0.1, {25, 43, 75, 107}},
    {0.9, 0.6, 0.0, {26, 44, 76, 108}},
    {0.4, 1.0, 0.7, {27, 45, 77, 109}},
    {1.0, 1.0, 0.0, {28, 46, 78, 110}},
    {1.0, 1.0, 0.8, {29, 47, 79, 111}},
    {1.0, 0.0, 1.0, {30, 48, 80, 112}},
    {1.0, 1.0, 1.0, {5, 13, 31, 49, 81}},
    {0.1, 0.3, 0.4, {6, 14, 32, 50, 82}},
    {0.7, 0.3, 0.4, {7, 15, 33, 51, 83}},
    {0.7, 0.9, 0.5, {8, 16, 34, 52, 84}},
    {0.6, 0.5, 1.0, {9, 17, 35, 53, 85}},
    {0.5, 0.1, 0.1, {2, 10, 18, 36, 54, 86}},
};

TEST(Elements, EveryAtomicNumberHasItsColumnsColour) {
    int seen[elementCount + 1] = {};
    for (const Column& c : columns) {
        for (int z : c.members) {
            const ElementStyle& s = elementStyle(float(z));
            EXPECT_EQ(s.red, c.red) << "Z = " << z;
            EXPECT_EQ(s.green, c.green) << "Z = " << z;
            EXPECT_EQ(s.blue, c.blue) << "Z = " << z;
            ++seen[z];
        }
    }
    for (int z = 57; z <= 103; ++z) {
        if (z > 71 && z < 89) continue;
        const ElementStyle& s = elementStyle(float(z));
        EXPECT_EQ(s.red, 0.3) << "Z = " << z;
        EXPECT_EQ(s.green, 0.2) << "Z = " << z;
        EXPECT_EQ(s.blue, 0.4) << "Z = " << z;
        ++seen[z];
    }
    for (int z = 1; z <= elementCount; ++z) EXPECT_EQ(seen[z], 1) << "Z = " << z;
}

TEST(Elements, RadiusValues) {
    EXPECT_FLOAT_EQ(elementStyle(1.0f).radius / 250.0f, 0.2f);
    EXPECT_FLOAT_EQ(elementStyle(6.0f).radius / 250.0f, 0.308f);
    EXPECT_FLOAT_EQ(elementStyle(8.0f).radius / 250.0f, 0.264f);
    EXPECT_EQ(elementStyle(9.0f).radius, 71.7f);
    EXPECT_EQ(elementStyle(34.0f).radius, 215.2f);
    EXPECT_EQ(elementStyle(55.0f).radius, 265.4f);
    EXPECT_EQ(elementStyle(87.0f).radius, 270.0f);
    EXPECT_EQ(elementStyle(95.0f).radius, 184.0f);
    EXPECT_EQ(elementStyle(15.0f).radius, elementStyle(16.0f).radius); // P and S share 104
    EXPECT_EQ(elementStyle(85.0f).radius, 200.0f);
    EXPECT_EQ(elementStyle(86.0f).radius, 200.0f);
    for (int z = 96; z <= elementCount; ++z) EXPECT_EQ(elementStyle(float(z)).radius, 200.0f);
    // The view's depth bounds count on no sphere being larger than largestRadius.
    float largest = unknownElementStyle.radius;
    for (int z = 1; z <= elementCount; ++z)
        largest = std::max(largest, elementStyle(float(z)).radius);
    EXPECT_EQ(largest, largestRadius);
}

TEST(Elements, AtomicNumberIsTruncatedTowardZero) {
    EXPECT_EQ(&elementStyle(6.0f), &elementStyle(6.9f));
    EXPECT_EQ(&elementStyle(112.0f), &elementStyle(112.99f));
    EXPECT_NE(&elementStyle(1.0f), &unknownElementStyle);
    EXPECT_EQ(&elementStyle(0.99f), &unknownElementStyle);
}

TEST(Elements, NumbersWithoutAnEntryGetTheFallbackStyle) {
    const float outside[] = {0.0f,
                             -0.5f,
                             -1.0f,
                             -6.0f,
                             113.0f,
                             200.0f,
                             1e30f,
                             -1e30f,
                             std::numeric_limits<float>::infinity(),
                             std::numeric_limits<float>::quiet_NaN()};
    for (float z : outside) EXPECT_EQ(&elementStyle(z), &unknownElementStyle) << "Z = " << z;
    // The fallback is drawable and stands apart from the grey background.
    EXPECT_GT(unknownElementStyle.radius, 0.0f);
    EXPECT_LT(unknownElementStyle.red, 0.5);
}

} // namespace
} // namespace render

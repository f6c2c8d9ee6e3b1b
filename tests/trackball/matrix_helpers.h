// Small helpers for trackball tests: column-major 4 x 4 rotation matrices as plain arrays.
#pragma once

namespace trackball_test {

// out = m applied to v (upper-left 3 x 3 block of a column-major matrix).
inline void apply(const float m[16], const float v[3], float out[3]) {
    for (int row = 0; row < 3; ++row)
        out[row] = m[row] * v[0] + m[4 + row] * v[1] + m[8 + row] * v[2];
}

// out = a * transpose(b): for rotations, the step that turns b's picture into a's.
inline void timesTransposed(const float a[16], const float b[16], float out[16]) {
    for (int k = 0; k < 16; ++k) out[k] = 0.0f;
    out[15] = 1.0f;
    for (int col = 0; col < 3; ++col)
        for (int row = 0; row < 3; ++row) {
            float s = 0.0f;
            for (int i = 0; i < 3; ++i) s += a[i * 4 + row] * b[i * 4 + col];
            out[col * 4 + row] = s;
        }
}

} // namespace trackball_test

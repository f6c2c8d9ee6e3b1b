// Three-float vector operations used by the trackball's projection and rotation maths.
#pragma once

#include <cmath>

namespace trackball {

// v = (x, y, z).
inline void vset(float v[3], float x, float y, float z) {
    v[0] = x;
    v[1] = y;
    v[2] = z;
}
// v = (0, 0, 0).
inline void vzero(float v[3]) { vset(v, 0.0f, 0.0f, 0.0f); }
// dst = src.
inline void vcopy(const float src[3], float dst[3]) { vset(dst, src[0], src[1], src[2]); }
// dst = a - b.
inline void vsub(const float a[3], const float b[3], float dst[3]) {
    vset(dst, a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}
// dst = a + b.
inline void vadd(const float a[3], const float b[3], float dst[3]) {
    vset(dst, a[0] + b[0], a[1] + b[1], a[2] + b[2]);
}
// v = v * factor.
inline void vscale(float v[3], float factor) {
    v[0] *= factor;
    v[1] *= factor;
    v[2] *= factor;
}
// a . b
inline float vdot(const float a[3], const float b[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
// dst = a x b; dst may not be a or b.
inline void vcross(const float a[3], const float b[3], float dst[3]) {
    vset(dst, a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]);
}
// |v|
inline float vlength(const float v[3]) { return std::sqrt(vdot(v, v)); }
// v = v / |v|; v must not be the zero vector.
inline void vnormal(float v[3]) { vscale(v, 1.0f / vlength(v)); }

} // namespace trackball

// Trackball mathematics: ball-and-sheet projection, drag increments, composition, matrix.
#include "trackball/quaternion.h"

#include <cmath>

#include "trackball/vector3.h"

namespace trackball {

float projectToSurface(float r, float x, float y) {
    const float d = std::sqrt(x * x + y * y);
    if (d < r * 0.70710677f) {
        return std::sqrt(r * r - d * d);
    }
    const float t = r / 1.4142135f;
    return t * t / d;
}

void axisToQuaternion(float a[3], float phi, float q[4]) {
    if (vlength(a) == 0.0f) {
        q[0] = q[1] = q[2] = 0.0f;
        q[3] = 1.0f;
        return;
    }
    vnormal(a);
    const float h = phi * 0.5f;
    const float s = std::sin(h);
    q[0] = a[0] * s;
    q[1] = a[1] * s;
    q[2] = a[2] * s;
    q[3] = std::cos(h);
}

void rotationIncrement(float q[4], float p1x, float p1y, float p2x, float p2y) {
    if (p1x == p2x && p1y == p2y) {
        q[0] = q[1] = q[2] = 0.0f;
        q[3] = 1.0f;
        return;
    }
    float p1[3], p2[3], axis[3], diff[3];
    vset(p1, p1x, p1y, projectToSurface(ballRadius, p1x, p1y));
    vset(p2, p2x, p2y, projectToSurface(ballRadius, p2x, p2y));
    vcross(p2, p1, axis);
    vsub(p1, p2, diff);
    float t = vlength(diff) / (2.0f * ballRadius);
    if (t > 1.0f) t = 1.0f;
    if (t < -1.0f) t = -1.0f;
    const float phi = 2.0f * std::asin(t);
    axisToQuaternion(axis, phi, q);
}

void composeRotations(const float q1[4], const float q2[4], float dest[4], int& count) {
    float t1[3], t2[3], t3[3], v[3];
    vcopy(q1, t1);
    vscale(t1, q2[3]);
    vcopy(q2, t2);
    vscale(t2, q1[3]);
    vcross(q2, q1, t3);
    vadd(t1, t2, v);
    vadd(t3, v, v);
    const float w = q1[3] * q2[3] - vdot(q1, q2);
    dest[0] = v[0];
    dest[1] = v[1];
    dest[2] = v[2];
    dest[3] = w;

    if (++count > renormaliseAfter) {
        count = 0;
        const float len = std::sqrt(dest[0] * dest[0] + dest[1] * dest[1] + dest[2] * dest[2] +
                                    dest[3] * dest[3]);
        for (int i = 0; i < 4; ++i) dest[i] /= len;
    }
}

void rotationMatrix(const float q[4], float m[16]) {
    const float x = q[0], y = q[1], z = q[2], w = q[3];
    m[0] = 1.0f - 2.0f * (y * y + z * z);
    m[1] = 2.0f * (x * y - z * w);
    m[2] = 2.0f * (z * x + y * w);
    m[3] = 0.0f;
    m[4] = 2.0f * (x * y + z * w);
    m[5] = 1.0f - 2.0f * (z * z + x * x);
    m[6] = 2.0f * (y * z - x * w);
    m[7] = 0.0f;
    m[8] = 2.0f * (z * x - y * w);
    m[9] = 2.0f * (y * z + x * w);
    m[10] = 1.0f - 2.0f * (y * y + x * x);
    m[11] = 0.0f;
    m[12] = 0.0f;
    m[13] = 0.0f;
    m[14] = 0.0f;
    m[15] = 1.0f;
}

} // namespace trackball

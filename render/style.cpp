// The drawing style's one instance and the sphere size it gives.
#include "render/style.h"

#include "render/elements.h"

namespace render {

DrawingStyle drawingStyle;

double sphereRadius(float atomicNumber) {
    const double radius = elementStyle(atomicNumber).radius / radiusScale;
    return drawingStyle.ballAndStick ? ballShare * radius : radius;
}

} // namespace render

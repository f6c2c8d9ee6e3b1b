// The display elements of a takeover and the colours they get back.
#include "toolkit/win32/display_elements.h"

#include <cstdio>

namespace toolkit::win32::palette {

namespace {

constexpr ElementColour white = {255, 255, 255, true};
constexpr ElementColour black = {0, 0, 0, true};

} // namespace

const DisplayElement displayElements[elementCount] = {
    {"Scrollbar", white},     {"Background", black},
    {"ActiveTitle", black},   {"InactiveTitle", white},
    {"Menu", white},          {"Window", white},
    {"WindowFrame", black},   {"MenuText", black},
    {"WindowText", black},    {"TitleText", white},
    {"ActiveBorder", white},  {"InactiveBorder", white},
    {"AppWorkspace", white},  {"Hilight", black},
    {"HilightText", white},   {"ButtonFace", white},
    {"ButtonShadow", black},  {"GrayText", black},
    {"ButtonText", black},    {"InactiveTitleText", black},
    {"ButtonHilight", black}, {"ButtonDkShadow", black},
    {"ButtonLight", white},   {"InfoText", black},
    {"InfoWindow", white},
};

int changedElementCount(const SystemVersion& v) {
    bool ntThreeFive = v.windowsNt && v.major == 3 && (v.minor == 50 || v.minor == 51);
    return ntThreeFive ? 21 : elementCount;
}

ElementColour handBackColour(const char* userText, const ElementColour& saved) {
    long red = -1, green = -1, blue = -1;
    if (!userText || std::sscanf(userText, "%ld %ld %ld", &red, &green, &blue) != 3) return saved;
    if (red < 0 || red > 255 || green < 0 || green > 255 || blue < 0 || blue > 255) return saved;
    return {static_cast<unsigned char>(red), static_cast<unsigned char>(green),
            static_cast<unsigned char>(blue), false};
}

} // namespace toolkit::win32::palette

// The Win32 binding's translations: position words, buttons, keys, modifier status, and the
// pixel-format descriptor a display mode word asks for.
#include <gtest/gtest.h>

#include "toolkit/toolkit.h"
#include "toolkit/win32/wgl_context.h"
#include "toolkit/win32/win32_input.h"

namespace {

using namespace toolkit::win32;

TEST(Win32Input, PositionHalvesAreUnsigned16Bit) {
    LPARAM word = MAKELPARAM(0xFFF0, 5); // a captured cursor 16 pixels left of the window
    EXPECT_EQ(positionX(word), 65520);
    EXPECT_EQ(positionY(word), 5);
    EXPECT_EQ(positionY(MAKELPARAM(3, 0xFFFF)), 65535);
}

TEST(Win32Input, ButtonMessagesGiveTheToolkitBits) {
    const struct {
        UINT message;
        int button;
        bool pressed;
    } cases[] = {
        {WM_LBUTTONDOWN, 1, true}, {WM_LBUTTONUP, 1, false},   {WM_RBUTTONDOWN, 2, true},
        {WM_RBUTTONUP, 2, false},  {WM_MBUTTONDOWN, 4, true},  {WM_MBUTTONUP, 4, false},
        {WM_MOUSEMOVE, 0, false},  {WM_XBUTTONDOWN, 0, false},
    };
    for (const auto& c : cases) {
        bool pressed = !c.pressed;
        EXPECT_EQ(buttonOfMessage(c.message, pressed), c.button) << std::hex << c.message;
        EXPECT_EQ(pressed, c.pressed) << std::hex << c.message;
    }
    EXPECT_EQ(buttonsFromKeyState(0), 0);
    EXPECT_EQ(buttonsFromKeyState(MK_LBUTTON | MK_SHIFT), 1);
    EXPECT_EQ(buttonsFromKeyState(MK_RBUTTON), 2);
    EXPECT_EQ(buttonsFromKeyState(MK_MBUTTON | MK_CONTROL), 4);
    EXPECT_EQ(buttonsFromKeyState(MK_LBUTTON | MK_MBUTTON | MK_RBUTTON | MK_XBUTTON1), 7);
}

TEST(Win32Input, OnlyTheNamedKeysHaveCodes) {
    EXPECT_EQ(keyFromVirtualKey(VK_RETURN), 13);
    EXPECT_EQ(keyFromVirtualKey(VK_ESCAPE), 27);
    EXPECT_EQ(keyFromVirtualKey(VK_SPACE), 32);
    EXPECT_EQ(keyFromVirtualKey(VK_LEFT), 37);
    EXPECT_EQ(keyFromVirtualKey(VK_UP), 38);
    EXPECT_EQ(keyFromVirtualKey(VK_RIGHT), 39);
    EXPECT_EQ(keyFromVirtualKey(VK_DOWN), 40);
    // Letters and digits come as characters; keypad and function keys not at all.
    for (WPARAM other : {WPARAM('A'), WPARAM('7'), WPARAM(VK_NUMPAD4), WPARAM(VK_F1),
                         WPARAM(VK_SHIFT), WPARAM(VK_TAB), WPARAM(VK_DELETE)})
        EXPECT_EQ(keyFromVirtualKey(other), 0) << other;
    EXPECT_EQ(statusFromKeys(false, false), 0);
    EXPECT_EQ(statusFromKeys(true, false), 1);
    EXPECT_EQ(statusFromKeys(false, true), 2);
    EXPECT_EQ(statusFromKeys(true, true), 3);
}

TEST(Win32PixelFormat, TheProgramsModeAsksForDoubleBufferedRgbaWithDepth) {
    PIXELFORMATDESCRIPTOR pfd = wgl::descriptorFromMode(0x102);
    EXPECT_EQ(pfd.nSize, 40);
    EXPECT_EQ(pfd.nVersion, 1);
    EXPECT_EQ(pfd.dwFlags, DWORD(PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER));
    EXPECT_EQ(pfd.iPixelType, PFD_TYPE_RGBA);
    EXPECT_EQ(pfd.cColorBits, 24);
    EXPECT_EQ(pfd.cAlphaBits, 0);
    EXPECT_EQ(pfd.cAccumBits, 0);
    EXPECT_EQ(pfd.cDepthBits, 16);
    EXPECT_EQ(pfd.cStencilBits, 0);
    EXPECT_EQ(pfd.cAuxBuffers, 0);
    EXPECT_EQ(pfd.iLayerType, PFD_MAIN_PLANE);
}

TEST(Win32PixelFormat, EveryModeBitReachesItsField) {
    // Colour index, single buffer, accumulation, alpha, 32-bit depth, stencil.
    PIXELFORMATDESCRIPTOR pfd = wgl::descriptorFromMode(0x1 | 0x8 | 0x10 | 0x20 | 0x40);
    EXPECT_EQ(pfd.dwFlags, DWORD(PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL));
    EXPECT_EQ(pfd.iPixelType, PFD_TYPE_COLORINDEX);
    EXPECT_EQ(pfd.cColorBits, 8);
    EXPECT_EQ(pfd.cAlphaBits, 8);
    EXPECT_EQ(pfd.cAccumBits, 16); // colour plus alpha bits
    EXPECT_EQ(pfd.cDepthBits, 32);
    EXPECT_EQ(pfd.cStencilBits, 4);
    // 0x100 wins over 0x20; 0x200 asks for nothing in the descriptor.
    pfd = wgl::descriptorFromMode(0x20 | 0x100 | 0x200);
    EXPECT_EQ(pfd.cDepthBits, 16);
    EXPECT_EQ(pfd.cColorBits, 24);
    EXPECT_EQ(pfd.dwFlags, DWORD(PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL));
}

} // namespace

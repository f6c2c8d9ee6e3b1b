// X11 input in the toolkit's terms, without a display: buttons, the wheel, keys, modifiers.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "toolkit/toolkit.h"
#include "toolkit/x11/x11_input.h"

namespace {

using namespace toolkit::x11;

TEST(X11Input, LeftMiddleRightAreOneFourTwoAndTheWheelIsNoButton) {
    EXPECT_EQ(buttonFromX11(Button1), toolkit::buttonLeft);
    EXPECT_EQ(buttonFromX11(Button2), toolkit::buttonMiddle);
    EXPECT_EQ(buttonFromX11(Button3), toolkit::buttonRight);
    for (unsigned wheel = 4; wheel <= 7; ++wheel) EXPECT_EQ(buttonFromX11(wheel), 0);
    EXPECT_EQ(buttonFromX11(8), 0);
    EXPECT_EQ(buttonsFromState(Button1Mask | Button2Mask | Button3Mask | Button4Mask), 7);
    EXPECT_EQ(buttonsFromState(Button2Mask), toolkit::buttonMiddle);
    EXPECT_EQ(buttonsFromState(Button3Mask), toolkit::buttonRight);
}

TEST(X11Input, NamedKeysByKeysymOthersNone) {
    EXPECT_EQ(keyFromKeysym(XK_Return), 13);
    EXPECT_EQ(keyFromKeysym(XK_KP_Enter), 13);
    EXPECT_EQ(keyFromKeysym(XK_Escape), 27);
    EXPECT_EQ(keyFromKeysym(XK_space), 32);
    EXPECT_EQ(keyFromKeysym(XK_Left), 37);
    EXPECT_EQ(keyFromKeysym(XK_Up), 38);
    EXPECT_EQ(keyFromKeysym(XK_Right), 39);
    EXPECT_EQ(keyFromKeysym(XK_Down), 40);
    EXPECT_EQ(keyFromKeysym(XK_KP_Down), 40);
    EXPECT_EQ(keyFromKeysym(XK_a), 0) << "letters come as typed characters";
    EXPECT_EQ(keyFromKeysym(XK_F1), 0);
    EXPECT_EQ(keyFromKeysym(XK_Tab), 0);
}

TEST(X11Input, StatusIsOneForShiftPlusTwoForControl) {
    EXPECT_EQ(statusFromState(0), 0);
    EXPECT_EQ(statusFromState(ShiftMask), 1);
    EXPECT_EQ(statusFromState(ControlMask), 2);
    EXPECT_EQ(statusFromState(ShiftMask | ControlMask | Mod1Mask | LockMask), 3);
}

} // namespace

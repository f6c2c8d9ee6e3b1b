// X11 buttons, keysyms and modifier masks to toolkit codes.
#include "toolkit/x11/x11_input.h"

#include <X11/keysym.h>

#include "toolkit/toolkit.h"

namespace toolkit::x11 {

int buttonFromX11(unsigned button) {
    switch (button) {
    case Button1:
        return buttonLeft;
    case Button2:
        return buttonMiddle;
    case Button3:
        return buttonRight;
    default:
        return 0;
    }
}

int buttonsFromState(unsigned state) {
    int buttons = 0;
    if (state & Button1Mask) buttons |= buttonLeft;
    if (state & Button2Mask) buttons |= buttonMiddle;
    if (state & Button3Mask) buttons |= buttonRight;
    return buttons;
}

int statusFromState(unsigned state) {
    return ((state & ShiftMask) ? 1 : 0) + ((state & ControlMask) ? 2 : 0);
}

int keyFromKeysym(KeySym keysym) {
    switch (keysym) {
    case XK_Return:
    case XK_KP_Enter:
        return keyReturn;
    case XK_Escape:
        return keyEscape;
    case XK_space:
        return keySpace;
    case XK_Home:
    case XK_KP_Home:
        return keyHome;
    case XK_End:
    case XK_KP_End:
        return keyEnd;
    case XK_Left:
    case XK_KP_Left:
        return keyLeft;
    case XK_Up:
    case XK_KP_Up:
        return keyUp;
    case XK_Right:
    case XK_KP_Right:
        return keyRight;
    case XK_Down:
    case XK_KP_Down:
        return keyDown;
    default:
        return 0;
    }
}

} // namespace toolkit::x11

// Message boxes on X11: a small dialog window with the text and an OK button, drawn with core
// Xlib, modal until the user clicks OK, presses Return, Space or Escape, or closes it. Events of
// other windows stay queued meanwhile.
#include <cstdio>
#include <cstring>
#include <string_view>

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include "textio/textio.h"
#include "toolkit/platform.h"
#include "toolkit/x11/x11_errors.h"
#include "toolkit/x11/x11_state.h"

namespace toolkit {

namespace {

using x11::state;

constexpr int lineCapacity = 16;
constexpr int lineLength = 128;
constexpr int wrapColumns = 60;
constexpr int margin = 16;
constexpr int buttonWidth = 80;
constexpr int buttonHeight = 26;

struct Box {
    Window window;
    GC gc;
    XFontStruct* font;
    char lines[lineCapacity][lineLength];
    int lineCount;
    int width, height;
    int buttonX, buttonY;
    bool armed; // OK pressed and not yet released
};

void addLine(Box& box, const char* from, int length) {
    if (box.lineCount >= lineCapacity) return;
    if (length >= lineLength) length = lineLength - 1;
    std::memcpy(box.lines[box.lineCount], from, std::size_t(length));
    box.lines[box.lineCount++][length] = '\0';
}

// Splits the text at its line feeds and wraps long lines at blanks.
void layoutText(Box& box, const char* text) {
    const char* line = text;
    while (*line) {
        int length = int(std::strcspn(line, "\n"));
        const char* end = line + length;
        while (end - line > wrapColumns) {
            int cut = wrapColumns;
            while (cut > 0 && line[cut] != ' ') --cut;
            if (cut == 0) cut = wrapColumns;
            addLine(box, line, cut);
            line += cut;
            while (*line == ' ') ++line;
        }
        addLine(box, line, int(end - line));
        line = *end ? end + 1 : end;
    }
    if (box.lineCount == 0) addLine(box, "", 0);
}

int lineHeight(const Box& box) { return box.font->ascent + box.font->descent + 2; }

void measure(Box& box) {
    int textWidth = 0;
    for (int i = 0; i < box.lineCount; ++i) {
        int w = XTextWidth(box.font, box.lines[i], int(std::strlen(box.lines[i])));
        if (w > textWidth) textWidth = w;
    }
    box.width = (textWidth > 240 ? textWidth : 240) + 2 * margin;
    box.height = margin + box.lineCount * lineHeight(box) + margin + buttonHeight + margin;
    box.buttonX = (box.width - buttonWidth) / 2;
    box.buttonY = box.height - margin - buttonHeight;
}

void draw(const Box& box) {
    Display* d = state.display;
    unsigned long black = BlackPixel(d, state.screen), white = WhitePixel(d, state.screen);
    XSetForeground(d, box.gc, white);
    XFillRectangle(d, box.window, box.gc, 0, 0, unsigned(box.width), unsigned(box.height));
    XSetForeground(d, box.gc, black);
    for (int i = 0; i < box.lineCount; ++i)
        XDrawString(d, box.window, box.gc, margin, margin + i * lineHeight(box) + box.font->ascent,
                    box.lines[i], int(std::strlen(box.lines[i])));
    if (box.armed)
        XFillRectangle(d, box.window, box.gc, box.buttonX, box.buttonY, buttonWidth, buttonHeight);
    else
        XDrawRectangle(d, box.window, box.gc, box.buttonX, box.buttonY, buttonWidth, buttonHeight);
    XSetForeground(d, box.gc, box.armed ? white : black);
    int labelWidth = XTextWidth(box.font, "OK", 2);
    XDrawString(d, box.window, box.gc, box.buttonX + (buttonWidth - labelWidth) / 2,
                box.buttonY + (buttonHeight + box.font->ascent - box.font->descent) / 2, "OK", 2);
}

bool onButton(const Box& box, int x, int y) {
    return x >= box.buttonX && x < box.buttonX + buttonWidth && y >= box.buttonY &&
           y < box.buttonY + buttonHeight;
}

void setHints(const Box& box, const char* caption) {
    Display* d = state.display;
    XStoreName(d, box.window, caption);
    XSizeHints* size = XAllocSizeHints();
    if (size) {
        size->flags = PPosition | PSize | PMinSize | PMaxSize;
        size->min_width = size->max_width = box.width;
        size->min_height = size->max_height = box.height;
        XSetWMNormalHints(d, box.window, size);
        XFree(size);
    }
    XWMHints* wm = XAllocWMHints();
    if (wm) {
        wm->flags = InputHint;
        wm->input = True;
        XSetWMHints(d, box.window, wm);
        XFree(wm);
    }
    if (state.window) XSetTransientForHint(d, box.window, state.window);
    Atom type = XInternAtom(d, "_NET_WM_WINDOW_TYPE", False);
    Atom dialog = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(d, box.window, type, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&dialog), 1);
    XSetWMProtocols(d, box.window, &state.wmDeleteWindow, 1);
}

Bool eventOfBox(Display*, XEvent* event, XPointer window) {
    return event->xany.window == *reinterpret_cast<Window*>(window);
}

bool dismissedBy(Box& box, XEvent& event) {
    switch (event.type) {
    case MapNotify: {
        x11::beginErrorTrap(state.display);
        XSetInputFocus(state.display, box.window, RevertToPointerRoot, CurrentTime);
        x11::endErrorTrap(state.display);
        return false;
    }
    case Expose:
        if (event.xexpose.count == 0) draw(box);
        return false;
    case ButtonPress:
        if (event.xbutton.button == Button1 && onButton(box, event.xbutton.x, event.xbutton.y)) {
            box.armed = true;
            draw(box);
        }
        return false;
    case ButtonRelease:
        if (event.xbutton.button != Button1 || !box.armed) return false;
        box.armed = false;
        draw(box);
        return onButton(box, event.xbutton.x, event.xbutton.y);
    case KeyPress: {
        KeySym key = XLookupKeysym(&event.xkey, 0);
        return key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space;
    }
    case ClientMessage:
        return Atom(event.xclient.data.l[0]) == state.wmDeleteWindow;
    case DestroyNotify:
        return true;
    default:
        return false;
    }
}

// When no box can be shown, the report must not be lost.
void reportOnStandardError(const char* caption, const char* text) {
    std::string_view report = text;
    if (!report.empty() && report.back() == '\n') report.remove_suffix(1); // the line's own end
    textio::writeFailureLine({caption, ": ", report});
}

} // namespace

void platform::showMessageBox(const char* caption, const char* text) {
    if (!x11::openDisplay()) {
        reportOnStandardError(caption, text);
        return;
    }
    Display* d = state.display;
    Box box{};
    box.font = XLoadQueryFont(d, "fixed");
    if (!box.font) {
        reportOnStandardError(caption, text);
        return;
    }
    layoutText(box, text);
    measure(box);

    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    int x = (DisplayWidth(d, state.screen) - box.width) / 2;
    int y = (DisplayHeight(d, state.screen) - box.height) / 2;
    x11::beginErrorTrap(d);
    box.window = XCreateSimpleWindow(d, RootWindow(d, state.screen), x, y, unsigned(box.width),
                                     unsigned(box.height), 1, BlackPixel(d, state.screen),
                                     WhitePixel(d, state.screen));
    if (x11::endErrorTrap(d) != 0) {
        XFreeFont(d, box.font);
        reportOnStandardError(caption, text);
        return;
    }
    XSelectInput(d, box.window,
                 ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask |
                     StructureNotifyMask);
    box.gc = XCreateGC(d, box.window, 0, nullptr);
    XSetFont(d, box.gc, box.font->fid);
    setHints(box, caption);
    XMapRaised(d, box.window);

    XEvent event;
    Window window = box.window;
    bool destroyed = false;
    for (;;) {
        XIfEvent(d, &event, eventOfBox, reinterpret_cast<XPointer>(&window));
        if (dismissedBy(box, event)) {
            destroyed = event.type == DestroyNotify;
            break;
        }
    }

    XFreeGC(d, box.gc);
    XFreeFont(d, box.font);
    x11::beginErrorTrap(d);
    if (!destroyed) XDestroyWindow(d, window);
    if (focus != None && focus != PointerRoot && focus != window)
        XSetInputFocus(d, focus, revert, CurrentTime);
    x11::endErrorTrap(d);
    while (XCheckIfEvent(d, &event, eventOfBox, reinterpret_cast<XPointer>(&window))) {
    }
}

} // namespace toolkit

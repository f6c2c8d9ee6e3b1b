// The null window-system binding: no display and no GL context. Tests script the events it
// delivers and read back what the toolkit asked of it. Opening always gives a window unless
// told otherwise; the callback layer's GL calls are recorded instead of made.
#pragma once

#include <cstdint>

#include "toolkit/toolkit.h"

namespace toolkit::null {

// Screen position of the cursor; getCursorInWindow subtracts the drawing-area origin,
// which is (0, 0) until a placement or a move says otherwise.
void setCursorPosition(int x, int y);

// The next count opens fail at choosing a pixel format (after the window is made, so the
// window is destroyed again and the quit request posted, as on Win32).
void failNextOpens(int count);
// The next opens fail for single-buffered modes only.
void refuseSingleBuffer(bool refuse);
// The next open finds no window system at all.
void setNoDisplay(bool none);

// Scripted events, queued in this order and delivered by the event loop as the window system
// would: a repaint only when nothing else is queued, pending repaints as one.
void pushResize(int width, int height);
void pushMove(int x, int y);
void pushPaint();
void pushButton(int x, int y, int button, bool pressed); // button: toolkit bit 1, 2 or 4
void pushMotion(int x, int y, int buttonsHeld);
void pushKey(int code, int status); // named key: Return, Escape, Space, arrows
void pushChar(int character, int status);
void pushClose();   // the user asks to close the window
int queuedEvents(); // scripted events not yet delivered

// Time is the binding's own: it stands still unless a test advances it or the loop waits.
std::int64_t clock(); // microseconds
void advanceClock(std::int64_t microseconds);
// Called when the loop waits for an event with none scripted (else that ends the test run);
// it may script the events that end the wait.
void setWhenBlocked(void (*script)());

// What the toolkit asked of the binding.
struct Record {
    int opens;                // open attempts, failed ones included
    unsigned openMode;        // mode word of the last attempt
    bool openDefaultPosition; // placement of the last attempt
    int openX, openY, openWidth, openHeight;
    char title[128];            // the title given at opening, or by the last setWindowTitle
    int titleChanges;           // setWindowTitle calls that reached the window
    int captures;               // captureMouse calls
    int releases;               // releaseMouse calls
    bool captured;              // the pointer is captured now
    WindowHandle captureWindow; // window of the last capture
    int redrawRequests;         // requests made while a window was open
    int swaps;
    int syncedSwapRequests;          // requestSyncedSwaps calls
    int timedWaits;                  // waits for an event with a time limit, ...
    std::int64_t waitedMicroseconds; // ... and the time they let pass (none with events queued)
    int blockedWaits;                // waits for an event without a limit, none scripted
    int boxes;                       // message boxes shown
    char boxCaption[16];
    char boxText[256];
    char releaseOrder[64]; // release steps of the last destruction, "context forget"
    int destroyed;         // windows destroyed
    bool openingState;     // clear colour, clear index and identity set
    bool frontBuffer;      // drawing into the front buffer
    int defaultReshapes;   // calls of the default reshape
    int defaultReshapeWidth, defaultReshapeHeight;
};

const Record& record();

// Forgets everything: the binding's window, queue and log, and the toolkit's slots, tables,
// placement and mode.
void reset();

} // namespace toolkit::null

// X11 helpers for the toolkit tests: a second client connection that plays the user through
// XTest, finds windows and asks them to close, and a child process whose output is read line
// by line.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>

namespace testsupport::x {

// The tests' own connection to $DISPLAY (opened once), or null when DISPLAY is unset or the
// server cannot be reached.
Display* probe();

// XTest input, delivered by the server before these return.
void movePointer(Display* display, int x, int y); // screen coordinates
void button(Display* display, unsigned number, bool down);
void key(Display* display, KeySym keysym, bool withShift = false);

// The top-level window with this name, waiting up to timeoutMs for it to appear; 0 when none.
Window findWindow(Display* display, const char* name, int timeoutMs);
// Screen position and size of a window's drawing area.
void windowGeometry(Display* display, Window window, int& x, int& y, int& width, int& height);
// What a window manager sends when the user closes a window.
void sendDeleteWindow(Display* display, Window window);

// A child process with standard output and error on one pipe.
struct Child {
    pid_t pid = -1;
    int output = -1;
    std::string seen; // everything read so far
};

// Starts the program at path with DISPLAY set to display.
Child spawn(const char* path, const char* display);
// Reads until a line equal to line (or starting with it, when prefix) arrives; false on timeout
// or end of output.
bool waitForLine(Child& child, const std::string& line, int timeoutMs);
// True while the child has not ended.
bool running(Child& child);
// Exit status, or -1 if it has not ended within timeoutMs (it is then killed).
int waitForExit(Child& child, int timeoutMs);

// A private X server (Xvfb) with one screen of the given depth on a free display number;
// stopped when the Server goes out of scope.
struct Server {
    pid_t pid = -1;
    std::string name;           // ":N"
    Display* display = nullptr; // a connection to it, kept open while it runs
    Server() = default;
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;
    ~Server();
};
void startServer(Server& server,
                 const char* screen); // e.g. "640x480x8"; pid -1 when it did not start
void stopServer(Server& server);

} // namespace testsupport::x

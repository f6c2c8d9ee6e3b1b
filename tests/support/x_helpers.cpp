// X11 helpers: XTest input, window lookup, child processes and private X servers.
#include "tests/support/x_helpers.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace testsupport::x {

namespace {

long long nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

Window findIn(Display* display, Window parent, const char* name) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        char* title = nullptr;
        if (XFetchName(display, children[i], &title) && title) {
            if (std::strcmp(title, name) == 0) found = children[i];
            XFree(title);
        }
        if (!found) found = findIn(display, children[i], name);
    }
    if (children) XFree(children);
    return found;
}

} // namespace

Display* probe() {
    static Display* display = nullptr;
    // A server resetting after its last client left may refuse for a moment.
    for (int i = 0; !display && std::getenv("DISPLAY") && i < 30; ++i) {
        display = XOpenDisplay(nullptr);
        if (!display) pause(100);
    }
    return display;
}

void movePointer(Display* display, int x, int y) {
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XSync(display, False);
}

void button(Display* display, unsigned number, bool down) {
    XTestFakeButtonEvent(display, number, down, CurrentTime);
    XSync(display, False);
}

void key(Display* display, KeySym keysym, bool withShift) {
    KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
    KeyCode code = XKeysymToKeycode(display, keysym);
    if (withShift) XTestFakeKeyEvent(display, shift, True, CurrentTime);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    if (withShift) XTestFakeKeyEvent(display, shift, False, CurrentTime);
    XSync(display, False);
}

Window findWindow(Display* display, const char* name, int timeoutMs) {
    long long end = nowMs() + timeoutMs;
    for (;;) {
        Window w = findIn(display, DefaultRootWindow(display), name);
        if (w || nowMs() > end) return w;
        pause(20);
    }
}

void windowGeometry(Display* display, Window window, int& x, int& y, int& width, int& height) {
    XWindowAttributes a{};
    XGetWindowAttributes(display, window, &a);
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    width = a.width;
    height = a.height;
}

void sendDeleteWindow(Display* display, Window window) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &e);
    XSync(display, False);
}

Child spawn(const char* path, const char* display) {
    Child child;
    int fds[2];
    if (pipe(fds) != 0) return child;
    child.pid = fork();
    if (child.pid == 0) {
        dup2(fds[1], 1);
        dup2(fds[1], 2);
        close(fds[0]);
        close(fds[1]);
        setenv("DISPLAY", display, 1);
        execl(path, path, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    child.output = fds[0];
    return child;
}

bool waitForLine(Child& child, const std::string& line, int timeoutMs) {
    long long end = nowMs() + timeoutMs;
    for (;;) {
        std::size_t at = 0;
        while ((at = child.seen.find(line + "\n", at)) != std::string::npos) {
            if (at == 0 || child.seen[at - 1] == '\n') return true;
            ++at;
        }
        long long left = end - nowMs();
        if (left <= 0) return false;
        pollfd p{child.output, POLLIN, 0};
        if (poll(&p, 1, int(left)) <= 0) return false;
        char buffer[512];
        ssize_t n = read(child.output, buffer, sizeof buffer);
        if (n <= 0) return false;
        child.seen.append(buffer, std::size_t(n));
    }
}

bool running(Child& child) {
    int status = 0;
    return kill(child.pid, 0) == 0 && waitpid(child.pid, &status, WNOHANG) == 0;
}

int waitForExit(Child& child, int timeoutMs) {
    long long end = nowMs() + timeoutMs;
    int status = 0;
    while (waitpid(child.pid, &status, WNOHANG) == 0) {
        if (nowMs() > end) {
            kill(child.pid, SIGKILL);
            waitpid(child.pid, &status, 0);
            return -1;
        }
        pause(10);
    }
    char buffer[512];
    ssize_t n;
    fcntl(child.output, F_SETFL, O_NONBLOCK);
    while ((n = read(child.output, buffer, sizeof buffer)) > 0)
        child.seen.append(buffer, std::size_t(n));
    close(child.output);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

Server::~Server() { stopServer(*this); }

void startServer(Server& server, const char* screen) {
    int n = 150 + int(getpid() % 400);
    struct stat st;
    for (;; ++n) {
        std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
        std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
        if (stat(lock.c_str(), &st) != 0 && stat(socket.c_str(), &st) != 0) break;
    }
    // Built in two steps: ":" + std::to_string(n) trips a false -Wrestrict in GCC 12 at -O3.
    server.name = ':';
    server.name += std::to_string(n);
    server.pid = fork();
    if (server.pid == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execlp("Xvfb", "Xvfb", server.name.c_str(), "-screen", "0", screen, "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int i = 0; i < 100; ++i) {
        server.display = XOpenDisplay(server.name.c_str());
        if (server.display) return;
        int status = 0;
        if (waitpid(server.pid, &status, WNOHANG) == server.pid) break;
        pause(50);
    }
    stopServer(server);
}

void stopServer(Server& server) {
    if (server.display) XCloseDisplay(server.display);
    server.display = nullptr;
    if (server.pid > 0) {
        kill(server.pid, SIGTERM);
        waitpid(server.pid, nullptr, 0);
    }
    server.pid = -1;
}

} // namespace testsupport::x

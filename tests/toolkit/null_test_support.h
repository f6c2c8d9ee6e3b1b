// What the null-binding tests share: a fresh toolkit per test and handlers that write into a
// log of calls.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "toolkit/null/null_binding.h"
#include "toolkit/toolkit.h"

namespace toolkit_test {

// Calls in order, e.g. "reshape 400 400", "press 1 10 20", "idle", "display".
inline std::string calls;

inline void note(const std::string& call) { calls += (calls.empty() ? "" : ", ") + call; }

inline int notePress(toolkit::InputEvent* e) {
    note("press " + std::to_string(e->data[3]) + " " + std::to_string(e->data[0]) + " " +
         std::to_string(e->data[1]));
    return 0;
}
inline int noteRelease(toolkit::InputEvent* e) {
    note("release " + std::to_string(e->data[3]) + " " + std::to_string(e->data[0]) + " " +
         std::to_string(e->data[1]));
    return 0;
}
inline int noteMove(toolkit::InputEvent* e) {
    note("move " + std::to_string(e->data[3]) + " " + std::to_string(e->data[0]) + " " +
         std::to_string(e->data[1]));
    return 0;
}
inline void noteReshape(int w, int h) {
    note("reshape " + std::to_string(w) + " " + std::to_string(h));
}
inline void noteDisplay() { note("display"); }

class NullToolkit : public testing::Test {
  protected:
    void SetUp() override {
        toolkit::null::reset();
        calls.clear();
    }
    // A window as the program opens it: (50, 10), 400 x 400, mode 0x102.
    static void openProgramWindow() {
        toolkit::setWindowPlacement(50, 10, 400, 400);
        toolkit::setDisplayMode(0x102);
        ASSERT_EQ(toolkit::openWindow("test"), 1);
    }
    static const toolkit::null::Record& record() { return toolkit::null::record(); }
};

} // namespace toolkit_test

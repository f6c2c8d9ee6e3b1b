// What the shared tests take from POSIX and the Windows C library lacks, for the Windows build of
// those tests (included ahead of each source by the build).
#pragma once

#ifdef _WIN32
#include <gtest/gtest.h>

// An exit(-1) reads as status 255 on Linux and as -1 on Windows; the tests name the Linux
// status. Their death tests compare the low eight bits, which are the same on both.
namespace testing {
class ExitedWithLowByte {
  public:
    explicit ExitedWithLowByte(int code) : code_(code) {}
    bool operator()(int status) const { return (status & 0xFF) == (code_ & 0xFF); }

  private:
    int code_;
};
} // namespace testing
#define ExitedWithCode ExitedWithLowByte
#endif

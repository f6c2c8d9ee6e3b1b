// Writing a file under a temporary name: the target is the old file or the whole new one, and a
// failure at any step leaves nothing behind.
#include "textio/safe_write.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/scratch_dir.h"

using testsupport::ScratchDir;

namespace {

std::vector<std::string> namesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool writeText(textio::SafeWrite& out, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), out.file) == text.size();
}

} // namespace

TEST(SafeWrite, ReplacesTheTargetOnlyWhenEverythingWasWritten) {
    ScratchDir dir;
    const std::string path = dir.write("out.txt", "old");
    textio::SafeWrite out;
    const char* why = "";
    ASSERT_TRUE(textio::beginSafeWrite(path.c_str(), out, why)) << why;
    ASSERT_TRUE(writeText(out, "new bytes"));
    EXPECT_EQ(dir.read("out.txt"), "old"); // nothing seen before the end
    ASSERT_TRUE(textio::finishSafeWrite(out, true, why)) << why;
    EXPECT_EQ(dir.read("out.txt"), "new bytes");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"out.txt"});

    // A write error the caller met fails the end and leaves the old file alone.
    ASSERT_TRUE(textio::beginSafeWrite(path.c_str(), out, why));
    ASSERT_TRUE(writeText(out, "half"));
    out.error = ENOSPC;
    EXPECT_FALSE(textio::finishSafeWrite(out, true, why));
    EXPECT_STREQ(why, std::strerror(ENOSPC));
    EXPECT_EQ(dir.read("out.txt"), "new bytes");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"out.txt"});

    // The caller's own failure: abandoned, nothing left.
    ASSERT_TRUE(textio::beginSafeWrite(dir.file("new.txt").c_str(), out, why));
    textio::abandonSafeWrite(out);
    textio::abandonSafeWrite(out);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"out.txt"});
}

TEST(SafeWrite, ATakenNameIsNeverReplacedAndTheBytesCanTakeAnotherName) {
    ScratchDir dir;
    dir.write("a.gif", "first");
    textio::SafeWrite out;
    const char* why = "";
    ASSERT_TRUE(textio::beginSafeWrite(dir.file("a.gif").c_str(), out, why));
    ASSERT_TRUE(writeText(out, "second"));
    EXPECT_FALSE(textio::finishSafeWrite(out, false, why));
    EXPECT_TRUE(textio::nameTaken(why));
    dir.write("a-2.gif", "taken meanwhile");
    EXPECT_FALSE(textio::retarget(out, dir.file("a-2.gif").c_str(), why));
    EXPECT_TRUE(textio::nameTaken(why));
    ASSERT_TRUE(textio::retarget(out, dir.file("a-3.gif").c_str(), why)) << why;
    EXPECT_EQ(dir.read("a.gif"), "first");
    EXPECT_EQ(dir.read("a-2.gif"), "taken meanwhile");
    EXPECT_EQ(dir.read("a-3.gif"), "second");
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"a-2.gif", "a-3.gif", "a.gif"}));
}

TEST(SafeWrite, TargetsThatCannotBeWrittenLeaveNothingAndSayWhy) {
    ScratchDir dir;
    std::filesystem::create_directory(dir.file("folder"));
    textio::SafeWrite out;
    const char* why = "";
    EXPECT_FALSE(textio::beginSafeWrite(dir.file("missing/x.png").c_str(), out, why));
    EXPECT_STREQ(why, std::strerror(ENOENT));
    // A folder in the target's place: the rename fails, and the temporary goes.
    ASSERT_TRUE(textio::beginSafeWrite(dir.file("folder").c_str(), out, why));
    ASSERT_TRUE(writeText(out, "x"));
    EXPECT_FALSE(textio::finishSafeWrite(out, true, why));
    EXPECT_FALSE(textio::nameTaken(why));
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"folder"});
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("folder")));
}

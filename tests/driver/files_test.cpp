// fileExists and createEmptyFile.
#include "driver/files.h"

#include "tests/support/scratch.h"

#include <gtest/gtest.h>

using testsupport::ScratchDir;

TEST(Files, ExistsOnlyForReadableFiles) {
    ScratchDir dir;
    EXPECT_TRUE(driver::fileExists(dir.write("here.out", "x")));
    EXPECT_FALSE(driver::fileExists(dir.file("absent.out")));
    EXPECT_FALSE(driver::fileExists(dir.path()));
    EXPECT_FALSE(driver::fileExists(""));
}

TEST(Files, CreateEmptyFileCutsAnExistingFile) {
    ScratchDir dir;
    driver::createEmptyFile(dir.file("new.dat"));
    EXPECT_TRUE(std::filesystem::exists(dir.file("new.dat")));
    EXPECT_EQ(dir.read("new.dat"), "");
    dir.write("old.dat", "Filename:Output.dat\r\n");
    driver::createEmptyFile(dir.file("old.dat"));
    EXPECT_EQ(dir.read("old.dat"), "");
}

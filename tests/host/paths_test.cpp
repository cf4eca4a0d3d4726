#include "runtime/paths.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(ProgramFolderPath, KeepsTheClosingBackslash) {
    EXPECT_EQ(FolderOfModulePath("C:\\Apps\\vemo.exe"), "C:\\Apps\\");
    EXPECT_EQ(FolderOfModulePath("C:\\vemo.exe"), "C:\\");
    EXPECT_EQ(FolderOfModulePath("\\\\server\\share\\dir\\vemo.exe"), "\\\\server\\share\\dir\\");
}

TEST(ProgramFolderPath, NameWithoutBackslashIsReturnedWhole) {
    EXPECT_EQ(FolderOfModulePath("vemo.exe"), "vemo.exe");
    EXPECT_EQ(FolderOfModulePath(""), "");
}

TEST(ProgramFolderPath, TemporarySaveLiesInTheSameFolder) {
    const std::string target = "D:\\Data\\vemo.dat";
    EXPECT_EQ(FolderOfModulePath(TemporaryPathFor(target)), "D:\\Data\\");
    EXPECT_NE(TemporaryPathFor(target), target);
}

}  // namespace
}  // namespace vemo

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
    EXPECT_EQ(TemporaryPathOf(target, "ANN-PC-ann"), "D:\\Data\\vemo.dat.ANN-PC-ann.saving");
    EXPECT_NE(TemporaryPathOf(target, "BOB-PC-bob"), TemporaryPathOf(target, "ANN-PC-ann"));
    EXPECT_EQ(FolderOfModulePath(TemporaryPathOf(target, "")), "D:\\Data\\");
}

// The key of the one-Vemo-per-folder guard: one folder, however it is
// written, has one key; another folder has another.
TEST(ProgramFolderPath, FolderKeyFoldsCaseSlashesAndClosingSeparators) {
    EXPECT_EQ(FolderKey(""), "cbf29ce484222325");  // FNV-1a's published values
    EXPECT_EQ(FolderKey("a"), "af63dc4c8601ec8c");
    EXPECT_EQ(FolderKey("A\\"), "af63dc4c8601ec8c");
    const std::string key = FolderKey("C:\\Apps\\Vemo\\");
    for (const char* same :
         {"C:\\Apps\\Vemo", "c:\\apps\\vemo\\", "C:/APPS/VEMO/", "c:/Apps\\Vemo//"}) {
        EXPECT_EQ(FolderKey(same), key) << same;
    }
    for (const char* other : {"C:\\Apps\\Vemo2\\", "D:\\Apps\\Vemo\\", "C:\\Apps\\",
                              "C:\\Apps\\Vemo\\x", "C:\\AppsVemo"}) {
        EXPECT_NE(FolderKey(other), key) << other;
    }
}

// The database as the settings keep it: inside the program folder relative
// to it, so a folder synced between two PCs names the same file on both.
TEST(ProgramFolderPath, ADatabaseInTheProgramFolderIsKeptRelativeToIt) {
    const std::string folder = "C:\\Users\\ann\\Sync\\Vemo\\";
    struct Case {
        const char *path, *kept;
    };
    for (const Case& c :
         {Case{"C:\\Users\\ann\\Sync\\Vemo\\vemo.dat", "vemo.dat"},
          Case{"c:/users/ANN/sync/vemo/data\\work.dat", "data\\work.dat"},
          Case{"C:\\Users\\ann\\Sync\\Vemo\\..\\other.dat",
               "C:\\Users\\ann\\Sync\\Vemo\\..\\other.dat"},
          Case{"C:\\Users\\ann\\Sync\\Vemo2\\vemo.dat", "C:\\Users\\ann\\Sync\\Vemo2\\vemo.dat"},
          Case{"D:\\vemo.dat", "D:\\vemo.dat"},
          Case{"\\\\server\\share\\vemo.dat", "\\\\server\\share\\vemo.dat"},
          Case{"C:\\Users\\ann\\Sync\\Vemo\\", "C:\\Users\\ann\\Sync\\Vemo\\"}}) {
        const std::string kept = PathRelativeTo(c.path, folder);
        EXPECT_EQ(kept, c.kept) << c.path;
        // Read back on a PC whose program folder lies elsewhere.
        const std::string there = PathInFolder(kept, "E:\\Bob\\Vemo\\");
        EXPECT_EQ(there, kept == c.path ? std::string(c.path) : "E:\\Bob\\Vemo\\" + kept);
    }
    EXPECT_EQ(PathInFolder("", folder), "");
    EXPECT_EQ(PathInFolder("\\root.dat", folder), "\\root.dat");
}

}  // namespace
}  // namespace vemo

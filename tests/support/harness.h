// What the Windows tests, the benchmarks and the end-to-end runs share: a
// fresh temporary program folder, whole-file reads and writes, the test
// clock, and seams put back to the product's defaults afterwards. (The
// start-up pass is the program's own RunStartPass; the window finder is
// support/driver.h.)
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/seams.h"
#include "runtime/win32.h"

namespace vemo::testing {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder with a trailing backslash.
    const std::string& path() const { return path_; }
    std::string operator/(std::string_view name) const { return path_ + std::string(name); }

  private:
    std::string path_;
};

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, std::string_view bytes);
bool FileExists(const std::string& path);
// The names of the files and folders in a folder (its path ends with a
// backslash), sorted.
std::vector<std::string> NamesIn(const std::string& folder);
// A 24-bit bitmap file of the given size, all black.
std::string BitmapFileBytes(int width, int height);

// The test clock: Monday 07-12-2026 (or another December day) at hh:mm.
void SetTestClock(int hour, int minute, int day = 7);

// Restores every test seam when it goes out of scope.
class SeamGuard {
  public:
    SeamGuard() = default;
    ~SeamGuard() { Seams() = TestSeams{}; }
    SeamGuard(const SeamGuard&) = delete;
    SeamGuard& operator=(const SeamGuard&) = delete;
};

}  // namespace vemo::testing

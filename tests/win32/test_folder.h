// Helpers of the Windows tests: a fresh temporary folder per test, whole-file
// reads and writes, and seams put back to the product's defaults afterwards.
#pragma once

#include <string>
#include <string_view>

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
// A 24-bit bitmap file of the given size, all black.
std::string BitmapFileBytes(int width, int height);

// Restores every test seam when it goes out of scope.
class SeamGuard {
  public:
    SeamGuard() = default;
    ~SeamGuard() { Seams() = TestSeams{}; }
    SeamGuard(const SeamGuard&) = delete;
    SeamGuard& operator=(const SeamGuard&) = delete;
};

}  // namespace vemo::testing

// Vemo: a task and reminder manager for Windows.
#include <cstdlib>

#include "program/commands.h"
#include "runtime/win32.h"

#if defined(__GLIBCXX__)
// The library's default handler of an escaped exception prints its type's
// name through the name demangler: 46 KB of the program for a line on a
// console a windowed program does not have. This one ends the program as
// that one does, without the line.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
    return vemo::RunCommandLine(command_line != nullptr ? command_line : "");
}

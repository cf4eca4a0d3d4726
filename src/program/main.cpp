// Vemo: a task and reminder manager for Windows.
#include "program/commands.h"
#include "runtime/win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
    return vemo::RunCommandLine(command_line != nullptr ? command_line : "");
}

// Vemo: a task and reminder manager for Windows.
#include "app/startup.h"
#include "runtime/win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return vemo::StartupSequence();
}

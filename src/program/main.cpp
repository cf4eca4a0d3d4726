// Vemo: a task and reminder manager for Windows.
#include "program/startup.h"
#include "runtime/shell.h"
#include "runtime/single_instance.h"
#include "runtime/win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Two Vemos on one folder would overwrite each other's saves: a second
    // start brings the first forward and ends.
    const vemo::InstanceGuard guard(vemo::ProgramFolder());
    if (!guard.Owned()) return 0;
    return vemo::StartupSequence();
}

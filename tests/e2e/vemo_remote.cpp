// Works a running Vemo from a script, through its window messages:
//   vemo_remote answer CAPTION   press OK on that message box if it comes
//   vemo_remote wait             wait until the main window shows
//   vemo_remote client           print the main window's client size, WxH
//   vemo_remote close            the toolbar's Close command, then wait
// Exit code 0 when it did what was asked.
#include <cstdio>
#include <string>

#include "support/driver.h"

int main(int argc, char** argv) {
    using namespace vemo::e2e;
    if (argc < 2) return 2;
    const std::string verb = argv[1];
    if (verb == "answer" && argc > 2) {
        return AnswerMessageBox(0, argv[2], 5000) == "<none>" ? 1 : 0;
    }
    HWND main = WaitForWindow(0, "Vemo V009u", 20000);
    if (main == nullptr) {
        std::fprintf(stderr, "vemo_remote: no Vemo window\n");
        return 1;
    }
    if (verb == "wait") return 0;
    if (verb == "client") {
        RECT client{};
        GetClientRect(main, &client);
        std::printf("%ldx%ld\n", static_cast<long>(client.right), static_cast<long>(client.bottom));
        return 0;
    }
    if (verb == "close") {
        SendCommand(main, 3);
        for (int i = 0; i < 200 && IsWindow(main); ++i) Sleep(50);
        return IsWindow(main) ? 1 : 0;
    }
    return 2;
}

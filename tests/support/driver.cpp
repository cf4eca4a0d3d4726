#include "support/driver.h"

#include <vector>

#include "runtime/dialogs.h"

namespace vemo::e2e {

namespace {

struct Search {
    DWORD process_id;
    std::string prefix;
    bool exact_class_dialog;
    bool hidden_too = false;
    HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (search->process_id != 0 && owner != search->process_id) return TRUE;
    if (!search->hidden_too && !IsWindowVisible(window)) return TRUE;
    if (search->exact_class_dialog) {
        char cls[32] = {};
        GetClassNameA(window, cls, sizeof(cls));
        if (std::string(cls) != "#32770") return TRUE;
    }
    const std::string title = WindowText(window);
    if (title.rfind(search->prefix, 0) != 0) return TRUE;
    if (search->exact_class_dialog && title != search->prefix) return TRUE;
    search->found = window;
    return FALSE;
}

HWND Find(DWORD process_id, const std::string& title, bool message_box, DWORD timeout_ms,
          bool hidden_too = false) {
    const DWORD start = GetTickCount();
    do {
        Search search{process_id, title, message_box, hidden_too};
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        Sleep(50);
    } while (GetTickCount() - start < timeout_ms);
    return nullptr;
}

struct Count {
    DWORD process_id;
    std::string prefix;
    int windows = 0;
};

BOOL CALLBACK CountVisit(HWND window, LPARAM parameter) {
    auto* count = reinterpret_cast<Count*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (count->process_id != 0 && owner != count->process_id) return TRUE;
    if (!IsWindowVisible(window)) return TRUE;
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof(cls));
    if (std::string(cls) != kDialogClassName) return TRUE;
    if (WindowText(window).rfind(count->prefix, 0) == 0) ++count->windows;
    return TRUE;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM parameter) {
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Static") == 0) {
        const std::string text = WindowText(child);
        if (!text.empty()) *reinterpret_cast<std::string*>(parameter) += text;
    }
    return TRUE;
}

}  // namespace

VemoProcess::VemoProcess(const std::string& exe, const std::string& folder,
                         const std::string& arguments) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string command = "\"" + exe + "\"";
    if (!arguments.empty()) command += " " + arguments;
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process_)) {
        process_ = {};
    }
}

VemoProcess::~VemoProcess() {
    if (process_.hProcess == nullptr) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

int VemoProcess::WaitForExit(DWORD timeout_ms) {
    if (process_.hProcess == nullptr) return -1;
    if (WaitForSingleObject(process_.hProcess, timeout_ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

HWND WaitForWindow(DWORD process_id, const std::string& title, DWORD timeout_ms) {
    return Find(process_id, title, false, timeout_ms);
}

HWND WaitForAnyWindow(DWORD process_id, const std::string& title, DWORD timeout_ms) {
    return Find(process_id, title, false, timeout_ms, true);
}

int CountWindows(DWORD process_id, const std::string& title) {
    Count count{process_id, title};
    EnumWindows(CountVisit, reinterpret_cast<LPARAM>(&count));
    return count.windows;
}

std::string AnswerMessageBox(DWORD process_id, const std::string& caption, DWORD timeout_ms) {
    HWND box = Find(process_id, caption, true, timeout_ms);
    if (box == nullptr) return "<none>";
    std::string text;
    EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&text));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return text;
}

bool AnswerFileDialog(DWORD process_id, const std::string& title, const std::string& path,
                      DWORD timeout_ms) {
    HWND dialog = Find(process_id, title, true, timeout_ms);
    if (dialog == nullptr) return false;
    // The file name box: a combo box in the explorer-style dialog, an edit in
    // the older one.
    constexpr int kFileNameCombo = 0x47C;
    constexpr int kFileNameEdit = 0x480;
    HWND name = GetDlgItem(dialog, kFileNameCombo);
    if (name == nullptr) name = GetDlgItem(dialog, kFileNameEdit);
    if (name == nullptr) return false;
    SetFieldText(dialog, GetDlgCtrlID(name), path);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return true;
}

void ChooseRow(HWND main, int id, int row) {
    HWND list = GetDlgItem(main, id);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

namespace {

// Texts cross the process boundary as UTF-16: ask in UTF-16 and convert.
std::string Narrow(const wchar_t* text) {
    char narrow[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof(narrow) - 1, nullptr, nullptr);
    return narrow;
}

}  // namespace

std::string WindowText(HWND window) {
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
}

std::vector<std::string> ListItems(HWND main, int id) {
    HWND list = GetDlgItem(main, id);
    std::vector<std::string> items;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::vector<wchar_t> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(buffer.data()));
        items.push_back(Narrow(buffer.data()));
    }
    return items;
}

void SetFieldText(HWND main, int id, const std::string& text) {
    wchar_t wide[1024] = {};
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 1023);
    SendMessageW(GetDlgItem(main, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide));
}

void PressButton(HWND main, int id) {
    SendMessageA(GetDlgItem(main, id), BM_CLICK, 0, 0);
}

void SendCommand(HWND main, int command) {
    const int toolbar_id = 71;
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, toolbar_id)));
}

}  // namespace vemo::e2e

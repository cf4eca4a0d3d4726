#include "runtime/system_dlls.h"

#include <string>

namespace vemo {

namespace {

// Windows 8 and a Windows 7 with its 2011 loader update know these.
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

template <typename Function>
Function FunctionOf(HMODULE module, const char* name) {
    if (module == nullptr) return nullptr;
    // Through the generic function type, which any function pointer converts to.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

HMODULE Kernel32() {
    return GetModuleHandleA("kernel32.dll");
}

HMODULE LoadFromSystemFolder(const char* name) {
    HMODULE module = LoadLibraryExA(name, nullptr, kSearchSystem32);
    if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return module;
    // A loader without the flag: the full path in the system folder.
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return LoadLibraryA((std::string(folder, length) + "\\" + name).c_str());
}

struct LoadedDll {
    const char* name;
    HMODULE module;
    bool tried;
};

}  // namespace

void KeepPlantedDllsOut() {
    using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
    using SetDirectory = BOOL(WINAPI*)(LPCWSTR);
    if (const auto set_default =
            FunctionOf<SetDefaultDirectories>(Kernel32(), "SetDefaultDllDirectories")) {
        set_default(kSearchSystem32);
    }
    // The current folder out of the search too, where the flag is unknown.
    if (const auto set_directory = FunctionOf<SetDirectory>(Kernel32(), "SetDllDirectoryW")) {
        set_directory(L"");
    }
}

HMODULE SystemDll(const char* name) {
    static LoadedDll dlls[] = {
        {"winmm.dll", nullptr, false},
        {"comctl32.dll", nullptr, false},
        {"riched32.dll", nullptr, false},
    };
    for (LoadedDll& dll : dlls) {
        if (lstrcmpiA(dll.name, name) != 0) continue;
        if (!dll.tried) {
            dll.module = LoadFromSystemFolder(name);
            dll.tried = true;
        }
        return dll.module;
    }
    return LoadFromSystemFolder(name);
}

void InitCommonControlsFromSystem() {
    using Init = void(WINAPI*)();
    if (const auto init = FunctionOf<Init>(SystemDll("comctl32.dll"), "InitCommonControls")) {
        init();
    }
}

HWND CreateToolbarFromSystem(HWND window, DWORD style, UINT id, int bitmaps, UINT_PTR bitmap,
                             const TBBUTTON* buttons, int count, int button_width,
                             int button_height, int bitmap_width, int bitmap_height) {
    using Create = HWND(WINAPI*)(HWND, DWORD, UINT, int, HINSTANCE, UINT_PTR, LPCTBBUTTON, int, int,
                                 int, int, int, UINT);
    const auto create = FunctionOf<Create>(SystemDll("comctl32.dll"), "CreateToolbarEx");
    if (create == nullptr) return nullptr;
    return create(window, style, id, bitmaps, nullptr, bitmap, buttons, count, button_width,
                  button_height, bitmap_width, bitmap_height, sizeof(TBBUTTON));
}

bool SendMciCommand(const char* command) {
    using Send = DWORD(WINAPI*)(LPCSTR, LPSTR, UINT, HWND);
    const auto send = FunctionOf<Send>(SystemDll("winmm.dll"), "mciSendStringA");
    return send != nullptr && send(command, nullptr, 0, nullptr) == 0;
}

}  // namespace vemo

// Shell services that show or build windows: message boxes, file dialogs,
// images and the toolbar.
#include <algorithm>
#include <array>
#include <vector>

#include "runtime/controls.h"
#include "runtime/layout_math.h"
#include "runtime/scoped.h"
#include "runtime/seams.h"
#include "runtime/shell.h"
#include "runtime/system_dlls.h"

namespace vemo {

namespace {

HWND WindowOf(const DialogDefinition* dialog) {
    return dialog != nullptr ? dialog->window : nullptr;
}

struct PendingPlacement {
    HWND box;
    Rect parent;
    Rect work;
    int call;  // the ShowMessageBox call that saw the window created
};
// Boxes created but not yet activated, with the place computed for each.
std::vector<PendingPlacement> g_pending_placements;
int g_message_box_calls = 0;

// Places each message box over its owner while ShowMessageBox runs. The place
// goes into the creation parameters, and again when the box is first
// activated, because the platform's message box centres itself on the screen
// while it initialises.
LRESULT CALLBACK CentreMessageBoxHook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND) {
        auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs;
        const auto style = static_cast<DWORD>(create->style);
        if ((style & (WS_POPUP | WS_DLGFRAME)) != 0) {
            RECT parent{};
            GetWindowRect(create->hwndParent != nullptr ? create->hwndParent : GetDesktopWindow(),
                          &parent);
            RECT work{};
            SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
            const PendingPlacement placement{reinterpret_cast<HWND>(wparam),
                                             {parent.left, parent.top, parent.right, parent.bottom},
                                             {work.left, work.top, work.right, work.bottom},
                                             g_message_box_calls};
            const Point at =
                PlaceMessageBox(placement.parent, create->cx, create->cy, placement.work);
            create->x = at.x;
            create->y = at.y;
            g_pending_placements.push_back(placement);
            return 0;
        }
    }
    if (code == HCBT_ACTIVATE) {
        const auto box = reinterpret_cast<HWND>(wparam);
        const auto pending =
            std::find_if(g_pending_placements.begin(), g_pending_placements.end(),
                         [box](const PendingPlacement& p) { return p.box == box; });
        if (pending != g_pending_placements.end()) {
            // Placed again with the size the box gave itself for its text.
            RECT own{};
            GetWindowRect(box, &own);
            const Point at = PlaceMessageBox(pending->parent, own.right - own.left,
                                             own.bottom - own.top, pending->work);
            SetWindowPos(box, nullptr, at.x, at.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            g_pending_placements.erase(pending);
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

UINT_PTR CALLBACK CentreFileDialogHook(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) CentreWindowHandle(GetParent(dialog));
    return 0;
}

// Toolbar buttons are 16 x 15, their images 24 x 23 (at 96 DPI).
constexpr int kToolbarButtonWidth = 16;
constexpr int kToolbarButtonHeight = 15;
constexpr int kToolbarBitmapWidth = 24;
constexpr int kToolbarBitmapHeight = 23;
constexpr DWORD kChildVisible = WS_CHILD | WS_VISIBLE;
// From this DPI a strip drawn at twice the size is the sharper start.
constexpr int kDoubleStripDpi = 144;

// "x-2x.bmp" beside "x.bmp".
std::string DoubleStripName(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return path.substr(0, dot) + "-2x" + path.substr(dot);
}

// The toolbar's strip at the DPI: each of its `count` images as wide as it
// is drawn for 96 DPI, scaled, so the images keep their places in it.
ScopedBitmap LoadStrip(const ImageName& bitmap, int count, int dpi) {
    constexpr UINT kOptions = kImageBitmap | kImageMap3dColours;
    ScopedBitmap strip;
    int drawn_for = 1;  // how many times the 96-DPI size the strip is drawn
    const auto* path = std::get_if<std::string>(&bitmap);
    if (path != nullptr && dpi >= kDoubleStripDpi) {
        const std::string twice = DoubleStripName(*path);
        if (!twice.empty()) {
            strip.reset(static_cast<HBITMAP>(LoadImageFile(twice, kOptions)));
            drawn_for = 2;
        }
    }
    if (!strip) {
        strip.reset(static_cast<HBITMAP>(LoadImageFile(bitmap, kOptions)));
        drawn_for = 1;
    }
    BITMAP size{};
    if (!strip || count <= 0 || GetObjectA(strip.get(), sizeof(size), &size) == 0) return strip;
    const int image_width = size.bmWidth / drawn_for / count;
    const int width = image_width * count == size.bmWidth / drawn_for
                          ? ScaleToDpi(image_width, dpi) * count
                          : ScaleToDpi(size.bmWidth / drawn_for, dpi);
    const int height = ScaleToDpi(size.bmHeight / drawn_for, dpi);
    if (width == size.bmWidth && height == size.bmHeight) return strip;
    ScopedBitmap scaled(static_cast<HBITMAP>(
        CopyImage(strip.get(), IMAGE_BITMAP, width, height, LR_CREATEDIBSECTION)));
    return scaled ? std::move(scaled) : std::move(strip);
}

}  // namespace

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    if (flags == 0) flags = MB_OK | MB_ICONEXCLAMATION;
    if (Seams().message_responder) {
        return Seams().message_responder(MessageCall{owner, text, caption, flags});
    }
    // Each call has its own hook, so a box opened from inside another box
    // (a timer handler, say) places itself and removes only its own hook.
    const int call = ++g_message_box_calls;
    int result = 0;
    {
        const ScopedHook hook(
            SetWindowsHookExA(WH_CBT, CentreMessageBoxHook, nullptr, GetCurrentThreadId()));
        result = MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
    }
    // A window created during this box that never activated is no box of
    // ours; its entry must not move whatever later reuses its handle.
    std::erase_if(g_pending_placements,
                  [call](const PendingPlacement& p) { return p.call >= call || !IsWindow(p.box); });
    return result;
}

int ShowMessage(const DialogDefinition* owner, const std::string& text, const std::string& caption,
                UINT flags) {
    return ShowMessageBox(WindowOf(owner), text, caption, flags);
}

std::string FileDialog(const std::string& title, const DialogDefinition* owner, int open,
                       const std::string& filter, const std::string& default_extension,
                       DWORD extra_flags, const std::string& initial_folder) {
    // The filter buffer holds 256 bytes: 254 characters and two zeros.
    const std::string filter_list =
        filter.empty() ? std::string(2, '\0') : BarListToZeroList(filter, kTextCapacity);
    DWORD flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_HIDEREADONLY | extra_flags;
    if (open == 0) flags |= OFN_OVERWRITEPROMPT;
    if (Seams().file_dialog_responder) {
        return Seams().file_dialog_responder(
            FileDialogCall{title, WindowOf(owner), open != 0, filter_list, flags, initial_folder});
    }

    // Room for paths far longer than a setting holds, so a long pick comes
    // back to be refused with a message rather than fail without one.
    std::array<char, 4096> file{};
    OPENFILENAMEA request{};
    const DWORD major_version = LOBYTE(LOWORD(GetVersion()));
    request.lStructSize =
        major_version >= 5 ? sizeof(OPENFILENAMEA) : OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = WindowOf(owner);
    request.lpstrFilter = filter.empty() ? nullptr : filter_list.c_str();
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrInitialDir = initial_folder.empty() ? nullptr : initial_folder.c_str();
    request.lpstrTitle = title.c_str();
    request.lpstrDefExt = default_extension.empty() ? nullptr : default_extension.c_str();
    request.Flags = flags;
    request.lpfnHook = CentreFileDialogHook;
    // The log, note and backup files land in the current folder: the dialog
    // may move it to wherever the user browsed, so it is put back.
    std::array<char, MAX_PATH + 1> current{};
    const DWORD kept = GetCurrentDirectoryA(static_cast<DWORD>(current.size()), current.data());
    const BOOL chosen = open != 0 ? GetOpenFileNameA(&request) : GetSaveFileNameA(&request);
    if (kept > 0 && kept < current.size()) SetCurrentDirectoryA(current.data());
    if (!chosen) return {};
    return std::string(file.data(), strnlen(file.data(), file.size() - 1));
}

HANDLE LoadImageFile(const ImageName& name, UINT type_and_options, int size) {
    const UINT type = type_and_options & 0xF;
    if (type == kImageMetafile) {
        const auto* path = std::get_if<std::string>(&name);
        return path != nullptr ? GetEnhMetaFileA(path->c_str()) : nullptr;
    }
    if (type > kImageCursor) return nullptr;

    HINSTANCE module =
        (type_and_options & kImageFromSystem) != 0 ? nullptr : GetModuleHandleA(nullptr);
    UINT flags = (type_and_options & kImageMap3dColours) != 0 ? LR_LOADMAP3DCOLORS : 0;
    if (type == kImageBitmap) flags |= LR_CREATEDIBSECTION;
    LPCSTR resource = nullptr;
    if (const auto* text = std::get_if<std::string>(&name)) {
        resource = text->c_str();
        if (text->find('.') != std::string::npos) {
            module = nullptr;
            flags |= LR_LOADFROMFILE;
        }
    } else {
        resource = MAKEINTRESOURCEA(std::get<UINT_PTR>(name));
        if (type != kImageBitmap && module == nullptr) flags |= LR_SHARED | LR_DEFAULTSIZE;
    }
    return LoadImageA(module, resource, type, size, size, flags);
}

void DeleteImage(HANDLE image, UINT kind) {
    if (image == nullptr) return;
    switch (kind) {
        case kImageIcon: DestroyIcon(static_cast<HICON>(image)); break;
        case kImageCursor: DestroyCursor(static_cast<HCURSOR>(image)); break;
        case kImageMetafile: DeleteEnhMetaFile(static_cast<HENHMETAFILE>(image)); break;
        default: DeleteObject(static_cast<HGDIOBJ>(image)); break;
    }
}

int CreateToolbar(DialogDefinition& dialog, const ImageName& bitmap, int id,
                  std::span<const int> commands, DWORD flags) {
    const bool bitmap_is_handle = (flags & kToolbarBitmapHandle) != 0;
    flags &= ~kToolbarBitmapHandle;
    const DWORD style = flags != 0 ? (flags | kChildVisible) : (kChildVisible | CCS_TOP);
    InitCommonControlsFromSystem();
    if (dialog.window == nullptr || commands.empty()) return 0;
    // A toolbar made again replaces the old one; any other control of that
    // id is left alone.
    if (HWND old = GetDlgItem(dialog.window, id)) {
        char kind[32] = {};
        GetClassNameA(old, kind, sizeof(kind));
        if (lstrcmpiA(kind, TOOLBARCLASSNAMEA) == 0) DestroyWindow(old);
    }
    std::erase_if(dialog.images, [id](const auto& image) { return image.id == id; });
    const int dpi = LayoutDpiOf(dialog.window);

    std::vector<TBBUTTON> buttons;
    buttons.reserve(commands.size());
    const BYTE wrap = (flags & CCS_VERT) != 0 ? TBSTATE_WRAP : 0;
    int images = 0;
    for (int command : commands) {
        TBBUTTON button{};
        if (command != 0) {
            button.iBitmap = images;
            button.idCommand = command;
            button.fsState = static_cast<BYTE>(TBSTATE_ENABLED | wrap);
            button.fsStyle = TBSTYLE_BUTTON;
            button.iString = images;
            ++images;
        } else {
            button.fsState = wrap;
            button.fsStyle = TBSTYLE_SEP;
            button.iString = -1;
        }
        buttons.push_back(button);
    }

    // A handle stays its caller's; a strip loaded here belongs to the window.
    HBITMAP image = nullptr;
    if (const auto* number = std::get_if<UINT_PTR>(&bitmap); number && bitmap_is_handle) {
        image = reinterpret_cast<HBITMAP>(*number);
    } else {
        ScopedBitmap loaded = LoadStrip(bitmap, images, dpi);
        image = loaded.get();
        if (loaded) dialog.images.push_back({id, std::move(loaded)});
    }
    HWND toolbar = CreateToolbarFromSystem(
        dialog.window, style, static_cast<UINT>(id), images, reinterpret_cast<UINT_PTR>(image),
        buttons.data(), static_cast<int>(buttons.size()), ScaleToDpi(kToolbarButtonWidth, dpi),
        ScaleToDpi(kToolbarButtonHeight, dpi), ScaleToDpi(kToolbarBitmapWidth, dpi),
        ScaleToDpi(kToolbarBitmapHeight, dpi));
    if (toolbar == nullptr) return 0;
    // Its labels are drawn in a font the toolbar makes for the screen; on a
    // monitor at another DPI they get one scaled to it, or they would not
    // fit the buttons.
    dialog.toolbar_font.reset();
    const int screen_dpi = ScreenDpi();
    LOGFONTA label{};
    const auto own = reinterpret_cast<HFONT>(SendMessageA(toolbar, WM_GETFONT, 0, 0));
    if (dpi != screen_dpi &&
        GetObjectA(own != nullptr ? static_cast<HGDIOBJ>(own) : GetStockObject(DEFAULT_GUI_FONT),
                   sizeof(label), &label) != 0) {
        label.lfHeight = MulDiv(label.lfHeight, dpi, screen_dpi);
        dialog.toolbar_font.reset(CreateFontIndirectA(&label));
        if (dialog.toolbar_font) {
            SendMessageA(toolbar, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.toolbar_font.get()),
                         FALSE);
        }
    }
    ShowWindow(toolbar, SW_SHOW);
    return 1;
}

}  // namespace vemo

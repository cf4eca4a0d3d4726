// The product paths of message boxes and file dialogs, shown for real and
// dismissed by a timer, as a person would.
#include <gtest/gtest.h>

#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/shell.h"
#include "win32/test_window.h"

namespace vemo {
namespace {

using namespace testing;

struct Dismissal {
    const char* title = nullptr;
    WPARAM command = IDOK;
    RECT seen{};
    bool found = false;
    bool has_ok = false;
    bool has_icon = false;
};
Dismissal g_dismissal;

BOOL CALLBACK InspectChild(HWND child, LPARAM) {
    char text[32] = {};
    char cls[32] = {};
    GetWindowTextA(child, text, sizeof(text));
    GetClassNameA(child, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Button") == 0 && lstrcmpA(text, "OK") == 0) g_dismissal.has_ok = true;
    if (lstrcmpiA(cls, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_ICON) != 0) {
        g_dismissal.has_icon = true;
    }
    return TRUE;
}

// A thread timer: finds the dialog by its title, notes where it stands and
// what it holds, and presses its button.
void CALLBACK Dismiss(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = FindWindowA(nullptr, g_dismissal.title);
    if (box == nullptr || !IsWindowVisible(box)) return;
    KillTimer(nullptr, id);
    g_dismissal.found = true;
    GetWindowRect(box, &g_dismissal.seen);
    EnumChildWindows(box, InspectChild, 0);
    PostMessageA(box, WM_COMMAND, g_dismissal.command, 0);
}

void ArmDismissal(const char* title, WPARAM command) {
    g_dismissal = {};
    g_dismissal.title = title;
    g_dismissal.command = command;
    SetTimer(nullptr, 0, 50, Dismiss);
}

TEST(RealDialogs, MessageBoxIsCentredOverItsOwner) {
    DialogDefinition owner;
    DefineTestWindow(owner, 200, 150);
    ASSERT_NE(OpenModeless(owner, nullptr), nullptr);
    ArmDismissal("Error...SaveData...", IDOK);
    EXPECT_EQ(ShowMessage(&owner, "Problem saving data", "Error...SaveData...", 0), IDOK);
    ASSERT_TRUE(g_dismissal.found);
    EXPECT_TRUE(g_dismissal.has_ok);
    EXPECT_TRUE(g_dismissal.has_icon);  // the exclamation icon of flags 0
    RECT o{};
    GetWindowRect(owner.window, &o);
    const RECT& b = g_dismissal.seen;
    EXPECT_NEAR((b.left + b.right) / 2, (o.left + o.right) / 2, 1);
    EXPECT_NEAR((b.top + b.bottom) / 2, (o.top + o.bottom) / 2, 1);
}

TEST(RealDialogs, MessageBoxOverAnOwnerOffScreenStartsAtTheOrigin) {
    DialogDefinition owner;
    DefineDialog(owner, -300, -200, 100, 60, 0xCA0000, nullptr, "tiny", nullptr);
    ASSERT_NE(OpenModeless(owner, nullptr), nullptr);
    MoveWindow(owner.window, -300, -200, 100, 60, TRUE);
    ArmDismissal("Error...start...", IDOK);
    EXPECT_EQ(ShowMessage(&owner, "Unable to create backup \r\n of vemo.dat an error occured",
                          "Error...start...", 0),
              IDOK);
    ASSERT_TRUE(g_dismissal.found);
    EXPECT_EQ(g_dismissal.seen.left, 0);
    EXPECT_EQ(g_dismissal.seen.top, 0);
}

TEST(RealDialogs, CancelledFileDialogGivesAnEmptyText) {
    DialogDefinition owner;
    DefineTestWindow(owner);
    ASSERT_NE(OpenModeless(owner, nullptr), nullptr);
    ArmDismissal("Choose a program", IDCANCEL);
    const std::string chosen =
        FileDialog("Choose a program", &owner, 1, "Programs|*.exe|", "", 0, "C:\\");
    EXPECT_TRUE(g_dismissal.found);
    EXPECT_EQ(chosen, "");
}

TEST(RealDialogs, FileDialogRequestAsTheResponderSeesIt) {
    SeamGuard seams;
    FileDialogCall seen;
    Seams().file_dialog_responder = [&](const FileDialogCall& call) {
        seen = call;
        return std::string("C:\\Windows\\notepad.exe");
    };
    EXPECT_EQ(FileDialog("Pick", nullptr, 1, "Programs|*.exe|", "", 0, "C:\\"),
              "C:\\Windows\\notepad.exe");
    EXPECT_EQ(seen.filter, std::string("Programs\0*.exe\0\0\0", 17));
    EXPECT_EQ(seen.flags, static_cast<DWORD>(OFN_EXPLORER | OFN_ENABLEHOOK | OFN_HIDEREADONLY));
    EXPECT_TRUE(seen.open);
    FileDialog("Save", nullptr, 0, "", "dat", OFN_PATHMUSTEXIST, "");
    EXPECT_EQ(seen.flags, static_cast<DWORD>(OFN_EXPLORER | OFN_ENABLEHOOK | OFN_HIDEREADONLY |
                                             OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT));
    EXPECT_FALSE(seen.open);
}

TEST(RealDialogs, ImagesLoadFromFilesAndFailQuietly) {
    TempFolder folder;
    EXPECT_EQ(LoadImageFile(folder / "missing.bmp", kImageBitmap), nullptr);
    EXPECT_EQ(LoadImageFile(folder / "missing.ico", kImageIcon), nullptr);
    DeleteImage(nullptr, kImageIcon);
    // A standard icon from the system, by number.
    HANDLE icon = LoadImageFile(static_cast<UINT_PTR>(32516), kImageIcon | kImageFromSystem);
    EXPECT_NE(icon, nullptr);
    // A real bitmap file written here: 2 x 1 pixels, 24 bits.
    const unsigned char bmp[] = {'B', 'M', 62, 0, 0, 0, 0, 0, 0,   0,   54,  0,   0,  0, 40, 0,
                                 0,   0,   2,  0, 0, 0, 1, 0, 0,   0,   1,   0,   24, 0, 0,  0,
                                 0,   0,   8,  0, 0, 0, 0, 0, 0,   0,   0,   0,   0,  0, 0,  0,
                                 0,   0,   0,  0, 0, 0, 0, 0, 255, 255, 255, 255, 0,  0};
    WriteWholeFile(folder / "strip.bmp",
                   std::string_view(reinterpret_cast<const char*>(bmp), sizeof(bmp)));
    HANDLE bitmap = LoadImageFile(folder / "strip.bmp", kImageBitmap | kImageMap3dColours);
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    GetObjectA(bitmap, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(info.bmHeight, 1);
    DeleteImage(bitmap, kImageBitmap);
}

}  // namespace
}  // namespace vemo

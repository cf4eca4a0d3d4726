// The README's picture of the main window: the real window on a few sample
// tasks at the tests' clock (Monday 07-12-2026 09:05), after its first tick,
// with the icon and toolbar pictures that ship beside it (copied from the
// folder named by the second argument), copied from the screen into the BMP
// file named by the first argument, with
// the number and place of each part the README names written beside it
// ("<file>.parts": one "number x y" line each, in the picture's pixels).
// scripts/window-picture.sh builds and runs it and numbers the parts.
#include <cstdio>
#include <fstream>

#include "support/program_fixture.h"

namespace vemo {
namespace {

using namespace testing;

std::string g_picture;
std::string g_assets;

// The window as the screen shows it, frame included, as a 24-bit BMP.
bool SaveWindowPicture(HWND window, const std::string& path) {
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    std::string pixels(stride * static_cast<DWORD>(height), '\0');
    const int lines = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (lines != height) return false;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

class WindowPicture : public ProgramTest {};

TEST_F(WindowPicture, Draw) {
    ASSERT_FALSE(g_assets.empty()) << "usage: window_picture.exe <picture.bmp> <assets folder>";
    for (const char* name : {"vemo.ico", "toolbar.bmp", "toolbar-2x.bmp"}) {
        ASSERT_TRUE(CopyFileA((g_assets + "\\" + name).c_str(), (folder / name).c_str(), FALSE))
            << name;
    }
    settings.window_x = 0;
    settings.window_y = 0;
    Start({
        {"Weekly review", " 1", "01-12-2026", "--Fri", "16:00", " 6"},
        {"Stand-up meeting", " 2", "01-12-2026", "--Day", "09:05", " 6"},
        {"Pay the rent", " 3", "28-11-2026", "07-12-2026", "18:00", " 6"},
        {"Water the plants", " 4", "02-12-2026", "--Mon", "08:00", " 6"},
        {"Mother's birthday", " 5", "15-03-2026", "14--Mar", "09:00", " 6"},
        {"Renew the passport", " 6", "20-11-2026", "15-01-2027", "10:30", " 6"},
        {"Old notes", " 7", "01-06-2026", "none", "", " 6"},
    });
    OnProgramTimer();  // the first tick: the state codes, the stand-up's alarm
    ChooseRow(2);
    SetControlText(MainWindow(), ids::EntryField, "Book the train to Lyon");
    HWND window = MainWindow().window;
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    for (int pass = 0; pass < 20; ++pass) WaitForEvents(50);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    WaitForEvents(200);
    ASSERT_TRUE(SaveWindowPicture(window, g_picture));

    // The parts the README numbers, each at its control's top-left corner.
    RECT frame{};
    GetWindowRect(window, &frame);
    const int parts[] = {ids::TextColumn,
                         ids::PriorityColumn,
                         ids::CreatedColumn,
                         ids::RemindDateColumn,
                         ids::TimeColumn,
                         ids::StateColumn,
                         ids::EntryField,
                         ids::DayField,
                         ids::HourField,
                         ids::TimeNowButton,
                         ids::SwitchInactiveButton,
                         ids::PriorityUpButton,
                         ids::AddButton,
                         ids::Toolbar,
                         ids::MessageLine,
                         ids::CreateMessageFileCheck};
    std::ofstream places(g_picture + ".parts");
    int number = 0;
    for (const int id : parts) {
        RECT r{};
        GetWindowRect(GetDlgItem(window, id), &r);
        places << ++number << ' ' << r.left - frame.left << ' ' << r.top - frame.top << '\n';
    }
    EXPECT_TRUE(static_cast<bool>(places));
}

}  // namespace
}  // namespace vemo

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 2) {
        vemo::g_picture = argv[1];
        vemo::g_assets = argv[2];
    }
    return RUN_ALL_TESTS();
}

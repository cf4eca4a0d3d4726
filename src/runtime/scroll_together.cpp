#include "runtime/scroll_together.h"

#include <algorithm>
#include <vector>

namespace vemo {

namespace {

constexpr char kPrevious[] = "VemoScrollTogether";

// Each box's own procedure is kept here as well as in its property: every
// message of the box passes through, and a property lookup costs a round
// trip on some platforms (a list of 10,000 rows is 60,000 messages).
struct Box {
    HWND box = nullptr;
    WNDPROC previous = nullptr;
    bool operator==(HWND other) const { return box == other; }
};
struct ScrollGroup {
    std::vector<Box> boxes;
    bool following = false;  // the others are being moved: no echo
};

// The groups of this thread's windows, each box in one.
std::vector<ScrollGroup>& Groups() {
    static std::vector<ScrollGroup> groups;
    return groups;
}

ScrollGroup* GroupOf(HWND box) {
    for (ScrollGroup& group : Groups()) {
        if (std::find(group.boxes.begin(), group.boxes.end(), box) != group.boxes.end()) {
            return &group;
        }
    }
    return nullptr;
}

void Forget(HWND box) {
    std::vector<ScrollGroup>& groups = Groups();
    for (ScrollGroup& group : groups) std::erase(group.boxes, box);
    std::erase_if(groups, [](const ScrollGroup& group) { return group.boxes.empty(); });
}

WNDPROC PreviousOf(HWND box) {
    for (const ScrollGroup& group : Groups()) {
        const auto found = std::find(group.boxes.begin(), group.boxes.end(), box);
        if (found != group.boxes.end()) return found->previous;
    }
    return reinterpret_cast<WNDPROC>(GetPropA(box, kPrevious));
}

void Follow(HWND leader, LRESULT top) {
    ScrollGroup* group = GroupOf(leader);
    if (group == nullptr || group->following) return;
    group->following = true;
    const std::vector<Box> boxes = group->boxes;
    for (const Box& each : boxes) {
        if (each.box != leader && SendMessageA(each.box, LB_GETTOPINDEX, 0, 0) != top) {
            SendMessageA(each.box, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
        }
    }
    group = GroupOf(leader);  // the boxes' own handlers may have changed the groups
    if (group != nullptr) group->following = false;
}

LRESULT CALLBACK TogetherProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
    const WNDPROC previous = PreviousOf(box);
    if (previous == nullptr) return DefWindowProcA(box, message, wparam, lparam);
    if (message == WM_DESTROY) {
        RemovePropA(box, kPrevious);
        SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        Forget(box);
        return CallWindowProcA(previous, box, message, wparam, lparam);
    }
    const LRESULT top = CallWindowProcA(previous, box, LB_GETTOPINDEX, 0, 0);
    const LRESULT result = CallWindowProcA(previous, box, message, wparam, lparam);
    const LRESULT now = CallWindowProcA(previous, box, LB_GETTOPINDEX, 0, 0);
    if (now != top && now >= 0) Follow(box, now);
    return result;
}

}  // namespace

void ScrollTogether(std::span<const HWND> boxes) {
    ScrollGroup group;
    for (HWND box : boxes) {
        if (box == nullptr) continue;
        Forget(box);
        if (GetPropA(box, kPrevious) == nullptr) {  // not yet one of a group
            SetPropA(box, kPrevious,
                     reinterpret_cast<HANDLE>(GetWindowLongPtrA(box, GWLP_WNDPROC)));
            SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TogetherProc));
        }
        group.boxes.push_back({box, reinterpret_cast<WNDPROC>(GetPropA(box, kPrevious))});
    }
    if (group.boxes.size() > 1) Groups().push_back(std::move(group));
}

}  // namespace vemo

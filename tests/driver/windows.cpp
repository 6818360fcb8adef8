// Finding top-level windows and controls.
#include <limits>

#include "tests/driver/gui_driver.h"

namespace gui {

namespace {

struct top_level_search {
    DWORD process_id;
    const char* class_name;
    std::vector<HWND> found;
};

bool class_matches(HWND window, const char* class_name) {
    return class_name == nullptr || lstrcmpiA(class_name_of(window).c_str(), class_name) == 0;
}

BOOL CALLBACK collect_top_level(HWND window, LPARAM search_address) {
    auto& search = *reinterpret_cast<top_level_search*>(search_address);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.process_id && class_matches(window, search.class_name)) {
        search.found.push_back(window);
    }
    return TRUE;
}

struct child_search {
    const char* class_name;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_child(HWND window, LPARAM search_address) {
    auto& search = *reinterpret_cast<child_search*>(search_address);
    if (class_matches(window, search.class_name)) {
        search.found.push_back(window);
    }
    return TRUE;
}

} // namespace

std::string class_name_of(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> top_level_windows(DWORD process_id, const char* class_name) {
    top_level_search search{process_id, class_name, {}};
    EnumWindows(collect_top_level, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND find_window(DWORD process_id, const char* class_name) {
    for (const HWND window : top_level_windows(process_id, class_name)) {
        if (IsWindowVisible(window) != FALSE) {
            return window;
        }
    }
    return nullptr;
}

HWND wait_for_window(DWORD process_id, const char* class_name, DWORD timeout_ms) {
    HWND found = nullptr;
    wait_until([&] { return (found = find_window(process_id, class_name)) != nullptr; }, timeout_ms);
    return found;
}

std::vector<HWND> children(HWND parent, const char* class_name) {
    child_search search{class_name, {}};
    EnumChildWindows(parent, collect_child, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RECT rect_in_client(HWND parent, HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND find_child(HWND parent, const char* class_name, POINT position) {
    HWND containing = nullptr;
    long smallest = std::numeric_limits<long>::max();
    for (const HWND child : children(parent, class_name)) {
        const RECT rect = rect_in_client(parent, child);
        if (rect.left == position.x && rect.top == position.y) {
            return child;
        }
        const long area = (rect.right - rect.left) * (rect.bottom - rect.top);
        if (PtInRect(&rect, position) != FALSE && area < smallest) {
            containing = child;
            smallest = area;
        }
    }
    return containing;
}

SIZE client_size(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace gui

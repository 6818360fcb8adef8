// The modal file choosers and the framework's message boxes.
#include "framework/choosers.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr DWORD path_buffer_size = 10000;
// One entry labelled "*.html"; its pattern selects the same names.
constexpr char html_filter[] = "*.html\0*.html\0";

struct chooser_record {
    OPENFILENAMEA record{};
    std::vector<char> path = std::vector<char>(path_buffer_size, '\0');

    explicit chooser_record(const wk_win& owner) {
        // The record size without the later extension fields.
        record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
        record.hwndOwner = owner.window_handle;
        record.lpstrFilter = html_filter;
        record.nFilterIndex = 1;
        record.lpstrFile = path.data();
        record.nMaxFile = path_buffer_size;
        record.lpstrInitialDir = ".";
        record.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    }

    void propose(const char* name) {
        // At most path_buffer_size - 1 characters: the buffer always ends with NUL.
        std::strncpy(path.data(), name, path_buffer_size - 1);
    }
};

} // namespace

chooser_calls platform_chooser_calls() {
    return {GetOpenFileNameA, GetSaveFileNameA, CommDlgExtendedError};
}

chooser_calls& active_chooser_calls() {
    static chooser_calls calls = platform_chooser_calls();
    return calls;
}

chooser_result choose_open_file(wk_win& owner, Text& path) {
    chooser_record chooser(owner);
    if (active_chooser_calls().open_file_name(&chooser.record) != FALSE) {
        text_assign(path, chooser.path.data());
        return file_chosen;
    }
    text_assign(path, "");
    return chooser_cancelled;
}

chooser_result choose_save_file(wk_win& owner, Text& path) {
    chooser_record chooser(owner);
    chooser.propose(path.chars);
    if (active_chooser_calls().save_file_name(&chooser.record) != FALSE) {
        text_assign(path, chooser.path.data());
        return file_chosen;
    }
    if (const DWORD error = active_chooser_calls().extended_error(); error != 0) {
        char text[64];
        std::snprintf(text, sizeof text, "GetSaveFileName error %d", static_cast<int>(error));
        show_error_box(owner.window_handle, text);
    }
    text_assign(path, "");
    return chooser_cancelled;
}

void show_error_box(HWND owner, const char* text) {
    MessageBoxA(owner, text, "Error", MB_OK);
}

void show_warning_box(HWND owner, const char* text) {
    MessageBoxA(owner, text, "Warning", MB_OK);
}

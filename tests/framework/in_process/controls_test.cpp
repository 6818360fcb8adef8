// Control creation, the tab order, accelerators, the key filter and the readers.
#include <gtest/gtest.h>

#include <string>

#include "framework/controls.h"
#include "framework/wk_app.h"
#include "tests/driver/gui_driver.h"
#include "tests/framework/in_process/test_windows.h"

namespace {

std::string class_of(HWND control) {
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    return name;
}

void set_text(HWND control, const char* text) {
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

TEST(controls, are_made_with_their_class_style_geometry_id_and_font) {
    recording_win& window = new_window();
    struct case_row {
        const char* what;
        HWND control;
        const char* class_name;
        DWORD style; // without WS_VISIBLE, which showing the control adds
        DWORD ex_style;
        RECT place;
    };
    const case_row rows[] = {
        {"label", create_label(window, "Label:", 5, 6, 70, 20), "Static", 0x44000000, 0, {5, 6, 75, 26}},
        {"edit line",
         create_edit_line(window, 30, 40),
         "Edit",
         0x44810080,
         WS_EX_CLIENTEDGE,
         {30, 40, 180, 64}},
        {"edit box", create_edit_box(window), "Edit", 0x44810044, WS_EX_CLIENTEDGE, {15, 422, 960, 584}},
        {"button",
         create_button(window, 300, 10, 24, "&Go", false),
         "Button",
         0x44802000,
         0,
         {300, 10, 375, 34}},
        {"default button",
         create_button(window, 300, 40, 30, "&Ok", true),
         "Button",
         0x44802001,
         0,
         {300, 40, 375, 70}},
        {"list box",
         create_list_box(window, 400, 10, 120, 200),
         "ListBox",
         0x44A10181,
         WS_EX_CLIENTEDGE,
         {400, 10, 520, 210}},
    };
    for (const case_row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_NE(row.control, nullptr);
        EXPECT_EQ(class_of(row.control), row.class_name);
        const auto style = static_cast<DWORD>(GetWindowLongPtrA(row.control, GWL_STYLE));
        // A list box shows its scroll bar only when its entries need it.
        const DWORD dynamic = row.class_name == std::string("ListBox") ? WS_VSCROLL : 0;
        EXPECT_EQ(style & ~(WS_VISIBLE | dynamic), row.style & ~dynamic);
        EXPECT_NE(style & WS_VISIBLE, 0u) << "shown";
        const auto ex_style = static_cast<DWORD>(GetWindowLongPtrA(row.control, GWL_EXSTYLE));
        EXPECT_EQ(ex_style & WS_EX_CLIENTEDGE, row.ex_style);
        const RECT place = gui::rect_in_client(window.window_handle, row.control);
        EXPECT_EQ(place.left, row.place.left);
        EXPECT_EQ(place.top, row.place.top);
        EXPECT_EQ(place.right, row.place.right);
        EXPECT_EQ(place.bottom, row.place.bottom);
        EXPECT_EQ(GetDlgCtrlID(row.control), control_id);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(row.control, WM_GETFONT, 0, 0)), control_font);
        EXPECT_EQ(GetParent(row.control), window.window_handle);
        EXPECT_EQ(GetWindowThreadProcessId(row.control, nullptr), gui_thread_id);
    }
    // The tab order: the focusable controls in creation order, no label.
    std::vector<HWND> order;
    for (const tab_entry* entry = window.tab_order; entry != nullptr; entry = entry->next) {
        order.push_back(entry->control);
    }
    EXPECT_EQ(order, (std::vector<HWND>{rows[1].control, rows[2].control, rows[3].control, rows[4].control,
                                        rows[5].control}));
}

TEST(controls, the_first_focusable_control_gets_the_focus_with_its_text_selected) {
    recording_win& window = new_window();
    create_label(window, "Label:", 5, 6, 70, 20);
    const HWND first = create_edit_line(window, 30, 40);
    create_edit_line(window, 30, 80);
    EXPECT_EQ(focus_control.load(), first);
    HWND focused = nullptr;
    run_on_gui_thread([&] { focused = GetFocus(); });
    EXPECT_EQ(focused, first);
}

TEST(tab_target, moves_along_the_tab_order_and_wraps_around) {
    recording_win& window = new_window();
    const HWND a = create_edit_line(window, 10, 10);
    const HWND b = create_button(window, 200, 10, 24, "&B", false);
    const HWND c = create_list_box(window, 300, 10, 100, 100);
    struct case_row {
        HWND from;
        bool backwards;
        HWND to;
    };
    const case_row rows[] = {
        {a, false, b}, {b, false, c}, {c, false, a}, // forwards, the last wraps to the first
        {a, true, c},  {b, true, a},  {c, true, b},  // backwards, the first wraps to the last
    };
    for (const case_row& row : rows) {
        const tab_entry* const target = tab_target(window, row.from, row.backwards);
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(target->control, row.to) << (row.backwards ? "backwards" : "forwards");
    }
    EXPECT_EQ(tab_target(window, window.window_handle, false), nullptr) << "not in the tab order";

    recording_win& single = new_window();
    const HWND only = create_button(single, 10, 10, 24, "Only", false);
    for (const bool backwards : {false, true}) {
        const tab_entry* const target = tab_target(single, only, backwards);
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(target->control, only);
    }
}

TEST(find_accelerator, finds_the_first_control_marking_the_letter_in_its_current_text) {
    recording_win& window = new_window();
    const HWND edit = create_edit_line(window, 10, 10);
    const HWND delete_button = create_button(window, 200, 10, 24, "&Delete", false);
    const HWND drop_button = create_button(window, 200, 40, 24, "&drop", false);
    const HWND exit_button = create_button(window, 200, 70, 24, "E&xit", false);
    const HWND plain = create_button(window, 200, 100, 24, "Plain", false);

    const auto found = [&](char letter) -> HWND {
        const tab_entry* const entry = find_accelerator(window, letter);
        return entry != nullptr ? entry->control : nullptr;
    };
    EXPECT_EQ(found('d'), delete_button) << "the first of two";
    EXPECT_EQ(found('D'), delete_button) << "either case";
    EXPECT_EQ(found('x'), exit_button);
    EXPECT_EQ(found('p'), nullptr) << "an unmarked label";
    EXPECT_EQ(found('e'), nullptr) << "only the letter after '&'";
    EXPECT_EQ(found('\0'), nullptr) << "never an unmarked control";

    set_text(edit, "a&q and &r");
    EXPECT_EQ(found('q'), edit) << "an edit box's text counts, first '&' only";
    EXPECT_EQ(found('r'), nullptr);

    set_text(delete_button, "&Remove");
    EXPECT_EQ(found('d'), drop_button) << "the texts are read again at each lookup";
    EXPECT_EQ(found('r'), delete_button);
    set_text(plain, "&Plain");
    EXPECT_EQ(found('p'), plain);
    set_text(plain, "No mark");
    EXPECT_EQ(found('p'), plain) << "a text that lost its '&' keeps its letter";
}

struct filter_result {
    int result = -1;
    wk_event event;
    HWND focus = nullptr;
};

// Runs key_filter on the GUI thread, as the subclass procedures do.
filter_result filter(wk_win& window, UINT message, WPARAM key, HWND control) {
    filter_result r;
    run_on_gui_thread([&] {
        clear_events(window);
        r.result = key_filter(message, key, control);
        r.event = take_event(window);
        r.focus = GetFocus();
    });
    return r;
}

TEST(key_filter, consumes_enter_escape_and_tab_and_reports_letters_and_arrows) {
    recording_win& window = new_window();
    const HWND edit = create_edit_line(window, 10, 10);
    const HWND button = create_button(window, 200, 10, 24, "&Go", false);
    const auto window_value = reinterpret_cast<LPARAM>(window.window_handle);
    struct case_row {
        UINT message;
        WPARAM key;
        int result;
        int kind;
    };
    const case_row rows[] = {
        {WM_CHAR, 13, 1, event_enter},
        {WM_CHAR, 27, 1, event_escape},
        {WM_CHAR, 'd', 0, event_char_d},
        {WM_CHAR, 'D', 0, event_char_d},
        {WM_CHAR, 'n', 0, event_char_n},
        {WM_CHAR, 'N', 0, event_char_n},
        {WM_CHAR, 'p', 0, event_char_p},
        {WM_CHAR, 'P', 0, event_char_p},
        {WM_CHAR, 'u', 0, event_char_u},
        {WM_CHAR, 'U', 0, event_char_u},
        {WM_CHAR, 'm', 0, event_none},
        {WM_CHAR, '+', 0, event_none},
        {WM_KEYDOWN, VK_RIGHT, 0, event_key_right},
        {WM_KEYDOWN, VK_LEFT, 0, event_key_left},
        {WM_KEYDOWN, VK_UP, 0, event_key_up},
        {WM_KEYDOWN, VK_DOWN, 0, event_key_down},
        {WM_KEYDOWN, VK_ADD, 0, event_key_add},
        {WM_KEYDOWN, VK_SUBTRACT, 0, event_key_subtract},
        {WM_KEYDOWN, 'D', 0, event_none},
        {WM_KEYUP, VK_RIGHT, 0, event_none},
        {WM_SYSCHAR, 'z', 0, event_none}, // unmarked: passed on
        {WM_PAINT, 0, 0, event_none},
    };
    for (const case_row& row : rows) {
        const filter_result r = filter(window, row.message, row.key, edit);
        EXPECT_EQ(r.result, row.result) << "message " << row.message << " key " << row.key;
        EXPECT_EQ(r.event.kind, row.kind) << "message " << row.message << " key " << row.key;
        if (row.kind != event_none) {
            EXPECT_EQ(r.event.value, window_value) << "message " << row.message << " key " << row.key;
        }
    }
    const filter_result alt = filter(window, WM_SYSCHAR, 'G', edit);
    EXPECT_EQ(alt.result, 1);
    EXPECT_EQ(alt.event.kind, event_activate);
    EXPECT_EQ(alt.event.value, reinterpret_cast<LPARAM>(button));

    const filter_result tab = filter(window, WM_CHAR, 9, edit);
    EXPECT_EQ(tab.result, 1);
    EXPECT_EQ(tab.event.kind, event_none);
    EXPECT_EQ(tab.focus, button);
    EXPECT_EQ(focus_control.load(), button);
}

TEST(key_filter, outside_a_framework_window_swallows_only_tab) {
    recording_win& window = new_window();
    // An edit box whose parent is no registered framework window.
    const HWND stranger = request_create_window(0, "EDIT", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                                wk_instance.instance_handle);
    const HWND child = request_create_window(0, "EDIT", "", WS_CHILD, 0, 0, 50, 20, stranger, nullptr,
                                             wk_instance.instance_handle);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(filter(window, WM_CHAR, 9, child).result, 1);
    for (const WPARAM key : {WPARAM{13}, WPARAM{27}, WPARAM{'d'}}) {
        const filter_result r = filter(window, WM_CHAR, key, child);
        EXPECT_EQ(r.result, 0) << key;
        EXPECT_EQ(r.event.kind, event_none) << key;
    }
    EXPECT_EQ(filter(window, WM_SYSCHAR, 'a', child).result, 0);
}

TEST(read_control_text, reads_the_whole_text) {
    recording_win& window = new_window();
    const HWND box = create_edit_box(window);
    SendMessageA(box, EM_SETLIMITTEXT, 0, 0);
    Text text("old");
    read_control_text(box, text);
    EXPECT_STREQ(text.chars, "");
    std::string long_text(12000, 'x');
    long_text[0] = 'a';
    long_text.back() = 'z';
    set_text(box, long_text.c_str());
    read_control_text(box, text);
    EXPECT_EQ(text.length(), long_text.size());
    EXPECT_TRUE(text.chars == long_text);
}

TEST(read_list_selection, reads_the_selected_entry_whole_or_nothing) {
    recording_win& window = new_window();
    const HWND list = create_list_box(window, 10, 10, 200, 200);
    const std::string long_entry = std::string(15000, 'y') + "end";
    for (const char* entry : {"first", "second", long_entry.c_str()}) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
    Text text("stale");
    read_list_selection(list, text);
    EXPECT_STREQ(text.chars, "") << "no selection";

    SendMessageA(list, LB_SETCURSEL, 1, 0);
    read_list_selection(list, text);
    EXPECT_STREQ(text.chars, "second");

    SendMessageA(list, LB_SETCURSEL, 2, 0);
    read_list_selection(list, text);
    EXPECT_EQ(text.length(), long_entry.size()) << "a long entry reads whole";
    EXPECT_TRUE(text.chars == long_entry);

    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    read_list_selection(list, text);
    EXPECT_STREQ(text.chars, "");
}

} // namespace

// Input given while a command runs, with both threads running and real keys
// and clicks: it acts on what the user saw when giving it, as in a program
// with one thread, and the window still paints and moves meanwhile.
#include <gtest/gtest.h>

#include "framework/wk_app.h"
#include "tests/app/main_window_session.h"

namespace {

using g = gen_main_win;

POINT middle_of(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    return {client.right / 2, client.bottom / 2};
}

POINT middle_of_line(HWND list_box, int line) {
    RECT item{};
    SendMessageA(list_box, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
    return {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

RECT place_of(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    return outer;
}

// Update is clicked with A selected and its text changed; while Update runs,
// the user moves the window and clicks B. Update stores A's text in A, then B
// is shown.
TEST(busy_command, a_click_given_while_it_runs_acts_after_it_on_what_the_user_saw) {
    const temporary_file file("busy.html");
    write_document("A|B", file.path);
    open_document(file.path);
    perform({select_line(&g::all_paragraphs_list, 0), type_into(&g::paragraph_edit, "A2")});
    main_win& window = the_window();
    const RECT before = place_of(window.window_handle);
    do_inside_next_command([&] {
        ASSERT_TRUE(drag_caption_by(window.window_handle, 40, 30));
        EXPECT_TRUE(wait_until([&] { return place_of(window.window_handle).left == before.left + 40; }))
            << "the window did not move while busy";
        InvalidateRect(window.window_handle, nullptr, TRUE);
        EXPECT_TRUE(wait_until([&] { return GetUpdateRect(window.window_handle, nullptr, FALSE) == FALSE; }))
            << "the window was not repainted while busy";
        ASSERT_TRUE(give_click(window.all_paragraphs_list, middle_of_line(window.all_paragraphs_list, 1)));
        ASSERT_TRUE(input_waits(QS_MOUSEBUTTON));
    });
    ASSERT_TRUE(give_click(window.update_button, middle_of(window.update_button)));
    run_event_loop_until([] { return text_of(&g::paragraph_edit) == "B"; });
    EXPECT_EQ(shown(&g::all_paragraphs_list), "A2|[B]");
    EXPECT_EQ(text_of(&g::paragraph_edit), "B");
    MoveWindow(window.window_handle, before.left, before.top, before.right - before.left,
               before.bottom - before.top, TRUE);
}

// Letters typed while "New paragraph after" runs go to the new paragraph's
// box, which the command empties and focuses, in the order typed.
TEST(busy_command, letters_typed_while_it_runs_arrive_after_it_in_order) {
    perform({click_on(&g::new_file_button), type_into(&g::paragraph_edit, "first")});
    main_win& window = the_window();
    do_inside_next_command([&] {
        ASSERT_TRUE(type_letters("xyz"));
        ASSERT_TRUE(input_waits(QS_KEY));
    });
    ASSERT_TRUE(give_click(window.new_paragraph_button, middle_of(window.new_paragraph_button)));
    run_event_loop_until([] { return text_of(&g::paragraph_edit) == "xyz"; });
    EXPECT_EQ(text_of(&g::paragraph_edit), "xyz");
    EXPECT_EQ(shown(&g::all_paragraphs_list), "|[]");
}

} // namespace

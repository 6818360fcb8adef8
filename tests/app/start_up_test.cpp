// The window as the program starts: layout, start-up state, tab order and the
// Alt letters.
#include <gtest/gtest.h>

#include "tests/app/norvane_window.h"

namespace norvane_test {
namespace {

TEST(start_up, window_layout_and_start_up_state) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());

    EXPECT_EQ(gui::text_of(app.top), "Norvane 1.01");
    const SIZE client = gui::client_size(app.top);
    EXPECT_EQ(client.cx, 976);
    EXPECT_EQ(client.cy, 734);

    for (const control_place& place : app.layout()) {
        SCOPED_TRACE(place.name);
        const HWND control = *place.handle;
        EXPECT_EQ(GetParent(control), app.top);
        EXPECT_EQ(lstrcmpiA(gui::class_name_of(control).c_str(), place.class_name), 0)
            << gui::class_name_of(control);
        EXPECT_EQ(gui::text_of(control), place.text);
        const RECT rect = gui::rect_in_client(app.top, control);
        EXPECT_EQ(rect.left, place.x);
        EXPECT_EQ(rect.top, place.y);
        EXPECT_EQ(rect.right - rect.left, place.width);
        EXPECT_EQ(rect.bottom - rect.top, place.height);
        EXPECT_EQ(GetDlgCtrlID(control), 9999);
        EXPECT_TRUE(IsWindowVisible(control));
        if (lstrcmpiA(place.class_name, "Button") == 0) {
            const bool is_default = (gui::style_of(control) & 0xF) == BS_DEFPUSHBUTTON;
            EXPECT_EQ(is_default, control == app.update_new_button);
        }
        if (lstrcmpiA(place.class_name, "ListBox") == 0) {
            EXPECT_EQ(gui::style_of(control) & LBS_SORT, 0u) << "entries stay in document order";
        }
    }
    EXPECT_EQ(gui::children(app.top).size(), 28u);

    // One empty paragraph, selected and shown; the other lists empty.
    window_view start_up;
    start_up.paragraphs = {""};
    start_up.paragraph_selected = 0;
    EXPECT_EQ(app.view(), start_up);
    EXPECT_EQ(app.focus(), app.paragraph_edit);
}

TEST(start_up, tab_cycles_through_the_21_controls_in_creation_order) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());
    const std::vector<HWND> tab_order = {
        app.exit_button,          app.paragraph_edit,
        app.linked_symbols_list,  app.result_list,
        app.all_paragraphs_list,  app.new_paragraph_button,
        app.cut_button,           app.paste_before_button,
        app.all_symbols_list,     app.save_button,
        app.open_button,          app.link_symbol_button,
        app.symbol_edit,          app.link_listed_symbol_button,
        app.update_button,        app.search_button,
        app.delete_symbol_button, app.update_new_button,
        app.new_file_button,      app.search_edit,
        app.paste_after_button,
    };
    // From the paragraph box (second) once round, forwards.
    for (std::size_t step = 1; step <= tab_order.size(); ++step) {
        const HWND expected = tab_order[(1 + step) % tab_order.size()];
        gui::press_key(VK_TAB);
        ASSERT_TRUE(gui::wait_until([&] { return app.focus() == expected; })) << "Tab number " << step;
    }
    ASSERT_EQ(app.focus(), app.paragraph_edit);
    // Backwards past the first control wraps to the last.
    gui::press_keys({VK_SHIFT, VK_TAB});
    ASSERT_TRUE(gui::wait_until([&] { return app.focus() == app.exit_button; }));
    gui::press_keys({VK_SHIFT, VK_TAB});
    ASSERT_TRUE(gui::wait_until([&] { return app.focus() == app.paste_after_button; }));
    gui::press_key(VK_TAB);
    ASSERT_TRUE(gui::wait_until([&] { return app.focus() == app.exit_button; }));
}

// Alt+S belongs to "&Save file" (created before "&Search"); cancelling the
// chooser empties the proposed name.
TEST(start_up, alt_s_opens_the_save_chooser_never_the_search) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());
    app.link_symbol("findme"); // an empty search would now list the paragraph
    click(app.paragraph_edit);

    gui::press_keys({VK_MENU, 'S'});
    HWND chooser = app.wait_for_chooser();
    ASSERT_NE(chooser, nullptr) << "Alt+S opened no chooser";
    EXPECT_EQ(app.chooser_file_name(chooser), "norvane.html");
    EXPECT_TRUE(app.view().results.empty()) << "Alt+S ran the search";
    gui::press_key(VK_ESCAPE);
    ASSERT_TRUE(gui::wait_until([&] { return IsWindow(chooser) == FALSE; }));

    ASSERT_TRUE(gui::make_foreground(app.top));
    click(app.paragraph_edit);
    gui::press_keys({VK_MENU, 'S'});
    chooser = app.wait_for_chooser();
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(app.chooser_file_name(chooser), "") << "the cancelled chooser left the name empty";
    gui::press_key(VK_ESCAPE);
    ASSERT_TRUE(gui::wait_until([&] { return IsWindow(chooser) == FALSE; }));

    // The search button itself still searches.
    app.click_and_wait(
        app.search_button, [](const window_view& v) { return v.results == std::vector<std::string>{""}; },
        "search results");
    EXPECT_TRUE(files_in(app.folder).empty()) << "nothing was saved";
}

} // namespace
} // namespace norvane_test

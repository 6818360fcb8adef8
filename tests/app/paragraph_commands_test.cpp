// Writing paragraphs: Update, Update + New from Enter in any box, New
// paragraph after, Cut, Paste before and after, New file, Exit and closing.
#include <gtest/gtest.h>

#include "tests/app/norvane_window.h"

namespace norvane_test {
namespace {

using texts = std::vector<std::string>;

TEST(paragraph_commands, enter_update_and_new_paragraph_after) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());

    // Enter in the paragraph box stores the text (no line break in it) and
    // opens a new paragraph.
    app.type_into(app.paragraph_edit, "alpha");
    gui::press_key(VK_RETURN);
    app.wait_for(
        [](const window_view& v) {
            return v.paragraphs == texts{"alpha", ""} && v.paragraph_selected == 1;
        },
        "Enter in the paragraph box");
    // Update + New clicked: it ends with the focus back in the paragraph box,
    // so the test knows both commands are done.
    app.click_and_wait(
        app.update_new_button,
        [&](const window_view& v) {
            return v.paragraphs == texts{"alpha", "", ""} && v.paragraph_selected == 2 &&
                   app.focus() == app.paragraph_edit;
        },
        "Update + New");
    app.click_and_wait(
        app.cut_button,
        [](const window_view& v) {
            return v.paragraphs == texts{"alpha", ""};
        },
        "cut the extra one");
    app.select_paragraph(1);
    app.enter_paragraph("beta");

    // Enter in the symbol box and in the search box is Update + New too:
    // nothing is linked and nothing searched.
    app.type_into(app.paragraph_edit, "gamma");
    app.type_into(app.symbol_edit, "sym");
    gui::press_key(VK_RETURN);
    app.wait_for(
        [&](const window_view& v) {
            return v.paragraphs == texts{"alpha", "beta", "gamma", ""} && app.focus() == app.paragraph_edit;
        },
        "Enter in symbol box");
    app.type_into(app.paragraph_edit, "delta");
    app.type_into(app.search_edit, "sym");
    gui::press_key(VK_RETURN);
    window_view expected;
    expected.paragraphs = {"alpha", "beta", "gamma", "delta", ""};
    expected.paragraph_selected = 4;
    app.wait_for_view(expected, "Enter in search box: update and new, no link, no search");
    EXPECT_TRUE(gui::wait_until([&] { return app.focus() == app.paragraph_edit; }));
    EXPECT_EQ(gui::text_of(app.symbol_edit), "sym");

    // Update paragraph with an empty box keeps the paragraph, with empty text.
    app.select_paragraph(1);
    app.type_into(app.paragraph_edit, "");
    expected.paragraphs = {"alpha", "", "gamma", "delta", ""};
    expected.paragraph_selected = 1;
    app.click_and_wait(
        app.update_button, [&](const window_view& v) { return v == expected; }, "empty update");

    // A multi-line text is one entry; Update keeps the selection on it.
    app.select_paragraph(0);
    app.type_into(app.paragraph_edit, "ALPHA");
    gui::press_keys({VK_CONTROL, VK_RETURN}); // a line break typed as the control does not filter it
    app.click_and_wait(
        app.update_button,
        [](const window_view& v) {
            return v.paragraph_selected == 0 && v.paragraphs[0].rfind("ALPHA", 0) == 0 &&
                   v.paragraphs.size() == 5 && v.paragraph_text == v.paragraphs[0];
        },
        "update of the first paragraph");

    // Text typed but not stored is lost when another paragraph is selected.
    const std::string stored = app.view().paragraphs[0];
    app.type_into(app.paragraph_edit, "lost");
    app.select_paragraph(2);
    EXPECT_EQ(app.view().paragraph_text, "gamma");
    app.select_paragraph(0);
    EXPECT_EQ(app.view().paragraph_text, stored);

    // Enter in a list is Update + New as well.
    app.select_paragraph(4);
    gui::press_key(VK_RETURN);
    app.wait_for(
        [&](const window_view& v) {
            return v.paragraphs == texts{stored, "", "gamma", "delta", "", ""} && v.paragraph_selected == 5;
        },
        "Enter in the paragraph list");
    EXPECT_TRUE(gui::wait_until([&] { return app.focus() == app.paragraph_edit; }));

    // New paragraph after inserts right after the selected one.
    app.select_paragraph(2);
    app.click_and_wait(
        app.new_paragraph_button,
        [&](const window_view& v) {
            return v.paragraphs == texts{stored, "", "gamma", "", "delta", "", ""} &&
                   v.paragraph_selected == 3 && v.paragraph_text.empty();
        },
        "new paragraph after gamma");
    EXPECT_TRUE(gui::wait_until([&] { return app.focus() == app.paragraph_edit; }));
}

TEST(paragraph_commands, cut_and_paste_before_and_after) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());
    app.enter_paragraph("first");
    app.enter_paragraph("a");
    app.enter_paragraph("b");

    // Paste before anything was cut: an empty paragraph, first and selected.
    app.select_paragraph(0);
    app.click_and_wait(
        app.paste_before_button,
        [](const window_view& v) {
            return v.paragraphs == texts{"", "first", "a", "b", ""} && v.paragraph_selected == 0 &&
                   v.paragraph_text.empty();
        },
        "paste before with nothing cut");

    // Cut "a" with its symbol: the next paragraph is shown, all symbols rebuilt.
    app.select_paragraph(2);
    app.link_symbol("sa");
    window_view expected;
    expected.paragraphs = {"", "first", "b", ""};
    expected.paragraph_selected = 2;
    expected.paragraph_text = "b";
    app.click_and_wait(
        app.cut_button, [&](const window_view& v) { return v == expected; }, "cut a");

    // Paste after b: the copy is selected with its symbol; all symbols are not rebuilt.
    expected.paragraphs = {"", "first", "b", "a", ""};
    expected.paragraph_selected = 3;
    expected.paragraph_text = "a";
    expected.linked_symbols = {"sa"};
    app.click_and_wait(
        app.paste_after_button, [&](const window_view& v) { return v == expected; }, "paste after b");

    // Paste before the copy: a second, independent copy takes its place.
    expected.paragraphs = {"", "first", "b", "a", "a", ""};
    app.click_and_wait(
        app.paste_before_button, [&](const window_view& v) { return v == expected; }, "paste before");
    app.type_into(app.paragraph_edit, "a2");
    app.click_and_wait(
        app.update_button, [](const window_view& v) { return v.paragraphs[3] == "a2"; },
        "update the second copy");
    app.select_paragraph(4);
    EXPECT_EQ(app.view().linked_symbols, texts{"sa"}) << "the other copy keeps its own symbol";

    // Cutting again replaces what was cut.
    app.select_paragraph(2);
    app.click_and_wait(
        app.cut_button,
        [](const window_view& v) {
            return v.paragraphs == texts{"", "first", "a2", "a", ""};
        },
        "cut b");
    app.click_and_wait(
        app.paste_after_button,
        [](const window_view& v) {
            return v.paragraphs == texts{"", "first", "a2", "b", "a", ""} && v.paragraph_selected == 3 &&
                   v.linked_symbols.empty();
        },
        "paste after pastes b");

    // Cutting the last paragraph leaves nothing selected.
    app.select_paragraph(5);
    expected = {};
    expected.paragraphs = {"", "first", "a2", "b", "a"};
    expected.all_symbols = {"sa"};
    app.click_and_wait(
        app.cut_button, [&](const window_view& v) { return v == expected; }, "cut the last");

    // Without a selection: Paste after appends and selects the first paragraph ...
    expected.paragraphs = {"", "first", "a2", "b", "a", ""};
    expected.paragraph_selected = 0;
    app.click_and_wait(
        app.paste_after_button, [&](const window_view& v) { return v == expected; }, "append");

    // ... and so does New paragraph after.
    app.select_paragraph(5);
    expected.paragraph_selected = -1;
    expected.paragraphs = {"", "first", "a2", "b", "a"};
    app.click_and_wait(
        app.cut_button, [&](const window_view& v) { return v == expected; }, "cut the last again");
    expected.paragraphs = {"", "first", "a2", "b", "a", ""};
    expected.paragraph_selected = 0;
    app.click_and_wait(
        app.new_paragraph_button, [&](const window_view& v) { return v == expected; }, "new at end");

    // Without a selection, Paste before puts the paragraph first and selects it.
    app.select_paragraph(2);
    app.click_and_wait(
        app.cut_button, [](const window_view& v) { return v.paragraphs.size() == 5; }, "cut first");
    app.select_paragraph(4);
    app.click_and_wait(
        app.cut_button, [](const window_view& v) { return v.paragraph_selected == -1; }, "cut last");
    expected.paragraphs = {"", "", "first", "b", "a"};
    expected.paragraph_selected = 0;
    app.click_and_wait(
        app.paste_before_button, [&](const window_view& v) { return v == expected; }, "prepend");
}

TEST(paragraph_commands, cutting_the_only_paragraph_then_new_paragraph) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());
    app.type_into(app.paragraph_edit, "only");
    app.click_and_wait(
        app.update_button, [](const window_view& v) { return v.paragraphs == texts{"only"}; }, "update");
    app.click_and_wait(
        app.cut_button, [](const window_view& v) { return v == window_view{}; }, "empty document");

    // Commands that need a selected paragraph do nothing now.
    app.type_into(app.paragraph_edit, "xyz");
    click(app.update_button);
    app.type_into(app.symbol_edit, "xyz");
    click(app.link_symbol_button);
    click(app.delete_symbol_button);
    app.click_and_wait(
        app.paste_before_button, [](const window_view& v) { return v.paragraphs.size() == 1; }, "paste");
    window_view expected;
    expected.paragraphs = {"only"};
    expected.paragraph_selected = 0;
    expected.paragraph_text = "only";
    EXPECT_EQ(app.view(), expected);

    app.click_and_wait(
        app.cut_button, [](const window_view& v) { return v == window_view{}; }, "empty again");
    expected.paragraphs = {""};
    expected.paragraph_text = "";
    app.click_and_wait(
        app.new_paragraph_button, [&](const window_view& v) { return v == expected; }, "new first");
    EXPECT_TRUE(gui::wait_until([&] { return app.focus() == app.paragraph_edit; }));
}

// New file empties everything but keeps what was cut; Exit saves nothing.
TEST(paragraph_commands, new_file_then_exit) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());
    app.enter_paragraph("kept in the cut");
    app.select_paragraph(0);
    app.link_symbol("k");
    app.click_and_wait(
        app.cut_button, [](const window_view& v) { return v.paragraphs == texts{""}; }, "cut");
    app.enter_paragraph("one");
    app.link_symbol("s1");
    app.click_and_wait(
        app.search_button, [](const window_view& v) { return !v.results.empty(); }, "search");

    window_view fresh;
    fresh.paragraphs = {""};
    fresh.paragraph_selected = 0;
    app.click_and_wait(
        app.new_file_button, [&](const window_view& v) { return v == fresh; }, "new file");
    EXPECT_TRUE(gui::wait_until([&] { return app.focus() == app.paragraph_edit; }));

    app.click_and_wait(
        app.paste_after_button,
        [](const window_view& v) {
            return v.paragraphs == texts{"", "kept in the cut"} && v.linked_symbols == texts{"k"};
        },
        "the cut paragraph survived New file");

    click(app.paragraph_edit);
    gui::press_keys({VK_MENU, 'X'});
    EXPECT_EQ(app.program.wait_for_exit(), 0u);
    EXPECT_TRUE(files_in(app.folder).empty()) << "Exit saved something";
}

TEST(paragraph_commands, closing_the_window_ends_the_program_without_saving) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());
    app.enter_paragraph("unsaved");
    click(app.paragraph_edit);
    gui::press_keys({VK_MENU, VK_F4});
    EXPECT_EQ(app.program.wait_for_exit(), 0u);
    EXPECT_TRUE(files_in(app.folder).empty());
}

} // namespace
} // namespace norvane_test

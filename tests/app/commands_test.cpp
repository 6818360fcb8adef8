// The main window's commands, each from a document and the user's selections
// to the lists, selections and paragraph text it leaves.
#include <gtest/gtest.h>

#include "tests/app/main_window_session.h"

namespace {

using g = gen_main_win;

// All paragraphs / paragraph text / linked symbols / all symbols / results;
// list entries joined by '|', the selected one in brackets.
std::string window_state() {
    return shown(&g::all_paragraphs_list) + " / " + text_of(&g::paragraph_edit) + " / " +
           shown(&g::linked_symbols_list) + " / " + shown(&g::all_symbols_list) + " / " +
           shown(&g::result_list);
}

// "p0|p1|...", count paragraphs.
std::string numbered_paragraphs(int count) {
    std::string described = "p0";
    for (int i = 1; i < count; ++i) {
        described += "|p" + std::to_string(i);
    }
    return described;
}

struct command_case {
    const char* name;
    const char* document;
    std::vector<user_step> steps;
    std::string after;
};

TEST(commands, leave_the_lists_and_selections_each_command_promises) {
    const auto paragraph = [](int line) { return select_line(&g::all_paragraphs_list, line); };
    const user_step cut = click_on(&g::cut_button);
    // clang-format off
    const command_case cases[] = {
        {"update keeps the paragraph selected", "a|b:x|c",
         {paragraph(1), type_into(&g::paragraph_edit, "B"), click_on(&g::update_button)}, "a|[B]|c / B / x / x / "},
        {"Enter updates and opens an empty paragraph after", "a|b",
         {paragraph(0), type_into(&g::paragraph_edit, "A"), {user_step::enter}}, "A|[]|b /  /  /  / "},
        {"cut selects the following paragraph", "a|b:x|c", {paragraph(1), cut}, "a|[c] / c /  /  / "},
        {"cutting the last paragraph leaves nothing selected", "a|b", {paragraph(1), cut}, "a /  /  /  / "},
        {"paste before the first paragraph selects the pasted one", "a|b:x",
         {paragraph(1), cut, paragraph(0), click_on(&g::paste_before_button)}, "[b]|a / b / x /  / "},
        {"paste before a later paragraph selects the pasted one", "a|b|c",
         {paragraph(0), cut, paragraph(1), click_on(&g::paste_before_button)}, "b|[a]|c / a /  /  / "},
        {"paste after selects the pasted one", "a|b|c",
         {paragraph(0), cut, paragraph(0), click_on(&g::paste_after_button)}, "b|[a]|c / a /  /  / "},
        {"paste after with nothing selected appends and selects the first", "a|b",
         {paragraph(1), cut, click_on(&g::paste_after_button)}, "[a]|b / a /  /  / "},
        {"a typed symbol goes after the selected linked symbol", "a:x,z",
         {paragraph(0), select_line(&g::linked_symbols_list, 0), type_into(&g::symbol_edit, "y"),
          click_on(&g::link_symbol_button)}, "[a] / a / x|y|z / x|y|z / a"},
        {"a listed symbol is linked last and stays selected", "a:x|b:y",
         {paragraph(1), select_line(&g::all_symbols_list, 0), click_on(&g::link_listed_symbol_button)},
         "a|[b] / b / y|x / [x]|y / a"},
        {"unlink removes the selected linked symbol and empties the results", "a:x,y|b:y",
         {paragraph(0), select_line(&g::linked_symbols_list, 1), click_on(&g::delete_symbol_button)},
         "[a]|b / a / x / x|y / "},
        {"no command acts on a paragraph when none is selected", "a|b",
         {paragraph(1), cut, type_into(&g::symbol_edit, "x"), click_on(&g::link_symbol_button),
          type_into(&g::paragraph_edit, "lost"), click_on(&g::update_button)}, "a / lost /  /  / "},
        {"a linked symbol lists its paragraphs once per link", "a:x,x|b|c:x",
         {paragraph(2), select_line(&g::linked_symbols_list, 0)}, "a|b|[c] / c / [x] / x / a|a|c"},
        {"search matches symbols by case-sensitive substring", "a:abc|b:AB|c:cab",
         {type_into(&g::search_edit, "ab"), click_on(&g::search_button)}, "[a]|b|c / a / abc / AB|abc|cab / a|c"},
        {"a result line selects the first paragraph with its text", "d:x|b|d:x,y",
         {paragraph(1), select_line(&g::all_symbols_list, 1), select_line(&g::result_list, 0)},
         "[d]|b|d / d / x / x|[y] / [d]"},
        {"new file leaves one empty paragraph, selected", "a:x|b",
         {paragraph(1), click_on(&g::new_file_button)}, "[] /  /  /  / "},
    };
    // clang-format on
    const temporary_file file("commands.html");
    for (const command_case& c : cases) {
        SCOPED_TRACE(c.name);
        write_document(c.document, file.path);
        open_document(file.path);
        perform(c.steps);
        EXPECT_EQ(window_state(), c.after);
    }
}

// The list box shows the last 5,000 paragraphs; a line must still name the
// paragraph it shows.
TEST(commands, act_on_the_selected_line_of_a_list_longer_than_the_list_box) {
    const temporary_file file("long.html");
    write_document(numbered_paragraphs(5003) + ":last", file.path);
    open_document(file.path);
    perform({select_line(&g::all_paragraphs_list, 4999)});
    EXPECT_EQ(text_of(&g::paragraph_edit), "p5002");
    EXPECT_EQ(shown(&g::linked_symbols_list), "last");

    perform({select_line(&g::all_paragraphs_list, 0), click_on(&g::cut_button)});
    EXPECT_EQ(text_of(&g::paragraph_edit), "p4");
    const std::string lines = shown(&g::all_paragraphs_list);
    EXPECT_EQ(lines.substr(0, lines.find("|p5|")), "p2|[p4]")
        << "p3 cut, the list still shows its last 5,000";

    perform({click_on(&g::paste_after_button)});
    EXPECT_EQ(text_of(&g::paragraph_edit), "p3");
    EXPECT_EQ(shown(&g::all_paragraphs_list).substr(0, 10), "p4|[p3]|p5") << "pasted after p4";
}

// Update refills the paragraph list without moving it under the user.
TEST(commands, keep_the_paragraph_list_scrolled_where_it_was) {
    const temporary_file file("scrolled.html");
    write_document(numbered_paragraphs(100), file.path);
    open_document(file.path);
    const HWND list = the_window().all_paragraphs_list;
    SendMessageA(list, LB_SETTOPINDEX, 40, 0);
    perform({select_line(&g::all_paragraphs_list, 45), type_into(&g::paragraph_edit, "new"),
             click_on(&g::update_button)});
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 40);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 45);
}

} // namespace

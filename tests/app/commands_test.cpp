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
         {paragraph(1), cut, paragraph(0), click_on(&g::paste_before_button)}, "[b]|a / b / x / x / "},
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

// Every paragraph of a long document has its line, and a line names the
// paragraph it shows, from the first to the last.
TEST(commands, reach_and_act_on_every_paragraph_of_a_long_document) {
    const temporary_file file("long.html");
    write_document("p1:first|" + numbered_paragraphs(6000).substr(std::string("p0|p1|").size()) +
                       "|p6000:last",
                   file.path);
    open_document(file.path);
    ASSERT_EQ(SendMessageA(the_window().all_paragraphs_list, LB_GETCOUNT, 0, 0), 6000);
    EXPECT_EQ(line_of(&g::all_paragraphs_list, 0), "p1");
    EXPECT_EQ(line_of(&g::all_paragraphs_list, 5999), "p6000");

    perform({select_line(&g::all_paragraphs_list, 0)});
    EXPECT_EQ(text_of(&g::paragraph_edit), "p1");
    EXPECT_EQ(shown(&g::linked_symbols_list), "first");

    // All symbols: first, last. The result line of "first" is p1.
    perform({select_line(&g::all_paragraphs_list, 3000), select_line(&g::all_symbols_list, 0),
             select_line(&g::result_list, 0)});
    EXPECT_EQ(shown(&g::result_list), "[p1]");
    EXPECT_EQ(selected_line(&g::all_paragraphs_list), 0);
    EXPECT_EQ(text_of(&g::paragraph_edit), "p1");
    perform({type_into(&g::paragraph_edit, "P1"), click_on(&g::update_button)});
    EXPECT_EQ(line_of(&g::all_paragraphs_list, 0), "P1");
    EXPECT_EQ(line_of(&g::all_paragraphs_list, 1), "p2");
    EXPECT_EQ(selected_line(&g::all_paragraphs_list), 0);

    perform({select_line(&g::all_paragraphs_list, 5999), click_on(&g::cut_button),
             select_line(&g::all_paragraphs_list, 0), click_on(&g::paste_before_button)});
    EXPECT_EQ(line_of(&g::all_paragraphs_list, 0), "p6000");
    EXPECT_EQ(line_of(&g::all_paragraphs_list, 1), "P1");
    EXPECT_EQ(selected_line(&g::all_paragraphs_list), 0);
    EXPECT_EQ(text_of(&g::paragraph_edit), "p6000");
    EXPECT_EQ(shown(&g::linked_symbols_list), "last");

    // Line 5500 shows p5500 (p6000 now stands first).
    perform({select_line(&g::all_paragraphs_list, 5500), type_into(&g::paragraph_edit, "changed"),
             click_on(&g::update_button), type_into(&g::symbol_edit, "late"),
             click_on(&g::link_symbol_button)});
    EXPECT_EQ(line_of(&g::all_paragraphs_list, 5500), "changed");
    EXPECT_EQ(line_of(&g::all_paragraphs_list, 5501), "p5501");
    EXPECT_EQ(shown(&g::linked_symbols_list), "late");
    EXPECT_EQ(shown(&g::all_symbols_list), "first|last|late");
    perform({select_line(&g::all_symbols_list, 2)});
    EXPECT_EQ(shown(&g::result_list), "changed");

    perform({select_line(&g::all_paragraphs_list, 5998), click_on(&g::cut_button)});
    EXPECT_EQ(line_of(&g::all_paragraphs_list, 5998), "p5999");
    EXPECT_EQ(selected_line(&g::all_paragraphs_list), 5998);
    EXPECT_EQ(text_of(&g::paragraph_edit), "p5999");
    EXPECT_EQ(SendMessageA(the_window().all_paragraphs_list, LB_GETCOUNT, 0, 0), 5999);
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

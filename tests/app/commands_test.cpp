// The main window's commands, each from a document and the user's selections
// to the lists, selections and paragraph text it leaves.
#include <gtest/gtest.h>

#include <string>

#include "tests/app/main_window_session.h"

namespace {

using g = gen_main_win;

struct window_state {
    std::string paragraphs; // entries joined by '|', the selected one in brackets
    std::string edit;
    std::string linked;
    std::string symbols;
    std::string results;
};

window_state current_state() {
    return {shown(&g::all_paragraphs_list), text_of(&g::paragraph_edit), shown(&g::linked_symbols_list),
            shown(&g::all_symbols_list), shown(&g::result_list)};
}

void expect_state(const window_state& expected) {
    const window_state seen = current_state();
    EXPECT_EQ(seen.paragraphs, expected.paragraphs) << "all paragraphs";
    EXPECT_EQ(seen.edit, expected.edit) << "paragraph text";
    EXPECT_EQ(seen.linked, expected.linked) << "linked symbols";
    EXPECT_EQ(seen.symbols, expected.symbols) << "all symbols";
    EXPECT_EQ(seen.results, expected.results) << "results";
}

struct command_case {
    const char* name;
    const char* document;
    std::vector<user_step> steps;
    window_state after;
};

TEST(commands, leave_the_lists_and_selections_each_command_promises) {
    const auto select_paragraph = [](int line) { return select_line(&g::all_paragraphs_list, line); };
    const command_case cases[] = {
        {"update keeps the paragraph selected",
         "a|b:x|c",
         {select_paragraph(1), type_into(&g::paragraph_edit, "B"), click_on(&g::update_button)},
         {"a|[B]|c", "B", "x", "x", ""}},
        {"Enter updates and opens an empty paragraph after",
         "a|b",
         {select_paragraph(0), type_into(&g::paragraph_edit, "A"), press_enter()},
         {"A|[]|b", "", "", "", ""}},
        {"cut selects the following paragraph",
         "a|b:x|c",
         {select_paragraph(1), click_on(&g::cut_button)},
         {"a|[c]", "c", "", "", ""}},
        {"cutting the last paragraph leaves nothing selected",
         "a|b",
         {select_paragraph(1), click_on(&g::cut_button)},
         {"a", "", "", "", ""}},
        {"paste before the first paragraph selects the pasted one",
         "a|b:x",
         {select_paragraph(1), click_on(&g::cut_button), select_paragraph(0),
          click_on(&g::paste_before_button)},
         {"[b]|a", "b", "x", "", ""}},
        {"paste before a later paragraph selects the pasted one",
         "a|b|c",
         {select_paragraph(0), click_on(&g::cut_button), select_paragraph(1),
          click_on(&g::paste_before_button)},
         {"b|[a]|c", "a", "", "", ""}},
        {"paste after selects the pasted one",
         "a|b|c",
         {select_paragraph(0), click_on(&g::cut_button), select_paragraph(0),
          click_on(&g::paste_after_button)},
         {"b|[a]|c", "a", "", "", ""}},
        {"paste after with nothing selected appends and selects the first",
         "a|b",
         {select_paragraph(1), click_on(&g::cut_button), click_on(&g::paste_after_button)},
         {"[a]|b", "a", "", "", ""}},
        {"a typed symbol goes after the selected linked symbol",
         "a:x,z",
         {select_paragraph(0), select_line(&g::linked_symbols_list, 0), type_into(&g::symbol_edit, "y"),
          click_on(&g::link_symbol_button)},
         {"[a]", "a", "x|y|z", "x|y|z", "a"}},
        {"a listed symbol is linked last and stays selected",
         "a:x|b:y",
         {select_paragraph(1), select_line(&g::all_symbols_list, 0), click_on(&g::link_listed_symbol_button)},
         {"a|[b]", "b", "y|x", "[x]|y", "a"}},
        {"unlink removes the selected linked symbol and empties the results",
         "a:x,y|b:y",
         {select_paragraph(0), select_line(&g::linked_symbols_list, 1), click_on(&g::delete_symbol_button)},
         {"[a]|b", "a", "x", "x|y", ""}},
        {"no command acts on a paragraph when none is selected",
         "a|b",
         {select_paragraph(1), click_on(&g::cut_button), type_into(&g::symbol_edit, "x"),
          click_on(&g::link_symbol_button), type_into(&g::paragraph_edit, "lost"),
          click_on(&g::update_button)},
         {"a", "lost", "", "", ""}},
        {"a linked symbol lists its paragraphs once per link",
         "a:x,x|b|c:x",
         {select_paragraph(2), select_line(&g::linked_symbols_list, 0)},
         {"a|b|[c]", "c", "[x]", "x", "a|a|c"}},
        {"search matches symbols by case-sensitive substring",
         "a:abc|b:AB|c:cab",
         {type_into(&g::search_edit, "ab"), click_on(&g::search_button)},
         {"[a]|b|c", "a", "abc", "AB|abc|cab", "a|c"}},
        {"a result line selects the first paragraph with its text",
         "d:x|b|d:x,y",
         {select_paragraph(1), select_line(&g::all_symbols_list, 1), select_line(&g::result_list, 0)},
         {"[d]|b|d", "d", "x", "x|[y]", "[d]"}},
        {"new file leaves one empty paragraph, selected",
         "a:x|b",
         {select_paragraph(1), click_on(&g::new_file_button)},
         {"[]", "", "", "", ""}},
    };
    const temporary_file file("commands.html");
    for (const command_case& c : cases) {
        SCOPED_TRACE(c.name);
        write_document(c.document, file.path);
        open_document(file.path);
        perform(c.steps);
        expect_state(c.after);
    }
}

// The list box shows the last 5,000 paragraphs; a line must still name the
// paragraph it shows.
TEST(commands, act_on_the_selected_line_of_a_list_longer_than_the_list_box) {
    std::string described;
    for (int i = 0; i < 5003; ++i) {
        described += (i > 0 ? "|p" : "p") + std::to_string(i);
    }
    const temporary_file file("long.html");
    write_document(described + ":last", file.path);
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
    std::string described = "p0";
    for (int i = 1; i < 100; ++i) {
        described += "|p" + std::to_string(i);
    }
    const temporary_file file("scrolled.html");
    write_document(described, file.path);
    open_document(file.path);
    const HWND list = the_window().all_paragraphs_list;
    SendMessageA(list, LB_SETTOPINDEX, 40, 0);
    perform({select_line(&g::all_paragraphs_list, 45), type_into(&g::paragraph_edit, "new"),
             click_on(&g::update_button)});
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 40);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 45);
}

} // namespace

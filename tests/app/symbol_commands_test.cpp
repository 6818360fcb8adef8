// Linking and unlinking symbols, the symbol lists, Search and the result lines.
#include <gtest/gtest.h>

#include "tests/app/norvane_window.h"

namespace norvane_test {
namespace {

using texts = std::vector<std::string>;

TEST(symbol_commands, link_typed_symbols_and_list_their_paragraphs) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());
    app.enter_paragraph("p0");
    app.enter_paragraph("p1");
    app.select_paragraph(0);

    app.link_symbol("Beta");
    app.link_symbol("alpha");
    app.link_symbol(""); // an empty symbol is a symbol
    app.link_symbol("alpha");
    window_view v = app.view();
    EXPECT_EQ(v.linked_symbols, (texts{"Beta", "alpha", "", "alpha"}));
    EXPECT_EQ(v.all_symbols, (texts{"", "alpha", "Beta"})) << "sorted ignoring case, each once";
    EXPECT_EQ(gui::text_of(app.symbol_edit), "alpha") << "the symbol box keeps its text";

    // A selected linked symbol lists its paragraphs; the next link goes right after it.
    app.click_entry(app.linked_symbols_list, 0);
    app.wait_for([](const window_view& w) { return w.results == texts{"p0"}; }, "paragraphs of Beta");
    app.type_into(app.symbol_edit, "gamma");
    app.click_and_wait(
        app.link_symbol_button,
        [](const window_view& w) {
            return w.linked_symbols == texts{"Beta", "gamma", "alpha", "", "alpha"} &&
                   w.linked_selected == -1 && w.all_symbols == texts{"", "alpha", "Beta", "gamma"};
        },
        "gamma linked after Beta");
    EXPECT_EQ(app.view().results, texts{"p0"}) << "linking leaves the results";

    // A paragraph linked twice to a symbol is listed twice.
    app.click_entry(app.linked_symbols_list, 2);
    app.wait_for([](const window_view& w) { return w.results == texts{"p0", "p0"}; }, "paragraphs of alpha");

    // Showing another paragraph empties the results.
    app.select_paragraph(1);
    EXPECT_TRUE(app.view().results.empty());
    EXPECT_TRUE(app.view().linked_symbols.empty());
}

TEST(symbol_commands, link_listed_symbol_stays_selected_for_the_next_paragraph) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());
    app.enter_paragraph("p0");
    app.enter_paragraph("p1");
    app.enter_paragraph("p2");
    app.select_paragraph(0);
    app.link_symbol("b");
    app.link_symbol("a");

    // L&ink Symbol without a listed symbol selected links nothing. (The
    // search that follows changes nothing that L&ink Symbol reads, whenever
    // the program takes the click.)
    app.select_paragraph(1);
    click(app.link_listed_symbol_button);
    app.type_into(app.search_edit, "a");
    app.click_and_wait(
        app.search_button, [](const window_view& w) { return w.results == texts{"p0"}; }, "search");
    EXPECT_TRUE(app.view().linked_symbols.empty());
    app.click_entry(app.all_symbols_list, 1); // "b"
    app.wait_for([](const window_view& w) { return w.results == texts{"p0"} && w.symbol_selected == 1; },
                 "paragraphs of b");

    app.click_and_wait(
        app.link_listed_symbol_button, [](const window_view& w) { return w.linked_symbols == texts{"b"}; },
        "b linked to p1");
    app.select_paragraph(2);
    EXPECT_EQ(app.view().symbol_selected, 1) << "the listed symbol stays selected";
    app.click_and_wait(
        app.link_listed_symbol_button, [](const window_view& w) { return w.linked_symbols == texts{"b"}; },
        "b linked to p2");
    app.click_entry(app.all_symbols_list, 1);
    app.wait_for([](const window_view& w) { return w.results == texts{"p0", "p1", "p2"}; }, "b everywhere");

    // After a selected linked symbol it goes right after it.
    app.select_paragraph(0);
    app.click_entry(app.all_symbols_list, 0); // "a"
    app.wait_for([](const window_view& w) { return w.symbol_selected == 0; }, "a selected");
    app.click_entry(app.linked_symbols_list, 0); // "b" of p0
    app.wait_for([](const window_view& w) { return w.linked_selected == 0; }, "b of p0 selected");
    app.click_and_wait(
        app.link_listed_symbol_button,
        [](const window_view& w) {
            return w.linked_symbols == texts{"b", "a", "a"};
        },
        "a linked after b");
}

TEST(symbol_commands, delete_symbol_with_and_without_a_selection) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());
    app.enter_paragraph("p0");
    app.select_paragraph(0);
    app.link_symbol("x");
    app.link_symbol("y");
    app.link_symbol("x");

    app.click_entry(app.linked_symbols_list, 2);
    app.wait_for([](const window_view& w) { return w.results == texts{"p0", "p0"}; }, "paragraphs of x");
    app.click_and_wait(
        app.delete_symbol_button,
        [](const window_view& w) {
            return w.linked_symbols == texts{"x", "y"} && w.results.empty() &&
                   w.all_symbols == texts{"x", "y"};
        },
        "the selected (second) x unlinked");

    app.click_entry(app.linked_symbols_list, 1);
    app.wait_for([](const window_view& w) { return w.results == texts{"p0"}; }, "paragraphs of y");
    app.click_and_wait(
        app.delete_symbol_button,
        [](const window_view& w) { return w.linked_symbols == texts{"x"} && w.all_symbols == texts{"x"}; },
        "y unlinked, all symbols rebuilt");

    // Without a selected linked symbol nothing is unlinked, but the results go.
    app.click_entry(app.all_symbols_list, 0);
    app.wait_for([](const window_view& w) { return w.results == texts{"p0"}; }, "paragraphs of x");
    app.click_and_wait(
        app.delete_symbol_button,
        [](const window_view& w) { return w.results.empty() && w.linked_symbols == texts{"x"}; },
        "results emptied, nothing unlinked");
}

TEST(symbol_commands, search_and_result_lines) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());
    const std::vector<sample_paragraph> document = {
        {"one", {"abc"}},   {"two", {"cab", "xabx"}}, {"three", {"AB"}},
        {"no symbols", {}}, {"dup", {"k"}},           {"dup", {"k"}},
    };
    for (const sample_paragraph& p : document) {
        app.enter_paragraph(p.text);
        app.select_paragraph(static_cast<int>(app.view().paragraphs.size()) - 2);
        for (const std::string& s : p.symbols) {
            app.link_symbol(s);
        }
        app.select_paragraph(static_cast<int>(app.view().paragraphs.size()) - 1);
    }

    const struct {
        const char* search;
        texts found;
    } searches[] = {
        {"ab", {"one", "two", "two"}},                      // substring, once per matching symbol
        {"AB", {"three"}},                                  // case-sensitive
        {"", {"one", "two", "two", "three", "dup", "dup"}}, // every symbol; never a paragraph without one
        {"no", {}},                                         // paragraph texts are not searched
    };
    for (const auto& s : searches) {
        app.type_into(app.search_edit, s.search);
        app.click_and_wait(
            app.search_button, [&](const window_view& w) { return w.results == s.found; },
            (std::string("search for ") + s.search).c_str());
    }

    // A result line selects the first paragraph with its text; the results stay.
    app.type_into(app.search_edit, "ab");
    app.click_and_wait(
        app.search_button, [](const window_view& w) { return w.results.size() == 3; }, "search ab");
    app.click_entry(app.result_list, 2);
    app.wait_for(
        [](const window_view& w) {
            return w.paragraph_selected == 1 && w.paragraph_text == "two" &&
                   w.linked_symbols == texts{"cab", "xabx"} && w.results == texts{"one", "two", "two"} &&
                   w.result_selected == 2;
        },
        "result line two");

    app.type_into(app.search_edit, "k");
    app.click_and_wait(
        app.search_button,
        [](const window_view& w) {
            return w.results == texts{"dup", "dup"};
        },
        "search k");
    app.click_entry(app.result_list, 1);
    app.wait_for([](const window_view& w) { return w.paragraph_selected == 4 && w.result_selected == 1; },
                 "the first paragraph with that text");
}

// A result line longer than the 10,000 characters that a fixed buffer would
// hold still names its own paragraph, not the first empty one.
TEST(symbol_commands, a_long_result_line_selects_its_paragraph) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());
    app.enter_paragraph(""); // paragraph 0 stays empty
    std::string long_text;
    for (int i = 0; long_text.size() < 12000; ++i) {
        long_text += "word" + std::to_string(i) + " ";
    }
    app.entry_lengths_only = true;
    app.paste_into(app.paragraph_edit, long_text);
    app.click_and_wait(
        app.update_button,
        [&](const window_view& w) {
            return w.paragraphs == texts{long_entry(0), long_entry(long_text.size())};
        },
        "long update");
    app.link_symbol("long");
    app.select_paragraph(0);

    app.click_entry(app.all_symbols_list, 0);
    app.wait_for([&](const window_view& w) { return w.results == texts{long_entry(long_text.size())}; },
                 "the long paragraph found");
    app.click_entry(app.result_list, 0);
    app.wait_for(
        [&](const window_view& w) {
            return w.paragraph_selected == 1 && w.paragraph_text == long_text &&
                   w.linked_symbols == texts{long_entry(4)};
        },
        "the long paragraph selected");
}

} // namespace
} // namespace norvane_test

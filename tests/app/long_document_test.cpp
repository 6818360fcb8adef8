// More paragraphs and symbols than a list box holds: the lists show the last
// 5,000, and every command acts on exactly the element the user selected.
#include <gtest/gtest.h>

#include "tests/app/norvane_window.h"

namespace norvane_test {
namespace {

constexpr int paragraph_total = 6000;
constexpr int shown = 5000;

std::string paragraph_text(int i) {
    return "paragraph " + std::to_string(i);
}

int count_of(HWND list_box) {
    return static_cast<int>(SendMessageW(list_box, LB_GETCOUNT, 0, 0));
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

class long_document : public ::testing::Test {
  protected:
    // The paragraph box shows `text` and the list selects the entry `index`.
    void wait_for_selected(int index, const std::string& text, const char* what) {
        EXPECT_TRUE(gui::wait_until([&] {
            return gui::list_selection(app.all_paragraphs_list) == index &&
                   gui::text_of(app.paragraph_edit) == text;
        })) << what;
    }

    void open(const std::string& path) {
        click(app.open_button);
        const HWND chooser = app.wait_for_chooser();
        ASSERT_NE(chooser, nullptr);
        app.choose_path(chooser, path);
    }

    norvane_window app;
};

TEST_F(long_document, commands_act_on_the_selected_paragraph_and_symbol) {
    ASSERT_NO_FATAL_FAILURE(app.start());
    std::vector<sample_paragraph> paragraphs;
    paragraphs.reserve(paragraph_total);
    for (int i = 0; i < paragraph_total; ++i) {
        paragraphs.push_back({paragraph_text(i), {"s" + std::to_string(i)}});
    }
    ASSERT_TRUE(write_file(app.path_of("long.html"), document_file_text(paragraphs)));

    ASSERT_NO_FATAL_FAILURE(open(app.path_of("long.html")));
    ASSERT_TRUE(gui::wait_until([&] {
        return count_of(app.all_paragraphs_list) == shown &&
               entry_at(app.all_paragraphs_list, 0) == paragraph_text(1000) &&
               count_of(app.all_symbols_list) == shown;
    })) << "the last 5,000 paragraphs shown";
    EXPECT_EQ(entry_at(app.all_paragraphs_list, shown - 1), paragraph_text(paragraph_total - 1));
    // The first paragraph, selected before, is not shown: nothing is selected.
    EXPECT_EQ(gui::list_selection(app.all_paragraphs_list), -1);

    // Select paragraph 5997 with the keyboard, as a user would.
    app.click_entry(app.all_paragraphs_list, 0);
    wait_for_selected(0, paragraph_text(1000), "the first entry shows paragraph 1000");
    gui::press_key(VK_END);
    wait_for_selected(shown - 1, paragraph_text(5999), "End selects the last paragraph");
    gui::press_key(VK_UP);
    wait_for_selected(shown - 2, paragraph_text(5998), "Up");
    gui::press_key(VK_UP);
    wait_for_selected(shown - 3, paragraph_text(5997), "Up again");

    // Update changes exactly paragraph 5997.
    app.type_into(app.paragraph_edit, "changed");
    click(app.update_button);
    ASSERT_TRUE(gui::wait_until([&] { return entry_at(app.all_paragraphs_list, shown - 3) == "changed"; }));
    wait_for_selected(shown - 3, "changed", "the updated paragraph stays selected");
    EXPECT_EQ(count_of(app.all_paragraphs_list), shown);
    EXPECT_EQ(entry_at(app.all_paragraphs_list, shown - 4), paragraph_text(5996));

    // Cut removes exactly paragraph 5996; the one after it takes its place.
    app.click_entry(app.all_paragraphs_list, shown - 3);
    gui::press_key(VK_UP);
    wait_for_selected(shown - 4, paragraph_text(5996), "paragraph 5996 selected");
    click(app.cut_button);
    wait_for_selected(shown - 3, "changed", "after the cut the next paragraph is shown");
    EXPECT_EQ(entry_at(app.all_paragraphs_list, 0), paragraph_text(999));
    EXPECT_EQ(entry_at(app.all_paragraphs_list, shown - 4), paragraph_text(5995));
    EXPECT_EQ(list_entries(app.linked_symbols_list), std::vector<std::string>{"s5997"});

    // L&ink Symbol links exactly the listed symbol the user selected.
    ASSERT_TRUE(gui::wait_until([&] { return count_of(app.all_symbols_list) == shown; }));
    const int top = static_cast<int>(SendMessageW(app.all_symbols_list, LB_GETTOPINDEX, 0, 0));
    app.click_entry(app.all_symbols_list, top);
    ASSERT_TRUE(gui::wait_until([&] { return gui::list_selection(app.all_symbols_list) == top; }));
    const std::string chosen = entry_at(app.all_symbols_list, top);
    ASSERT_EQ(chosen.front(), 's');
    const int chosen_paragraph = std::stoi(chosen.substr(1));
    click(app.link_listed_symbol_button);
    ASSERT_TRUE(gui::wait_until([&] {
        return list_entries(app.linked_symbols_list) == std::vector<std::string>{"s5997", chosen};
    })) << "linked "
        << chosen;

    // Its paragraphs: the one that had it, and the one it was linked to now.
    app.click_entry(app.linked_symbols_list, 1);
    const std::vector<std::string> expected_results =
        chosen_paragraph < 5997 ? std::vector<std::string>{paragraph_text(chosen_paragraph), "changed"}
                                : std::vector<std::string>{"changed", paragraph_text(chosen_paragraph)};
    EXPECT_TRUE(gui::wait_until([&] { return list_entries(app.result_list) == expected_results; }));

    // The saved file holds the whole document with exactly these changes.
    click(app.save_button);
    const HWND chooser = app.wait_for_chooser();
    ASSERT_NE(chooser, nullptr);
    app.choose_path(chooser, app.path_of("saved.html"));
    std::string saved;
    ASSERT_TRUE(gui::wait_until([&] {
        saved = read_file(app.path_of("saved.html"));
        return saved.find("</body>") != std::string::npos;
    }));
    EXPECT_EQ(occurrences(saved, "<P"), static_cast<std::size_t>(paragraph_total - 1));
    EXPECT_EQ(occurrences(saved, ">" + std::string("\r\n\t\tparagraph 5996\r\n")), 0u);
    EXPECT_EQ(occurrences(saved, "paragraph 5997\r\n"), 0u);
    const std::size_t changed =
        saved.find("<P symbol=\"s5997\" symbol=\"" + chosen + "\">\r\n\t\tchanged\r\n");
    EXPECT_NE(changed, std::string::npos);
    EXPECT_LT(saved.find("\t\tparagraph 5995\r\n"), changed);
    EXPECT_GT(saved.find("\t\tparagraph 5998\r\n"), changed);
    EXPECT_NE(saved.find("\t\tparagraph 0\r\n"), std::string::npos);
}

} // namespace
} // namespace norvane_test

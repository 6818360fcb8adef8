// The real norvane.exe driven with real keys and clicks, where a user's action
// is what can break: subclassed controls, focus moves, keyboard translation,
// the system's file choosers and message boxes, and the end of the process.
#include <gtest/gtest.h>

#include "tests/end_to_end/outside_driver.h"

namespace {

using namespace outside;
using texts = std::vector<std::string>;

// Points inside the controls used here, in the main window's client area.
constexpr POINT exit_button{860, 680};
constexpr POINT paste_after_button{230, 290}; // created last
constexpr POINT paragraph_list{20, 60};
constexpr POINT paragraph_box{20, 430};
constexpr POINT search_box{20, 355};
constexpr POINT new_file_button{590, 680};
constexpr POINT open_button{680, 680};
constexpr POINT save_button{770, 680};

constexpr int chooser_name_box_id = 0x47c;
constexpr int message_box_text_id = 0xffff;

class norvane_end_to_end : public testing::Test {
  protected:
    // The program is ready for typing once its last control exists and the
    // focus is in the paragraph box.
    void SetUp() override {
        ASSERT_NE(program.id(), 0u) << "norvane.exe did not start";
        ASSERT_TRUE(wait_until([&] {
            top = visible_window(program.id(), "Norvane");
            return top != nullptr && control(paste_after_button) != top;
        })) << "no main window with its controls";
        ASSERT_TRUE(make_foreground(top));
        ASSERT_TRUE(focus_moves_to(paragraph_box));
    }

    HWND control(POINT inside) const { return ChildWindowFromPointEx(top, inside, CWP_SKIPINVISIBLE); }
    bool focus_moves_to(POINT inside) const {
        return wait_until([&] { return focus_of(top) == control(inside); });
    }

    // Waits until the paragraph list, its selection and the paragraph box show this.
    bool shows(const texts& paragraphs, int selected, const std::string& box) const {
        return wait_until([&] {
            return entries_of(control(paragraph_list)) == paragraphs &&
                   ask(control(paragraph_list), LB_GETCURSEL) == selected &&
                   text_of(control(paragraph_box)) == box;
        });
    }
    std::string shown() const {
        std::string text = "\nparagraphs:";
        for (const std::string& entry : entries_of(control(paragraph_list))) {
            text += " [" + entry + "]";
        }
        return text + "\nparagraph box: [" + text_of(control(paragraph_box)) + "]";
    }

    // Clicks the button, types the path into its chooser's name box over
    // whatever it proposes, and presses Enter.
    void choose_file(POINT button, const std::string& path) const {
        ASSERT_TRUE(make_foreground(top) && click(control(button)));
        HWND chooser = nullptr;
        ASSERT_TRUE(wait_until([&] { return (chooser = visible_window(program.id(), "#32770")) != nullptr; }))
            << "no chooser";
        // The name box is a combo box: its edit box lies inside, a level or two down.
        HWND name = GetDlgItem(chooser, chooser_name_box_id);
        for (HWND inner = name; inner != nullptr; inner = FindWindowExA(inner, nullptr, nullptr, nullptr)) {
            name = inner;
        }
        ASSERT_TRUE(make_foreground(chooser) && click(name));
        ASSERT_TRUE(wait_until([&] { return focus_of(chooser) == name; })) << "name box not focused";
        ASSERT_TRUE(press(chooser, {VK_END}) && press(chooser, {VK_SHIFT, VK_HOME}) &&
                    press(chooser, {VK_DELETE}) && type(chooser, path));
        ASSERT_TRUE(wait_until([&] { return text_of(name) == path; }))
            << "the name box shows " << text_of(name);
        ASSERT_TRUE(press(chooser, {VK_RETURN}));
        ASSERT_TRUE(wait_until([&] {
            return IsWindow(chooser) == FALSE || IsWindowVisible(chooser) == FALSE;
        })) << "chooser still open";
    }

    // ctest runs this in the build folder.
    started_program program{std::filesystem::absolute("app/norvane.exe").string()};
    HWND top = nullptr;
};

TEST_F(norvane_end_to_end, starts_with_one_empty_paragraph_and_tab_wraps_round_the_controls) {
    EXPECT_EQ(text_of(top), "Norvane 1.01");
    EXPECT_TRUE(shows({""}, 0, "")) << shown();

    // The paragraph box is second in the tab order, after Exit.
    const struct {
        std::vector<WORD> keys;
        POINT focus_then;
    } steps[] = {
        {{VK_SHIFT, VK_TAB}, exit_button},
        {{VK_SHIFT, VK_TAB}, paste_after_button}, // back from the first to the last
        {{VK_TAB}, exit_button},                  // on from the last to the first
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(press(top, step.keys));
        ASSERT_TRUE(focus_moves_to(step.focus_then)) << "focus in " << text_of(focus_of(top));
    }
}

TEST_F(norvane_end_to_end, typed_paragraphs_save_to_the_exact_bytes_and_open_again) {
    // Enter in the paragraph box stores the text and opens an empty paragraph after it.
    ASSERT_TRUE(type(top, "Rates rise > 5%") && press(top, {VK_RETURN}));
    ASSERT_TRUE(shows({"Rates rise > 5%", ""}, 1, "")) << shown();
    ASSERT_TRUE(focus_moves_to(paragraph_box));

    // Alt+N clicks "&New paragraph after", which brings the focus back.
    ASSERT_TRUE(click(control(search_box)) && focus_moves_to(search_box));
    ASSERT_TRUE(press(top, {VK_MENU, 'N'}));
    ASSERT_TRUE(shows({"Rates rise > 5%", "", ""}, 2, "")) << shown();
    ASSERT_TRUE(focus_moves_to(paragraph_box));

    const std::string path = program.path_of("saved.html");
    ASSERT_NO_FATAL_FAILURE(choose_file(save_button, path));
    const std::string expected = "<?xml version=\"1.0\"?>\r\n"
                                 "<body>\r\n"
                                 "\t<P>\r\n"
                                 "\t\tRates rise &gt; 5%\r\n"
                                 "\t</P>\r\n"
                                 "\t<P>\r\n"
                                 "\t</P>\r\n"
                                 "\t<P>\r\n"
                                 "\t</P>\r\n"
                                 "</body>\r\n";
    wait_until([&] { return file_bytes(path) == expected; });
    EXPECT_EQ(file_bytes(path), expected);

    ASSERT_TRUE(make_foreground(top) && click(control(new_file_button)));
    ASSERT_TRUE(shows({""}, 0, "")) << shown();
    ASSERT_NO_FATAL_FAILURE(choose_file(open_button, path));
    EXPECT_TRUE(shows({"Rates rise > 5%", "", ""}, 0, "Rates rise > 5%")) << shown();
}

TEST_F(norvane_end_to_end, a_file_that_is_not_xml_is_reported_in_a_box_and_alt_f4_ends_the_program) {
    const std::string path = program.path_of("notes.html");
    std::ofstream(path) << "Just some notes, no markup.\n";
    ASSERT_NO_FATAL_FAILURE(choose_file(open_button, path));

    HWND box = nullptr;
    ASSERT_TRUE(wait_until([&] {
        box = visible_window(program.id(), "#32770");
        return box != nullptr && text_of(box) == "Error";
    })) << "no error box";
    const std::string message = text_of(GetDlgItem(box, message_box_text_id));
    EXPECT_EQ(message,
              "Cannot open \"" + path +
                  "\": it is not a Norvane document: it has no \"body\" element. The document is now empty.");
    ASSERT_TRUE(press(box, {VK_RETURN}));
    ASSERT_TRUE(wait_until([&] { return IsWindow(box) == FALSE || IsWindowVisible(box) == FALSE; }));
    EXPECT_TRUE(shows({}, LB_ERR, "")) << "the document is emptied" << shown();

    ASSERT_TRUE(press(top, {VK_MENU, VK_F4}));
    EXPECT_EQ(program.exit_code(), 0u);
}

} // namespace

// The real norvane.exe driven with real keys and clicks, where a user's action
// is what can break: subclassed controls, focus moves, keyboard translation,
// the system's file choosers and message boxes, and the end of the process.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "tests/end_to_end/outside_driver.h"

namespace {

using namespace outside;
using texts = std::vector<std::string>;

// Points inside the controls used here, in the main window's client area.
constexpr POINT exit_button{860, 680};
constexpr POINT paste_after_button{230, 290}; // created last
constexpr POINT paragraph_list{20, 60};
constexpr POINT paragraph_box{20, 430};
constexpr POINT symbol_box{230, 60};
constexpr POINT link_symbol_button{230, 110};
constexpr POINT linked_symbols_list{395, 60};
constexpr POINT all_symbols_list{650, 60};
constexpr POINT update_button{125, 615};
constexpr POINT update_new_button{207, 615};
constexpr POINT new_file_button{590, 680};
constexpr POINT open_button{680, 680};
constexpr POINT save_button{770, 680};

constexpr int chooser_name_box_id = 0x47c;
constexpr int message_box_text_id = 0xffff;
constexpr const char* menu_class = "#32768";

class norvane_end_to_end : public testing::Test {
  protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(start()); }

    // Starts the program (again); it is ready for typing once its last
    // control exists and the focus is in the paragraph box.
    void start() {
        // ctest runs this in the build folder.
        program = std::make_unique<started_program>(std::filesystem::absolute("app/norvane.exe").string());
        ASSERT_NE(program->id(), 0u) << "norvane.exe did not start";
        ASSERT_TRUE(wait_until([&] {
            top = visible_window(program->id(), "Norvane");
            return top != nullptr && control(paste_after_button) != top;
        })) << "no main window with its controls";
        ASSERT_TRUE(make_foreground(top));
        ASSERT_TRUE(focus_moves_to(paragraph_box));
    }

    HWND control(POINT inside) const { return ChildWindowFromPointEx(top, inside, CWP_SKIPINVISIBLE); }
    bool focus_moves_to(POINT inside) const {
        return wait_until([&] { return focus_of(top) == control(inside); });
    }
    bool click_on(POINT inside) const { return make_foreground(top) && click(control(inside)); }

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

    // Clicks into the one-line box, empties it and types the text.
    void type_over(POINT box, const std::string& text) const {
        ASSERT_TRUE(click_on(box) && focus_moves_to(box));
        ASSERT_TRUE(press(top, {VK_END}) && press(top, {VK_SHIFT, VK_HOME}) && press(top, {VK_DELETE}));
        ASSERT_TRUE(wait_until([&] { return text_of(control(box)).empty(); }));
        ASSERT_TRUE(type(top, text));
        ASSERT_TRUE(wait_until([&] { return text_of(control(box)) == text; })) << text_of(control(box));
    }

    // Clicks the button, types the path into its chooser's name box over
    // whatever it proposes, and presses Enter.
    void choose_file(POINT button, const std::string& path) const {
        ASSERT_TRUE(click_on(button));
        HWND chooser = nullptr;
        ASSERT_TRUE(wait_until([&] {
            return (chooser = visible_window(program->id(), "#32770")) != nullptr;
        })) << "no chooser";
        // The name box is a combo box: its edit box lies inside, a level or two down.
        HWND name = GetDlgItem(chooser, chooser_name_box_id);
        for (HWND inner = name; inner != nullptr; inner = FindWindowExA(inner, nullptr, nullptr, nullptr)) {
            name = inner;
        }
        // The chooser starts with the focus in its name box.
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

    // Gives the input that ends the program, then waits for the end (with the
    // driver's patience: a program that runs on fails here, by name). Prints
    // how long the end took from the last key or button input.
    void leave_by(const char* way, const std::function<bool()>& input) {
        ASSERT_TRUE(input()) << way;
        const std::optional<DWORD> code = program->exit_code();
        if (code) {
            std::printf("[ ended    ] by %s in %llu ms\n", way, GetTickCount64() - last_input_sent);
        }
        EXPECT_EQ(code, std::optional<DWORD>(0)) << "after " << way << (code ? "" : " the program runs on");
    }

    std::unique_ptr<started_program> program;
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

TEST_F(norvane_end_to_end, a_file_that_is_not_xml_is_reported_in_a_box_and_empties_the_document) {
    const std::string path = program->path_of("notes.html");
    std::ofstream(path) << "Just some notes, no markup.\n";
    ASSERT_NO_FATAL_FAILURE(choose_file(open_button, path));

    HWND box = nullptr;
    ASSERT_TRUE(wait_until([&] {
        box = visible_window(program->id(), "#32770");
        return box != nullptr && text_of(box) == "Error";
    })) << "no error box";
    const std::string message = text_of(GetDlgItem(box, message_box_text_id));
    EXPECT_EQ(message,
              "Cannot open \"" + path +
                  "\": it is not a Norvane document: it has no \"body\" element. The document is now empty.");
    ASSERT_TRUE(press(box, {VK_RETURN}));
    ASSERT_TRUE(wait_until([&] { return IsWindow(box) == FALSE || IsWindowVisible(box) == FALSE; }));
    EXPECT_TRUE(shows({}, LB_ERR, "")) << "the document is emptied" << shown();
}

// Every kind of text and symbol is typed, saved to the exact bytes and opened
// again (the XML writer and parser run on the application thread), and E&xit
// still ends the program. Enter in the paragraph box is Update + New.
TEST_F(norvane_end_to_end, typed_paragraphs_save_to_the_exact_bytes_open_again_and_exit_ends_the_program) {
    const struct {
        std::string text;
        texts symbols;
    } document[] = {
        {"first paragraph", {"alpha", "beta"}},
        {"a<b & \"c\"", {"x<y & \"z\""}},
        {"", {}},
        {"empty symbol", {""}},
        {"duplicate", {"d", "d"}},
    };
    texts paragraphs;
    for (const auto& paragraph : document) {
        SCOPED_TRACE(paragraph.text);
        // The focus is in the paragraph box, at the start and after Update + New.
        ASSERT_TRUE(type(top, paragraph.text));
        ASSERT_TRUE(wait_until([&] { return text_of(control(paragraph_box)) == paragraph.text; }));
        texts linked;
        for (const std::string& symbol : paragraph.symbols) {
            ASSERT_NO_FATAL_FAILURE(type_over(symbol_box, symbol));
            ASSERT_TRUE(click_on(link_symbol_button));
            linked.push_back(symbol);
            ASSERT_TRUE(wait_until([&] { return entries_of(control(linked_symbols_list)) == linked; }));
        }
        paragraphs.push_back(paragraph.text);
        const auto selected = static_cast<int>(paragraphs.size()) - 1;
        if (&paragraph == &document[std::size(document) - 1]) {
            ASSERT_TRUE(click_on(update_button));
            ASSERT_TRUE(shows(paragraphs, selected, paragraph.text)) << shown();
        } else {
            ASSERT_TRUE(&paragraph == &document[0] ? press(top, {VK_RETURN}) : click_on(update_new_button));
            texts with_new = paragraphs;
            with_new.emplace_back();
            ASSERT_TRUE(shows(with_new, selected + 1, "")) << shown();
            ASSERT_TRUE(focus_moves_to(paragraph_box));
        }
    }

    const std::string path = program->path_of("doc.html");
    ASSERT_NO_FATAL_FAILURE(choose_file(save_button, path));
    const std::string expected = "<?xml version=\"1.0\"?>\r\n<body>\r\n"
                                 "\t<P symbol=\"alpha\" symbol=\"beta\">\r\n\t\tfirst paragraph\r\n\t</P>\r\n"
                                 "\t<P symbol=\"x&lt;y &amp; &quot;z&quot;\">\r\n"
                                 "\t\ta&lt;b &amp; &quot;c&quot;\r\n\t</P>\r\n"
                                 "\t<P>\r\n\t</P>\r\n"
                                 "\t<P symbol=\"\">\r\n\t\tempty symbol\r\n\t</P>\r\n"
                                 "\t<P symbol=\"d\" symbol=\"d\">\r\n\t\tduplicate\r\n\t</P>\r\n"
                                 "</body>\r\n";
    wait_until([&] { return file_bytes(path) == expected; });
    EXPECT_EQ(file_bytes(path), expected);
    ASSERT_TRUE(click_on(new_file_button));
    ASSERT_TRUE(shows({""}, 0, "")) << shown();
    ASSERT_NO_FATAL_FAILURE(choose_file(open_button, path));
    ASSERT_TRUE(shows(paragraphs, 0, paragraphs[0])) << shown();
    const texts all_symbols{"", "alpha", "beta", "d", "x<y & \"z\""};
    EXPECT_TRUE(wait_until([&] { return entries_of(control(all_symbols_list)) == all_symbols; }));

    leave_by("E&xit", [&] { return click_on(exit_button); });
}

// Each way out, after a file was opened, ends the program with exit code 0.
TEST_F(norvane_end_to_end, every_way_out_ends_the_program_with_code_0) {
    const auto alt_space_then_close = [this] {
        if (!press(top, {VK_MENU, VK_SPACE}) ||
            !wait_until([&] { return visible_window(program->id(), menu_class) != nullptr; })) {
            return false;
        }
        return press(top, {'C'}); // the system menu's "&Close"
    };
    const auto close_box = [this] {
        const std::optional<POINT> point = close_box_of(top);
        return point && make_foreground(top) && click_at(top, *point);
    };
    const struct {
        const char* way;
        std::function<bool()> input;
    } ways[] = {
        {"Alt+X",
         [this] {
             return press(top, {VK_MENU, 'X'});
         }},
        {"Alt+F4",
         [this] {
             return press(top, {VK_MENU, VK_F4});
         }},
        {"the close box", close_box},
        {"the system menu's Close", alt_space_then_close},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        if (&way != &ways[0]) {
            ASSERT_NO_FATAL_FAILURE(start());
        }
        const std::string path = program->path_of("opened.html");
        std::ofstream(path)
            << "<body><P symbol=\"s\">opened</P>"
               "<P symbol=\"x&lt;y &amp; &quot;z&quot;\" symbol=\"\" symbol=\"d\" symbol=\"d\">"
               "a&lt;b &amp; \"c\"</P><P/></body>";
        ASSERT_NO_FATAL_FAILURE(choose_file(open_button, path));
        ASSERT_TRUE(shows({"opened", "a<b & \"c\"", ""}, 0, "opened")) << shown();
        ASSERT_NO_FATAL_FAILURE(leave_by(way.way, way.input));
    }
}

} // namespace

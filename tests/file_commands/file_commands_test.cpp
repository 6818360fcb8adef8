// Open file and Save file end to end: the real program, the real choosers and
// message boxes, and the files they leave in the program's working folder.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/app/norvane_window.h"

namespace norvane_test {
namespace {

using texts = std::vector<std::string>;

const std::string empty_document_file = "<?xml version=\"1.0\"?>\r\n<body/>\r\n";

// The chooser is gone: closed, or at least hidden.
bool chooser_closed(HWND chooser) {
    return IsWindow(chooser) == FALSE || IsWindowVisible(chooser) == FALSE;
}

// The file name box of a chooser: the edit box inside its name combo box.
HWND chooser_name_edit(HWND chooser) {
    constexpr int file_name_box_id = 0x47c;
    const HWND box = GetDlgItem(chooser, file_name_box_id);
    if (box == nullptr) {
        return nullptr;
    }
    const std::vector<HWND> edits = gui::children(box, "Edit");
    return edits.empty() ? box : edits.front();
}

// An edit box's text read into a fixed buffer: the box may change while it is
// read (typing), so its length is not asked first.
std::string edit_text(HWND edit) {
    std::wstring wide(4096, L'\0');
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutW(edit, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()),
                            SMTO_ABORTIFHUNG, 5000, &copied) == 0) {
        return {};
    }
    wide.resize(std::min<std::size_t>(copied, wide.size()));
    std::string text(wide.size() * 2, '\0');
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                                           static_cast<int>(text.size()), nullptr, nullptr);
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

std::string proposed_name(HWND chooser) {
    return edit_text(chooser_name_edit(chooser));
}

// Keys reach the foreground window: wait until the dialog has the keyboard focus.
void wait_until_focused(HWND dialog) {
    ASSERT_TRUE(gui::make_foreground(dialog));
    ASSERT_TRUE(gui::wait_until([&] {
        const HWND focus = gui::focused_window(dialog);
        return focus != nullptr && (focus == dialog || IsChild(dialog, focus) != FALSE);
    })) << "the dialog never took the focus";
}

// Types the path into the chooser's file name box and presses Enter, as a user would.
void choose(HWND chooser, const std::string& path) {
    const HWND edit = chooser_name_edit(chooser);
    ASSERT_NE(edit, nullptr) << "no file name box in the chooser";
    ASSERT_NO_FATAL_FAILURE(wait_until_focused(chooser));
    gui::click(edit);
    ASSERT_TRUE(gui::wait_until([&] { return gui::focused_window(chooser) == edit; }))
        << "file name box not focused";
    gui::press_key(VK_END);
    gui::press_keys({VK_SHIFT, VK_HOME});
    gui::press_key(VK_DELETE);
    gui::type_text(path);
    ASSERT_TRUE(gui::wait_until([&] { return edit_text(edit) == path; }))
        << "typed " << path << ", the box shows " << edit_text(edit);
    gui::press_key(VK_RETURN);
    ASSERT_TRUE(gui::wait_until([&] { return chooser_closed(chooser); })) << "chooser still open";
}

void cancel_chooser(HWND chooser) {
    ASSERT_NE(chooser, nullptr) << "no chooser";
    ASSERT_NO_FATAL_FAILURE(wait_until_focused(chooser));
    gui::press_key(VK_ESCAPE);
    ASSERT_TRUE(gui::wait_until([&] { return chooser_closed(chooser); })) << "chooser not cancelled";
}

// Clicks Save file or Open file and waits for its chooser.
HWND open_chooser(norvane_window& app, HWND button) {
    gui::click(button);
    return app.wait_for_chooser();
}

// Reads the "Error" box, closes it with Enter and gives back its text.
std::string close_error_box(norvane_window& app) {
    const HWND box = app.wait_for_error_box();
    if (box == nullptr) {
        ADD_FAILURE() << "no error box";
        return {};
    }
    std::string message = app.message_of(box);
    wait_until_focused(box);
    gui::press_key(VK_RETURN);
    EXPECT_TRUE(gui::wait_until([&] { return chooser_closed(box); })) << "error box not closed";
    return message;
}

void wait_for_file(const std::string& path, const std::string& bytes) {
    EXPECT_TRUE(gui::wait_until([&] { return read_file(path) == bytes; })) << path << " holds:\n"
                                                                           << read_file(path);
}

// Selects a paragraph and links the symbols to it.
void link_symbols(norvane_window& app, int paragraph, const texts& symbols) {
    app.select_paragraph(paragraph);
    for (const std::string& symbol : symbols) {
        app.link_symbol(symbol);
    }
}

// Gives paragraph `index` a text with line breaks (pasted: Enter would end the paragraph).
void set_multi_line_text(norvane_window& app, int index, const std::string& text) {
    app.select_paragraph(index);
    app.paste_into(app.paragraph_edit, text);
    app.click_and_wait(
        app.update_button,
        [&](const window_view& v) {
            return v.paragraphs.size() > static_cast<std::size_t>(index) &&
                   v.paragraphs[static_cast<std::size_t>(index)] == text;
        },
        "multi-line paragraph stored");
}

TEST(file_commands, save_then_open_gives_back_the_document) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());
    app.enter_paragraph("Rates rise > 5%");
    app.enter_paragraph("placeholder");
    set_multi_line_text(app, 1, "first line\r\nsecond & <third>\r\n\r\n  indented \"quoted\"");
    link_symbols(app, 0, {"index", "name"});
    link_symbols(app, 1, {"index", "it's"});
    ASSERT_FALSE(testing::Test::HasFatalFailure());

    const HWND save_chooser = open_chooser(app, app.save_button);
    ASSERT_NE(save_chooser, nullptr);
    EXPECT_EQ(proposed_name(save_chooser), "norvane.html");
    const std::string path = app.path_of("saved.html");
    ASSERT_NO_FATAL_FAILURE(choose(save_chooser, path));
    wait_for_file(path,
                  "<?xml version=\"1.0\"?>\r\n"
                  "<body>\r\n"
                  "\t<P symbol=\"index\" symbol=\"name\">\r\n"
                  "\t\tRates rise &gt; 5%\r\n"
                  "\t</P>\r\n"
                  "\t<P symbol=\"index\" symbol=\"it&apos;s\">\r\n"
                  "\t\tfirst line\r\nsecond &amp; &lt;third&gt;\r\n\r\n  indented &quot;quoted&quot;\r\n"
                  "\t</P>\r\n"
                  "\t<P>\r\n"
                  "\t</P>\r\n"
                  "</body>\r\n");
    EXPECT_EQ(files_in(app.folder), texts{"saved.html"}) << "no temporary file left";

    // Another document in between, then the saved one again.
    const window_view saved = app.view();
    app.click_and_wait(
        app.new_file_button, [](const window_view& v) { return v.paragraphs == texts{""}; }, "New file");
    const HWND open = open_chooser(app, app.open_button);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(proposed_name(open), "");
    ASSERT_NO_FATAL_FAILURE(choose(open, path));

    window_view opened;
    opened.paragraphs = saved.paragraphs; // texts in order, line breaks intact
    opened.paragraph_selected = 0;        // the index selected before the load
    opened.paragraph_text = "Rates rise > 5%";
    opened.linked_symbols = {"index", "name"};
    opened.all_symbols = {"index", "it's", "name"};
    app.wait_for_view(opened, "the saved document opened");
    app.select_paragraph(1);
    EXPECT_EQ(app.view().linked_symbols, (texts{"index", "it's"}));
    EXPECT_EQ(app.view().paragraph_text, "first line\r\nsecond & <third>\r\n\r\n  indented \"quoted\"");
}

TEST(file_commands, cancelling_open_keeps_the_document_and_empties_the_proposed_name) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());
    app.enter_paragraph("kept");
    const window_view before = app.view();

    ASSERT_NO_FATAL_FAILURE(cancel_chooser(open_chooser(app, app.open_button)));
    EXPECT_EQ(app.view(), before);

    const HWND save_chooser = open_chooser(app, app.save_button);
    ASSERT_NE(save_chooser, nullptr);
    EXPECT_EQ(proposed_name(save_chooser), "") << "the cancelled Open emptied the file name";
    ASSERT_NO_FATAL_FAILURE(cancel_chooser(save_chooser));
    EXPECT_TRUE(files_in(app.folder).empty());
}

TEST(file_commands, cancelling_save_writes_nothing) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());
    app.enter_paragraph("not saved");

    const HWND first = open_chooser(app, app.save_button);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(proposed_name(first), "norvane.html");
    ASSERT_NO_FATAL_FAILURE(cancel_chooser(first));
    EXPECT_TRUE(files_in(app.folder).empty());

    const HWND second = open_chooser(app, app.save_button);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(proposed_name(second), "") << "the cancelled Save emptied the file name";
    ASSERT_NO_FATAL_FAILURE(cancel_chooser(second));
    EXPECT_TRUE(files_in(app.folder).empty());
}

TEST(file_commands, opening_a_missing_file_empties_the_document_and_says_so) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());
    app.enter_paragraph("about to go");
    link_symbols(app, 0, {"gone"});

    const std::string missing = app.path_of("missing.html");
    const HWND open = open_chooser(app, app.open_button);
    ASSERT_NE(open, nullptr);
    // The chooser takes the name of a file that does not exist; the load then fails.
    ASSERT_NO_FATAL_FAILURE(choose(open, missing));
    const std::string message = close_error_box(app);
    EXPECT_NE(message.find("File not found"), std::string::npos) << message;
    app.wait_for_view(window_view{}, "an empty document: no paragraph, all lists empty");

    // A following Save writes the empty document.
    const HWND save_chooser = open_chooser(app, app.save_button);
    ASSERT_NE(save_chooser, nullptr);
    const std::string path = app.path_of("empty.html");
    ASSERT_NO_FATAL_FAILURE(choose(save_chooser, path));
    wait_for_file(path, empty_document_file);
}

TEST(file_commands, a_save_that_fails_says_so_and_keeps_the_old_file) {
    norvane_window app;
    ASSERT_NO_FATAL_FAILURE(app.start());
    const std::string old_path = app.path_of("old.html");
    const std::string old_bytes =
        "<?xml version=\"1.0\"?>\r\n<body>\r\n\t<P>\r\n\t\told\r\n\t</P>\r\n</body>\r\n";
    ASSERT_TRUE(write_file(old_path, old_bytes));
    app.enter_paragraph("new text");
    const window_view before = app.view();

    const HWND save_chooser = open_chooser(app, app.save_button);
    ASSERT_NE(save_chooser, nullptr);
    ASSERT_NO_FATAL_FAILURE(choose(save_chooser, app.path_of("no such folder\\old.html")));
    const std::string message = close_error_box(app);
    EXPECT_NE(message.find("no such folder"), std::string::npos) << message;

    EXPECT_EQ(read_file(old_path), old_bytes);
    EXPECT_EQ(files_in(app.folder), texts{"old.html"}) << "no temporary file left";
    EXPECT_EQ(app.view(), before) << "the document stays as it was";
}

} // namespace
} // namespace norvane_test

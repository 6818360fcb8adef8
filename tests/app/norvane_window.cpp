#include "tests/app/norvane_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <sstream>

namespace norvane_test {

namespace {

constexpr int chooser_file_name_id = 0x47c; // the file name box of the file choosers
constexpr UINT reply_timeout_ms = 5000;
// Wine carries a list entry read from another process through a 512-byte
// buffer on the stack of the program's GUI thread, so a longer entry would
// overwrite that stack. Longer entries are reported by their length only.
constexpr DWORD_PTR longest_readable_entry = 500;

std::string working_folder_for_test() {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "norvane-app-" + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(counter++);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string program_path() {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    return std::string(current) + "\\app\\norvane.exe";
}

void print_list(std::ostream& out, const char* name, const std::vector<std::string>& entries, int selected) {
    out << "\n  " << name << " (" << entries.size() << ", selected " << selected << "):";
    const std::size_t shown = std::min<std::size_t>(entries.size(), 12);
    for (std::size_t i = 0; i < shown; ++i) {
        out << " [" << (entries[i].size() > 40 ? entries[i].substr(0, 40) + "..." : entries[i]) << "]";
    }
    if (shown < entries.size()) {
        out << " ...";
    }
}

void select_all_in(HWND edit) {
    click(edit);
    gui::press_keys({VK_CONTROL, VK_HOME});
    gui::press_keys({VK_CONTROL, VK_SHIFT, VK_END});
    gui::press_key(VK_DELETE);
}

bool put_on_clipboard(const std::string& text) {
    if (OpenClipboard(nullptr) == FALSE) {
        return false;
    }
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    bool placed = false;
    if (memory != nullptr) {
        char* bytes = static_cast<char*>(GlobalLock(memory));
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        placed = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!placed) {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
    return placed;
}

std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

void PrintTo(const window_view& view, std::ostream* out) {
    print_list(*out, "paragraphs", view.paragraphs, view.paragraph_selected);
    *out << "\n  paragraph box: [" << view.paragraph_text.substr(0, 60) << "]";
    print_list(*out, "linked symbols", view.linked_symbols, view.linked_selected);
    print_list(*out, "all symbols", view.all_symbols, view.symbol_selected);
    print_list(*out, "results", view.results, view.result_selected);
}

norvane_window::norvane_window() : folder(working_folder_for_test()) {}

norvane_window::~norvane_window() {
    program.kill();
    for (const std::string& name : files_in(folder)) {
        DeleteFileA(path_of(name).c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

std::vector<control_place> norvane_window::layout() {
    return {
        {&exit_button, "exit_button", "Button", "E&xit", 855, 674, 75, 32},
        {&paragraph_edit, "paragraph_edit", "Edit", "", 15, 422, 945, 162},
        {&paragraph_label, "paragraph_label", "Static", "Paragraph", 15, 390, 75, 16},
        {&linked_symbols_label, "linked_symbols_label", "Static", "Symbols linked to paragraph", 390, 21, 150,
         16},
        {&linked_symbols_list, "linked_symbols_list", "ListBox", "", 390, 56, 240, 121},
        {&result_list, "result_list", "ListBox", "", 390, 211, 240, 113},
        {&result_label, "result_label", "Static", "Paragraphs linked to symbol or search results", 390, 186,
         240, 16},
        {&all_paragraphs_label, "all_paragraphs_label", "Static", "All paragraphs", 15, 21, 105, 16},
        {&all_paragraphs_list, "all_paragraphs_list", "ListBox", "", 15, 56, 195, 268},
        {&new_paragraph_button, "new_paragraph_button", "Button", "&New paragraph after", 30, 609, 75, 40},
        {&cut_button, "cut_button", "Button", "&Cut", 225, 195, 75, 32},
        {&paste_before_button, "paste_before_button", "Button", "Paste &before", 225, 235, 75, 32},
        {&all_symbols_label, "all_symbols_label", "Static", "All symbols", 645, 21, 105, 16},
        {&all_symbols_list, "all_symbols_list", "ListBox", "", 645, 56, 195, 268},
        {&save_button, "save_button", "Button", "&Save file", 765, 674, 75, 32},
        {&open_button, "open_button", "Button", "&Open file", 675, 674, 75, 32},
        {&link_symbol_button, "link_symbol_button", "Button", "&Link Symbol", 225, 105, 75, 32},
        {&symbol_edit, "symbol_edit", "Edit", "", 225, 55, 150, 24},
        {&symbol_label, "symbol_label", "Static", "Symbol to link:", 225, 21, 105, 16},
        {&link_listed_symbol_button, "link_listed_symbol_button", "Button", "L&ink Symbol", 855, 56, 75, 32},
        {&update_button, "update_button", "Button", "&Update paragraph", 120, 609, 75, 32},
        {&search_button, "search_button", "Button", "&Search", 180, 341, 75, 32},
        {&delete_symbol_button, "delete_symbol_button", "Button", "&Delete Symbol", 307, 105, 75, 32},
        {&update_new_button, "update_new_button", "Button", "Update &+ New", 202, 609, 75, 32},
        {&new_file_button, "new_file_button", "Button", "New &file", 585, 674, 75, 32},
        {&search_label, "search_label", "Static", "Search text in paragraph list:", 15, 333, 150, 16},
        {&search_edit, "search_edit", "Edit", "", 15, 349, 150, 24},
        {&paste_after_button, "paste_after_button", "Button", "Paste &after", 225, 284, 75, 32},
    };
}

void norvane_window::start() {
    const std::string command_line = std::string("\"").append(program_path()).append("\"");
    ASSERT_TRUE(program.start(command_line, {}, folder)) << command_line;
    top = gui::wait_for_window(program.process_id(), "Norvane");
    ASSERT_NE(top, nullptr) << "no main window";
    // The controls appear one by one after the window.
    const std::vector<control_place> places = layout();
    const bool all_found = gui::wait_until([&] {
        for (const control_place& place : places) {
            *place.handle = gui::find_child(top, place.class_name, {place.x, place.y});
            if (*place.handle == nullptr) {
                return false;
            }
        }
        return true;
    });
    ASSERT_TRUE(all_found) << "not every control was found at its place";
    ASSERT_TRUE(gui::make_foreground(top));
    window_view start_up;
    start_up.paragraphs = {""};
    start_up.paragraph_selected = 0;
    wait_for_view(start_up, "start-up state");
    ASSERT_TRUE(gui::wait_until([&] { return focus() == paragraph_edit; })) << "focus in the paragraph box";
}

std::string long_entry(std::size_t length) {
    return std::string("<").append(std::to_string(length)).append(" characters>");
}

namespace {

std::string read_entry(HWND list_box, int index, bool lengths_only) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(list_box, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG,
                        reply_timeout_ms, &length);
    if (static_cast<LRESULT>(length) == LB_ERR) {
        return "<changed>"; // the list was refilled meanwhile
    }
    if (lengths_only || length > longest_readable_entry) {
        return long_entry(length);
    }
    // Room for whatever the entry may have become since its length was read.
    std::wstring wide(4 * longest_readable_entry, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(list_box, LB_GETTEXT, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(wide.data()), SMTO_ABORTIFHUNG, reply_timeout_ms, &copied);
    if (static_cast<LRESULT>(copied) == LB_ERR || copied >= wide.size()) {
        return "<changed>";
    }
    std::string entry(copied, '\0');
    for (std::size_t k = 0; k < copied; ++k) {
        entry[k] = static_cast<char>(wide[k]); // the tests' texts are ASCII
    }
    return entry;
}

} // namespace

std::string entry_at(HWND list_box, int index) {
    return read_entry(list_box, index, false);
}

std::vector<std::string> list_entries(HWND list_box, bool lengths_only) {
    DWORD_PTR count = 0;
    if (SendMessageTimeoutW(list_box, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, reply_timeout_ms, &count) == 0) {
        return {"<no answer>"};
    }
    std::vector<std::string> entries;
    entries.reserve(count);
    for (int i = 0; i < static_cast<int>(count); ++i) {
        entries.push_back(read_entry(list_box, i, lengths_only));
    }
    return entries;
}

std::string norvane_window::as_listed(const std::string& text) const {
    return entry_lengths_only || text.size() > longest_readable_entry ? long_entry(text.size()) : text;
}

window_view norvane_window::view() const {
    window_view v;
    v.paragraphs = list_entries(all_paragraphs_list, entry_lengths_only);
    v.paragraph_selected = gui::list_selection(all_paragraphs_list);
    v.paragraph_text = gui::text_of(paragraph_edit);
    v.linked_symbols = list_entries(linked_symbols_list, entry_lengths_only);
    v.linked_selected = gui::list_selection(linked_symbols_list);
    v.all_symbols = list_entries(all_symbols_list, entry_lengths_only);
    v.symbol_selected = gui::list_selection(all_symbols_list);
    v.results = list_entries(result_list, entry_lengths_only);
    v.result_selected = gui::list_selection(result_list);
    return v;
}

void norvane_window::wait_for(const std::function<bool(const window_view&)>& condition, const char* what) {
    if (::testing::Test::HasFatalFailure()) {
        return;
    }
    window_view last;
    if (!gui::wait_until([&] {
            last = view();
            return condition(last);
        })) {
        std::ostringstream shown;
        PrintTo(last, &shown);
        gui::screenshot("failure.bmp");
        FAIL() << "timed out waiting for: " << what << "\nthe window shows:" << shown.str()
               << (program.running() ? "" : "\nthe program has ended");
    }
}

void norvane_window::wait_for_view(const window_view& expected, const char* what) {
    if (::testing::Test::HasFatalFailure()) {
        return;
    }
    window_view last;
    if (!gui::wait_until([&] { return (last = view()) == expected; })) {
        std::ostringstream shown, wanted;
        PrintTo(last, &shown);
        PrintTo(expected, &wanted);
        FAIL() << "timed out waiting for: " << what << "\nexpected:" << wanted.str()
               << "\nshown:" << shown.str();
    }
}

void norvane_window::click_and_wait(HWND control, const std::function<bool(const window_view&)>& effect,
                                    const char* what) {
    if (::testing::Test::HasFatalFailure()) {
        return;
    }
    click(control);
    wait_for(effect, what);
}

void norvane_window::type_into(HWND edit, const std::string& text) {
    if (::testing::Test::HasFatalFailure()) {
        return;
    }
    select_all_in(edit);
    gui::type_text(text);
    if (!gui::wait_until([&] { return gui::text_of(edit) == text; })) {
        FAIL() << "typing did not arrive: " << text;
    }
}

void norvane_window::paste_into(HWND edit, const std::string& text) {
    if (::testing::Test::HasFatalFailure()) {
        return;
    }
    ASSERT_TRUE(put_on_clipboard(text));
    select_all_in(edit);
    gui::press_keys({VK_CONTROL, 'V'});
    if (!gui::wait_until([&] { return gui::text_of(edit) == text; })) {
        FAIL() << "the pasted text did not arrive";
    }
}

void norvane_window::click_entry(HWND list_box, int index) {
    const auto item_height = static_cast<int>(SendMessageW(list_box, LB_GETITEMHEIGHT, 0, 0));
    const auto top_index = static_cast<int>(SendMessageW(list_box, LB_GETTOPINDEX, 0, 0));
    RECT client{};
    GetClientRect(list_box, &client);
    click_at(list_box, {client.right / 2, (index - top_index) * item_height + item_height / 2});
}

// Enter is pressed in the search box (Enter in any box is Update + New): the
// command ends by moving the focus to the paragraph box, and only from
// another box can the test see that it has.
void norvane_window::enter_paragraph(const std::string& text) {
    const window_view before = view();
    type_into(paragraph_edit, text);
    click(search_edit);
    if (!gui::wait_until([&] { return focus() == search_edit; })) {
        FAIL() << "the search box did not take the focus";
    }
    gui::press_key(VK_RETURN);
    wait_for(
        [&](const window_view& v) {
            return v.paragraphs.size() == before.paragraphs.size() + 1 &&
                   v.paragraph_selected == before.paragraph_selected + 1 &&
                   v.paragraphs[static_cast<std::size_t>(before.paragraph_selected)] == as_listed(text) &&
                   v.paragraph_text.empty() && focus() == paragraph_edit;
        },
        ("Update + New after typing the paragraph " + text).c_str());
}

void norvane_window::select_paragraph(int index) {
    if (::testing::Test::HasFatalFailure()) {
        return;
    }
    click_entry(all_paragraphs_list, index);
    wait_for(
        [&](const window_view& v) {
            return v.paragraph_selected == index &&
                   as_listed(v.paragraph_text) == v.paragraphs[static_cast<std::size_t>(index)];
        },
        ("paragraph " + std::to_string(index) + " selected and shown").c_str());
}

void norvane_window::link_symbol(const std::string& symbol) {
    const std::size_t linked = view().linked_symbols.size();
    type_into(symbol_edit, symbol);
    click_and_wait(
        link_symbol_button, [&](const window_view& v) { return v.linked_symbols.size() == linked + 1; },
        ("symbol linked: " + symbol).c_str());
}

HWND norvane_window::wait_for_chooser() {
    return gui::wait_for_window(program.process_id(), "#32770");
}

std::string norvane_window::chooser_file_name(HWND chooser) {
    return gui::text_of(GetDlgItem(chooser, chooser_file_name_id));
}

void norvane_window::choose_path(HWND chooser, const std::string& path) {
    if (::testing::Test::HasFatalFailure()) {
        return;
    }
    const HWND name_box = GetDlgItem(chooser, chooser_file_name_id);
    ASSERT_NE(name_box, nullptr) << "file name box of the chooser";
    HWND name_edit = FindWindowExA(name_box, nullptr, "Edit", nullptr);
    if (name_edit == nullptr) {
        name_edit = name_box;
    }
    click(name_edit);
    gui::press_key(VK_END);
    gui::press_keys({VK_SHIFT, VK_HOME});
    gui::press_key(VK_DELETE);
    gui::type_text(path);
    ASSERT_TRUE(gui::wait_until([&] { return gui::text_of(name_box) == path; })) << "typed into the chooser";
    gui::press_key(VK_RETURN);
    ASSERT_TRUE(gui::wait_until([&] {
        return IsWindow(chooser) == FALSE || IsWindowVisible(chooser) == FALSE;
    })) << "chooser closed";
}

HWND norvane_window::wait_for_error_box() {
    HWND found = nullptr;
    gui::wait_until([&] {
        for (const HWND box : gui::top_level_windows(program.process_id(), "#32770")) {
            if (IsWindowVisible(box) && gui::text_of(box) == "Error") {
                found = box;
            }
        }
        return found != nullptr;
    });
    return found;
}

std::string norvane_window::message_of(HWND box) {
    std::string longest;
    for (const HWND label : gui::children(box, "Static")) {
        const std::string text = gui::text_of(label);
        if (text.size() > longest.size()) {
            longest = text;
        }
    }
    return longest;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool write_file(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}

bool file_exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> files_in(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(search, &found) != FALSE);
    FindClose(search);
    return names;
}

std::string document_file_text(const std::vector<sample_paragraph>& paragraphs) {
    std::string text = "<?xml version=\"1.0\"?>\n<body>\n";
    for (const sample_paragraph& p : paragraphs) {
        text += "\t<P";
        for (const std::string& symbol : p.symbols) {
            text += " symbol=\"" + escaped(symbol) + "\"";
        }
        text += ">\n";
        if (!p.text.empty()) {
            text += "\t\t" + escaped(p.text) + "\n";
        }
        text += "\t</P>\n";
    }
    return text + "</body>\n";
}

} // namespace norvane_test

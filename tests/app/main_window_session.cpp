#include "tests/app/main_window_session.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sstream>

#include "docfile/document_file.h"
#include "framework/choosers.h"
#include "framework/controls.h"

std::string proposed_name;

namespace {

std::string chosen_path; // what the choosers answer; "" cancels them

BOOL WINAPI choose_scripted_path(LPOPENFILENAMEA record) {
    proposed_name = record->lpstrFile;
    std::strcpy(record->lpstrFile, chosen_path.c_str());
    return chosen_path.empty() ? FALSE : TRUE;
}

// The window lives until every test has run.
class window_environment : public testing::Environment {
  public:
    void TearDown() override { window.reset(); }
    std::unique_ptr<main_win> window;
};

window_environment* const environment =
    static_cast<window_environment*>(testing::AddGlobalTestEnvironment(new window_environment));

} // namespace

main_win& the_window() {
    if (!environment->window) {
        active_chooser_calls().open_file_name = choose_scripted_path;
        active_chooser_calls().save_file_name = choose_scripted_path;
        environment->window = std::make_unique<main_win>();
        environment->window->new_paragraph_after();
    }
    return *environment->window;
}

void perform(const std::vector<user_step>& steps) {
    main_win& window = the_window();
    for (const user_step& step : steps) {
        const HWND control = step.control != nullptr ? window.*step.control : window.window_handle;
        if (step.kind == user_step::type) {
            SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.text));
            continue;
        }
        if (step.kind == user_step::select) {
            SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(step.line), 0);
        }
        wk_event event{step.kind, reinterpret_cast<LPARAM>(control)};
        window.handle_event(&event);
    }
}

void write_document(const std::string& described, const std::string& path) {
    Document document;
    std::istringstream paragraphs(described);
    for (std::string paragraph; std::getline(paragraphs, paragraph, '|');) {
        auto* p = new Paragraph;
        const std::size_t colon = paragraph.find(':');
        text_assign(p->text, paragraph.substr(0, colon).c_str());
        std::istringstream symbols(colon == std::string::npos ? "" : paragraph.substr(colon + 1));
        for (std::string symbol; std::getline(symbols, symbol, ',');) {
            text_assign(*text_list_append_element(p->symbols, new Text), symbol.c_str());
        }
        paragraph_list_append(document, p);
    }
    ASSERT_TRUE(save_document_file(document, path.c_str()).ok());
}

void open_document(const std::string& path) {
    perform({click_on(&gen_main_win::new_file_button)});
    chosen_path = path;
    perform({click_on(&gen_main_win::open_button)});
}

void save_document_as(const std::string& path) {
    chosen_path = path;
    perform({click_on(&gen_main_win::save_button)});
}

temporary_file::temporary_file(const char* name)
    : path((std::filesystem::temp_directory_path() / ("norvane_app_test_" + std::string(name))).string()) {}

temporary_file::~temporary_file() {
    DeleteFileA(path.c_str());
}

std::string shown(control_field list) {
    const HWND box = the_window().*list;
    const auto count = static_cast<int>(SendMessageA(box, LB_GETCOUNT, 0, 0));
    const auto selected = static_cast<int>(SendMessageA(box, LB_GETCURSEL, 0, 0));
    std::string entries;
    for (int i = 0; i < count; ++i) {
        std::string entry(static_cast<std::size_t>(SendMessageA(box, LB_GETTEXTLEN, i, 0)), '\0');
        SendMessageA(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        const bool is_selected = i == selected;
        entries.append(i > 0 ? "|" : "")
            .append(is_selected ? "[" : "")
            .append(entry)
            .append(is_selected ? "]" : "");
    }
    return entries;
}

std::string text_of(control_field edit) {
    Text text;
    read_control_text(the_window().*edit, text);
    return text.chars;
}

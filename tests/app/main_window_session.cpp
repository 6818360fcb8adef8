#include "tests/app/main_window_session.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sstream>
#include <utility>

#include "docfile/document_file.h"
#include "framework/choosers.h"
#include "framework/controls.h"
#include "framework/held_input.h"
#include "framework/wk_app.h"
#include "tests/end_to_end/outside_driver.h"

std::string proposed_name;

namespace {

std::string chosen_path; // what the choosers answer; "" cancels them

BOOL WINAPI choose_scripted_path(LPOPENFILENAMEA record) {
    proposed_name = record->lpstrFile;
    std::strcpy(record->lpstrFile, chosen_path.c_str());
    return chosen_path.empty() ? FALSE : TRUE;
}

// The main window, with a way to act inside its next command.
class observed_main_win : public main_win {
  public:
    int handle_event(wk_event* event) override {
        if (is_acted_on(event->kind) && inside_next_command) {
            std::exchange(inside_next_command, nullptr)();
        }
        const int decision = main_win::handle_event(event);
        return done && (done() || GetTickCount64() > deadline) ? loop_end : decision;
    }
    std::function<void()> inside_next_command;
    std::function<bool()> done;
    ULONGLONG deadline = 0;
};

// The window lives until every test has run.
class window_environment : public testing::Environment {
  public:
    void TearDown() override { window.reset(); }
    std::unique_ptr<observed_main_win> window;
};

constexpr DWORD quick_wake_ms = 20; // the loop's empty events, for `done` to be asked often

window_environment* const environment =
    static_cast<window_environment*>(testing::AddGlobalTestEnvironment(new window_environment));

} // namespace

main_win& the_window() {
    if (!environment->window) {
        active_chooser_calls().open_file_name = choose_scripted_path;
        active_chooser_calls().save_file_name = choose_scripted_path;
        environment->window = std::make_unique<observed_main_win>();
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

void run_event_loop_until(const std::function<bool()>& done) {
    observed_main_win& window = *environment->window;
    window.done = done;
    window.deadline = GetTickCount64() + patience_ms;
    const DWORD saved_timeout = wk_app.wait_timeout_ms;
    wk_app.wait_timeout_ms = quick_wake_ms;
    event_loop(window);
    wk_app.wait_timeout_ms = saved_timeout;
    window.done = nullptr;
    window.inside_next_command = nullptr;
}

void do_inside_next_command(std::function<void()> inside_next_command) {
    the_window();
    // Nothing left from the tests before comes first (or holds input).
    run_on_gui_thread([] { clear_events(*environment->window); });
    environment->window->inside_next_command = std::move(inside_next_command);
}

// The main window must be the foreground one for keys; each button event
// carries its own place (see outside_driver.h). Nothing waits for the input
// to be taken: while a command runs it is not.
bool give_click(HWND control, POINT point) {
    ClientToScreen(control, &point);
    return outside::make_foreground(the_window().window_handle) &&
           outside::send_button(point, MOUSEEVENTF_LEFTDOWN) &&
           outside::send_button(point, MOUSEEVENTF_LEFTUP);
}

bool drag_caption_by(HWND window, int dx, int dy) {
    RECT outer{};
    GetWindowRect(window, &outer);
    const POINT from{(outer.left + outer.right) / 2, outer.top + GetSystemMetrics(SM_CYFRAME) + 4};
    return outside::send_button(from, MOUSEEVENTF_LEFTDOWN) &&
           outside::send_button({from.x + dx / 2, from.y + dy / 2}, 0) &&
           outside::send_button({from.x + dx, from.y + dy}, MOUSEEVENTF_LEFTUP);
}

bool type_letters(const char* letters) {
    return outside::type(the_window().window_handle, letters);
}

bool press_keys(const std::vector<WORD>& keys) {
    return outside::press(the_window().window_handle, keys);
}

bool input_kept(UINT kinds) {
    // SendInput has queued the input when it returns: once none of it is left
    // in the queue and some is kept, all of it is.
    return wait_until([&] {
        bool kept = false;
        run_on_gui_thread(
            [&] { kept = (HIWORD(GetQueueStatus(kinds)) & kinds) == 0 && kept_input_count() > 0; });
        return kept;
    });
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
    open_only(path);
}

void answer_choosers(const std::string& path) {
    chosen_path = path;
}

void open_only(const std::string& path) {
    answer_choosers(path);
    perform({click_on(&gen_main_win::open_button)});
}

void save_document_as(const std::string& path) {
    answer_choosers(path);
    perform({click_on(&gen_main_win::save_button)});
}

temporary_file::temporary_file(const char* name)
    : path((std::filesystem::temp_directory_path() / ("norvane_app_test_" + std::string(name))).string()) {}

temporary_file::~temporary_file() {
    DeleteFileA(path.c_str());
}

std::string line_of(control_field list, int line) {
    const HWND box = the_window().*list;
    const auto length = SendMessageA(box, LB_GETTEXTLEN, static_cast<WPARAM>(line), 0);
    if (length < 0) {
        return "(no line " + std::to_string(line) + ")";
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    SendMessageA(box, LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text.data()));
    return text;
}

int selected_line(control_field list) {
    return static_cast<int>(SendMessageA(the_window().*list, LB_GETCURSEL, 0, 0));
}

// Read on the GUI thread, which owns the list: one request, not two round
// trips a line.
std::string shown(control_field list) {
    const HWND box = the_window().*list;
    std::string entries;
    run_on_gui_thread([box, &entries] {
        const auto count = static_cast<int>(SendMessageA(box, LB_GETCOUNT, 0, 0));
        const auto selected = static_cast<int>(SendMessageA(box, LB_GETCURSEL, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::string entry(static_cast<std::size_t>(SendMessageA(box, LB_GETTEXTLEN, i, 0)), '\0');
            SendMessageA(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
            const bool is_selected = i == selected;
            entries.append(i > 0 ? "|" : "")
                .append(is_selected ? "[" : "")
                .append(entry)
                .append(is_selected ? "]" : "");
        }
    });
    return entries;
}

std::string text_of(control_field edit) {
    Text text;
    read_control_text(the_window().*edit, text);
    return text.chars;
}

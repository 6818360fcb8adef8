#include "tests/app/main_window_session.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sstream>
#include <thread>

#include "docfile/document_file.h"
#include "framework/chooser_calls.h"

namespace {

std::string& chosen_path() {
    static std::string path;
    return path;
}

BOOL WINAPI choose_scripted_path(LPOPENFILENAMEA record) {
    std::strcpy(record->lpstrFile, chosen_path().c_str());
    return TRUE;
}

// The window lives until every test has run.
class window_environment : public testing::Environment {
  public:
    void TearDown() override { window.reset(); }
    std::unique_ptr<main_win> window;
};

window_environment* const environment =
    static_cast<window_environment*>(testing::AddGlobalTestEnvironment(new window_environment));

void hand_event(int kind, HWND control) {
    wk_event event{kind, reinterpret_cast<LPARAM>(control)};
    the_window().handle_event(&event);
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        parts.push_back(part);
    }
    if (!text.empty() && text.back() == separator) {
        parts.emplace_back();
    }
    return parts;
}

thread_local int allocations_until_failure = 0;

} // namespace

user_step click_on(control_field button) {
    return {user_step::click, button};
}
user_step select_line(control_field list, int line) {
    return {user_step::select, list, line};
}
user_step type_into(control_field edit, const char* text) {
    return {user_step::type, edit, -1, text};
}
user_step press_enter() {
    return {user_step::enter};
}

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
        switch (step.kind) {
        case user_step::click:
            hand_event(event_activate, window.*step.control);
            break;
        case user_step::select:
            SendMessageA(window.*step.control, LB_SETCURSEL, static_cast<WPARAM>(step.line), 0);
            hand_event(event_select, window.*step.control);
            break;
        case user_step::type:
            SendMessageA(window.*step.control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.text));
            break;
        case user_step::enter:
            hand_event(event_enter, window.window_handle);
            break;
        }
    }
}

void write_document(const std::string& described, const std::string& path) {
    Document document;
    for (const std::string& paragraph : split(described, '|')) {
        const std::vector<std::string> parts = split(paragraph, ':');
        auto* p = new Paragraph;
        text_assign(p->text, parts.empty() ? "" : parts[0].c_str());
        for (const std::string& symbol : split(parts.size() > 1 ? parts[1] : "", ',')) {
            text_list_append(p->symbols, symbol.c_str());
        }
        paragraph_list_append(document, p);
    }
    std::string error;
    ASSERT_TRUE(save_document_file(document, path.c_str(), error)) << error;
}

void open_document(const std::string& path) {
    perform({click_on(&gen_main_win::new_file_button)});
    chosen_path() = path;
    perform({click_on(&gen_main_win::open_button)});
}

void save_document_as(const std::string& path) {
    chosen_path() = path;
    perform({click_on(&gen_main_win::save_button)});
}

temporary_file::temporary_file(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    path = std::string(folder) + "norvane_app_test_" + name;
}

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
        entries += (i > 0 ? "|" : "") + (i == selected ? "[" + entry + "]" : entry);
    }
    return entries;
}

std::string text_of(control_field edit) {
    const HWND box = the_window().*edit;
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(box)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(box, text.data(), static_cast<int>(text.size()))));
    return text;
}

struct box_watcher::state {
    std::atomic<bool> stop{false};
    std::string text;
    std::thread thread;
};

namespace {

struct box_search {
    const char* caption;
    HWND found = nullptr;
};

BOOL CALLBACK find_box(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<box_search*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char class_name[16] = {};
    char caption[64] = {};
    GetClassNameA(window, class_name, sizeof class_name);
    GetWindowTextA(window, caption, sizeof caption);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) != FALSE &&
        std::strcmp(class_name, "#32770") == 0 && std::strcmp(caption, search->caption) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK read_label(HWND child, LPARAM text) {
    char class_name[16] = {};
    GetClassNameA(child, class_name, sizeof class_name);
    char label[2048] = {};
    GetWindowTextA(child, label, sizeof label);
    if (_stricmp(class_name, "Static") == 0 && label[0] != '\0') {
        *reinterpret_cast<std::string*>(text) = label;
    }
    return TRUE;
}

} // namespace

// Generous: a box comes at once, but a loaded machine can be slow.
box_watcher::box_watcher(const char* caption) : state_(std::make_unique<state>()) {
    state_->thread = std::thread([s = state_.get(), caption] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        box_search search{caption};
        while (!s->stop && std::chrono::steady_clock::now() < deadline) {
            EnumWindows(find_box, reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr) {
                EnumChildWindows(search.found, read_label, reinterpret_cast<LPARAM>(&s->text));
                PostMessageA(search.found, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(10);
        }
    });
}

std::string box_watcher::text() {
    if (state_->thread.joinable()) {
        state_->thread.join();
    }
    return state_->text;
}

std::string box_watcher::stop() {
    state_->stop = true;
    return text();
}

box_watcher::~box_watcher() {
    stop();
}

void fail_allocation_number(int count) {
    allocations_until_failure = count;
}

// Every allocation of the test program goes through here, so that a test can
// make one of them fail on the thread that runs the commands.
void* operator new(std::size_t size) {
    if (allocations_until_failure > 0 && --allocations_until_failure == 0) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

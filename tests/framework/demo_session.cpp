#include "tests/framework/demo_session.h"

#include <filesystem>

namespace {

bool arrives_on_its_own(const std::string& line) {
    return line == "event 0 null" || line == "event 8 window";
}

} // namespace

std::string event_line(int kind, const char* name) {
    return "event " + std::to_string(kind) + " " + name;
}

demo_session::demo_session() : directory_(gui::make_temporary_directory("norvane_demo_")) {
    log_path_ = directory_ + "events.log";
}

demo_session::~demo_session() {
    demo_.kill();
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

bool demo_session::start() {
    const std::string program = gui::own_directory() + "framework_demo.exe";
    if (directory_.empty() ||
        !demo_.start("\"" + program + "\"", {{demo::log_variable, log_path_}}, directory_)) {
        error_ = "cannot start " + program;
        return false;
    }
    window_ = gui::wait_for_window(demo_.process_id(), demo::program_name);
    if (window_ == nullptr) {
        error_ = "no visible demo window";
        return false;
    }
    if (!skip_to("ready")) {
        error_ = "the demo did not log ready";
        return false;
    }
    // Started without a show state (as the driver does): the window must stay
    // shown after its start-up.
    if (IsWindowVisible(window_) == FALSE) {
        error_ = "the demo window was hidden during its start-up";
        return false;
    }
    if (!gui::make_foreground(window_)) {
        error_ = "cannot make the demo window the foreground window";
        return false;
    }
    return true;
}

HWND demo_session::control(const demo::place& place) const {
    static constexpr const char* classes[] = {"EDIT", "BUTTON", "LISTBOX", "STATIC"};
    for (const char* class_name : classes) {
        if (const HWND found = gui::find_child(window_, class_name, {place.x, place.y}); found != nullptr) {
            const RECT rect = gui::rect_in_client(window_, found);
            if (rect.left == place.x && rect.top == place.y) {
                return found;
            }
        }
    }
    return nullptr;
}

std::vector<std::string> demo_session::lines() const {
    return gui::read_lines(log_path_);
}

std::string demo_session::next_line() {
    return next_matching(true);
}

std::string demo_session::next_line_of_any_kind() {
    return next_matching(false);
}

std::string demo_session::next_matching(bool skip_own) {
    std::string found;
    gui::wait_until([&] {
        const std::vector<std::string> all = lines();
        while (read_ < all.size()) {
            const std::string& line = all[read_++];
            if (!skip_own || !arrives_on_its_own(line)) {
                found = line;
                return true;
            }
        }
        return false;
    });
    return found;
}

bool demo_session::skip_to(const std::string& line) {
    return gui::wait_until([&] {
        const std::vector<std::string> all = lines();
        while (read_ < all.size()) {
            if (all[read_++] == line) {
                return true;
            }
        }
        return false;
    });
}

bool demo_session::release_busy() const {
    const std::string name = demo::release_event_prefix + std::to_string(demo_.process_id());
    const HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, name.c_str());
    if (event == nullptr) {
        return false;
    }
    const bool set = SetEvent(event) != FALSE;
    CloseHandle(event);
    return set;
}

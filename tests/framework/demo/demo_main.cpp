// A small program built on the framework for its end-to-end tests. It records
// every event its handler receives, one line each, in the file named by the
// environment variable NORVANE_DEMO_LOG:
//   event <kind> <what>          what: a control name, "window", "null" or a number
//   save <result> <cwd same 0/1> <path>
//   open <result> <cwd same 0/1> <path>
//   ready / busy start / busy end / end
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <cderr.h>

#include "framework/chooser_calls.h"
#include "framework/choosers.h"
#include "framework/controls.h"
#include "framework/wk_app.h"
#include "framework/wk_win.h"
#include "tests/framework/demo/demo_layout.h"

namespace {

struct file_closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using log_file = std::unique_ptr<std::FILE, file_closer>;

struct handle_closer {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using owned_handle = std::unique_ptr<void, handle_closer>;

log_file open_log() {
    const char* const path = std::getenv(demo::log_variable);
    return log_file(path != nullptr ? std::fopen(path, "w") : nullptr);
}

std::string current_directory() {
    char buffer[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

BOOL WINAPI failing_save(LPOPENFILENAMEA) {
    return FALSE;
}
DWORD WINAPI buffer_too_small() {
    return FNERR_BUFFERTOOSMALL;
}

class demo_win : public wk_win {
  public:
    demo_win() : log_(open_log()) {
        release_ = owned_handle(
            CreateEventA(nullptr, FALSE, FALSE,
                         (demo::release_event_prefix + std::to_string(GetCurrentProcessId())).c_str()));
        label(demo::name_label);
        edit_line(demo::name_edit);
        label(demo::second_label);
        edit_line(demo::second_edit);
        button(demo::add_button, true);
        for (const demo::place* p :
             {&demo::delete_button, &demo::drop_button, &demo::busy_button, &demo::save_button,
              &demo::open_button, &demo::fail_button, &demo::exit_button}) {
            button(*p, false);
        }
        list(demo::fruits_list, demo::fruits);
        list(demo::colours_list, demo::colours);
        controls_.emplace_back(create_edit_box(*this), demo::notes_box.name);
        write("ready");
    }

    int handle_event(wk_event* event) override {
        write("event " + std::to_string(event->kind) + " " + describe(event->value));
        if (wk_app.finished != 0) {
            return 0;
        }
        if (event->kind != event_activate && event->kind != event_select) {
            return 1;
        }
        const std::string activated = describe(event->value);
        if (activated == demo::exit_button.name) {
            return 0;
        }
        if (activated == demo::busy_button.name) {
            write("busy start");
            WaitForSingleObject(release_.get(), demo::busy_limit_ms);
            write("busy end");
        } else if (activated == demo::save_button.name) {
            save(proposal());
        } else if (activated == demo::fail_button.name) {
            save_with_failing_chooser();
        } else if (activated == demo::open_button.name) {
            open();
        }
        return 1;
    }

    void write(const std::string& line) {
        if (log_ != nullptr) {
            std::fprintf(log_.get(), "%s\n", line.c_str());
            std::fflush(log_.get());
        }
    }

  private:
    void label(const demo::place& p) {
        controls_.emplace_back(create_label(*this, p.text, p.x, p.y, demo::label_width, demo::label_height),
                               p.name);
    }
    void edit_line(const demo::place& p) {
        controls_.emplace_back(create_edit_line(*this, p.x, p.y), p.name);
    }
    void button(const demo::place& p, bool is_default) {
        controls_.emplace_back(create_button(*this, p.x, p.y, demo::button_height, p.text, is_default),
                               p.name);
    }
    template <std::size_t N> void list(const demo::place& p, const char* const (&entries)[N]) {
        const HWND box = create_list_box(*this, p.x, p.y, demo::list_width, demo::list_height);
        for (const char* entry : entries) {
            SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
        }
        controls_.emplace_back(box, p.name);
    }

    std::string describe(LPARAM value) const {
        if (value == 0) {
            return "null";
        }
        if (value == reinterpret_cast<LPARAM>(window_handle)) {
            return "window";
        }
        for (const auto& [control, name] : controls_) {
            if (value == reinterpret_cast<LPARAM>(control)) {
                return name;
            }
        }
        return std::to_string(value);
    }

    HWND control(const demo::place& p) const {
        for (const auto& [handle, name] : controls_) {
            if (name == p.name) {
                return handle;
            }
        }
        return nullptr;
    }

    std::string proposal() const {
        Text text;
        read_control_text(control(demo::second_edit), text);
        return text.length() != 0 ? text.chars : "proposal.html";
    }

    void save(const std::string& proposed) {
        const std::string before = current_directory();
        Text path(proposed.c_str());
        const int result = choose_save_file(*this, path);
        report("save", result, before, path);
    }

    // The platform's save chooser does not fail here for any name or owner a
    // test can give it, so this one reports the failure of a buffer too small.
    void save_with_failing_chooser() {
        const chooser_calls platform = active_chooser_calls();
        active_chooser_calls().save_file_name = failing_save;
        active_chooser_calls().extended_error = buffer_too_small;
        save(proposal());
        active_chooser_calls() = platform;
    }

    void open() {
        const std::string before = current_directory();
        Text path;
        const int result = choose_open_file(*this, path);
        report("open", result, before, path);
    }

    void report(const char* what, int result, const std::string& before, const Text& path) {
        write(std::string(what) + " " + std::to_string(result) + " " +
              (current_directory() == before ? "1" : "0") + " " + path.chars);
    }

    log_file log_;
    owned_handle release_;
    std::vector<std::pair<HWND, std::string>> controls_;
};

} // namespace

int application_main() {
    text_assign(wk_app.program_name, demo::program_name);
    auto window = std::make_unique<demo_win>();
    set_title(window->window_handle);
    event_loop(*window);
    window->write("end");
    return 0;
}

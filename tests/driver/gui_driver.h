// A small library for end-to-end tests of Win32 programs: start a program and
// read its exit code, find its windows and controls, drive them with real
// input (SendInput keys and clicks), read what they show, wait for effects.
//
// Typical use in a test:
//   gui::program demo;
//   ASSERT_TRUE(demo.start("tests/framework/framework_demo.exe", {{"LOG", path}}));
//   const HWND top = gui::wait_for_window(demo.process_id(), "Class name");
//   ASSERT_TRUE(gui::make_foreground(top));
//   gui::click(gui::find_child(top, "BUTTON", {250, 12}));
//   ASSERT_TRUE(gui::wait_until([&] { return <effect seen>; }));
//
// Input goes to the foreground window, as a user's would: make the window
// under test the foreground one first, and wait for each action's effect
// before the next action (never sleep a fixed time). Reading functions use
// cross-process messages (Unicode variants: the ANSI ones are truncated when
// carried between processes by Wine) with a time-out, so a hung program
// cannot hang the test.
//
// Under Wine on a display without a window manager:
// - no title bar is drawn: close a window with WM_SYSCOMMAND/SC_CLOSE (what
//   its close button sends) or Alt+F4;
// - destroying or hiding a top-level window takes about 2 s (Wine waits for
//   a window manager to withdraw it), so a program ends about 2 s after its
//   window closes: wait for exits with the default time-out;
// - a dialog that a program opens becomes the foreground window by itself,
//   but call make_foreground on it before typing, so that no key goes to the
//   window below while it is still being shown.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace gui {

// Generous default for waiting on a program's reaction (not a speed target).
constexpr DWORD default_timeout_ms = 10000;

// A started program. Its destructor ends it (TerminateProcess) if it is still
// running, so a failing test leaves nothing behind.
class program {
  public:
    program() = default;
    program(const program&) = delete;
    program& operator=(const program&) = delete;
    ~program();

    // Starts command_line (the program path first), with the driver's own
    // environment plus the given name=value pairs. No show state is passed
    // (like a launcher that leaves it to the program). The working directory
    // is the driver's unless one is given. False on failure.
    bool start(const std::string& command_line,
               const std::vector<std::pair<std::string, std::string>>& environment = {},
               const std::string& working_directory = {});

    DWORD process_id() const { return process_id_; }
    HANDLE process_handle() const { return process_; }
    bool running() const;
    // The exit code once the program has ended, waiting at most timeout_ms;
    // nullopt while it is still running.
    std::optional<DWORD> wait_for_exit(DWORD timeout_ms = default_timeout_ms);
    // Ends the program at once (exit code 1) if it still runs.
    void kill();

  private:
    HANDLE process_ = nullptr;
    DWORD process_id_ = 0;
};

// Windows ----------------------------------------------------------------

// A visible top-level window of the process with this class, or null.
HWND find_window(DWORD process_id, const char* class_name);
// Waits until find_window finds one; null after timeout_ms.
HWND wait_for_window(DWORD process_id, const char* class_name, DWORD timeout_ms = default_timeout_ms);
// Every top-level window of the process (visible or not) with this class
// (null: any class).
std::vector<HWND> top_level_windows(DWORD process_id, const char* class_name = nullptr);
// The direct or indirect child of parent with this class whose rectangle,
// relative to parent's client area, has its top-left corner at position; or,
// failing that, the smallest one containing position. Null if none.
HWND find_child(HWND parent, const char* class_name, POINT position);
// All descendants of parent with this class, in Z order (null: any class).
std::vector<HWND> children(HWND parent, const char* class_name = nullptr);
std::string class_name_of(HWND window);
// The window's rectangle relative to the client area of parent.
RECT rect_in_client(HWND parent, HWND window);
// Client width and height.
SIZE client_size(HWND window);

// Input ------------------------------------------------------------------

// Makes the window the foreground window and waits until it is.
bool make_foreground(HWND window, DWORD timeout_ms = default_timeout_ms);
// Left click at a point of the window's client area (default: its centre).
void click(HWND window);
void click_at(HWND window, POINT client_point);
// Two clicks at one spot, within the double-click time.
void double_click(HWND window);
void double_click_at(HWND window, POINT client_point);
// Presses and releases one key (virtual-key code).
void press_key(WORD key);
// Presses the keys in order and releases them in reverse order, e.g.
// press_keys({VK_MENU, 'X'}) for Alt+X, press_keys({VK_SHIFT, VK_TAB}).
void press_keys(std::initializer_list<WORD> keys);
// Types the text character by character as key presses (with Shift where
// the keyboard layout needs it).
void type_text(const std::string& text);

// Reading ----------------------------------------------------------------

// The window's whole text (a control's content, a window's title).
std::string text_of(HWND window);
// A list box's entries and selected index (-1: none). Under Wine, reading an
// entry of more than about 500 characters of an ANSI list box from another
// process overruns a fixed buffer in the target program: read such entries'
// lengths (LB_GETTEXTLEN) instead.
std::vector<std::string> list_entries(HWND list_box);
int list_selection(HWND list_box);
// An edit box's selection as (start, end).
std::pair<int, int> edit_selection(HWND edit);
// The window with the keyboard focus in the thread that owns window.
HWND focused_window(HWND window);
// The window's style and extended style.
DWORD style_of(HWND window);
DWORD ex_style_of(HWND window);

// Waiting and debugging --------------------------------------------------

// Polls condition every poll_ms until it holds (true) or timeout_ms passed
// (false).
bool wait_until(const std::function<bool()>& condition, DWORD timeout_ms = default_timeout_ms,
                DWORD poll_ms = 10);
// Writes the whole screen to a .bmp file.
bool screenshot(const std::string& path);
// A file's lines (empty when it cannot be read).
std::vector<std::string> read_lines(const std::string& path);
// The directory of the running test program (ends with a backslash), where
// the programs it drives are usually built.
std::string own_directory();
// A new empty directory under the system's temporary folder (ends with a
// backslash); the caller removes it.
std::string make_temporary_directory(const std::string& prefix);

} // namespace gui

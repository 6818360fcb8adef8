// How long each command of the main window takes, from the event to the
// window repainted, on documents of 1,000 and 1,000,000 paragraphs: the real
// window and its list boxes, in process. Each paragraph has about 100 bytes
// of text and three symbols, drawn from one distinct symbol per ten
// paragraphs; one symbol in 300 ends in "x", so that searching for "x" finds
// about 10,000 paragraphs at a million.
//
// Run by hand under Wine:
//   scripts/wine-run.sh <build>/bench/app/command_benchmark.exe [paragraphs...]
// (default: 1000 1000000). Prints the median of the rounds of each command,
// and the peak working set.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/list_box_lines.h"
#include "app/main_win.h"
#include "docfile/document_file.h"
#include "framework/choosers.h"
#include "framework/wk_app.h"

namespace {

using clock_type = std::chrono::steady_clock;

constexpr const char* document_path = "command_benchmark.html";
constexpr const char* saved_path = "command_benchmark_saved.html";
constexpr int rounds = 5;

double milliseconds_since(clock_type::time_point start) {
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

BOOL WINAPI choose_benchmark_document(LPOPENFILENAMEA record) {
    std::strcpy(record->lpstrFile, document_path);
    return TRUE;
}

BOOL WINAPI choose_saved_document(LPOPENFILENAMEA record) {
    std::strcpy(record->lpstrFile, saved_path);
    return TRUE;
}

// A prefix and a number (built by appending: GCC 12 misreads "..." + std::string as overlapping).
std::string numbered(const char* prefix, long long n) {
    return std::string(prefix).append(std::to_string(n));
}

std::string symbol_name(int i) {
    return numbered("s", i).append(i % 300 == 0 ? "x" : "");
}

// Written through the model and the document file, as a save would.
void write_document(int paragraphs) {
    const int distinct = std::max(1, paragraphs / 10);
    std::mt19937 random(19);
    Paragraph* first = nullptr;
    Paragraph** tail = &first;
    for (int i = 0; i < paragraphs; ++i) {
        auto* const p = new Paragraph;
        std::string text = numbered("Paragraph ", i).append(" of the benchmark document,");
        while (text.size() < 100) {
            text += numbered(" word", random() % 1000);
        }
        text_assign(p->text, text.c_str());
        for (int k = 0; k < 3; ++k) {
            link_symbol_after(*p, -1, new Text(symbol_name(static_cast<int>(random() % distinct)).c_str()));
        }
        *tail = p;
        tail = &p->next_paragraph;
    }
    Document document;
    replace_paragraphs(document, first);
    if (!save_document_file(document, document_path).ok()) {
        std::printf("cannot write %s\n", document_path);
        std::exit(1);
    }
}

// The document is written by another run of this program, so that the
// memory it takes to build it does not count in this one's peak.
long long write_document_elsewhere(int paragraphs) {
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string command =
        std::string("\"").append(program).append("\" --write ").append(std::to_string(paragraphs));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process) == FALSE) {
        std::printf("cannot start %s\n", command.c_str());
        std::exit(1);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(document_path, GetFileExInfoStandard, &data);
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

class bench_window {
  public:
    main_win window;

    void event(int kind, HWND control) {
        wk_event e{kind, reinterpret_cast<LPARAM>(control)};
        window.handle_event(&e);
    }
    void click(HWND button) { event(event_activate, button); }
    void select(HWND list, int line) {
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
        event(event_select, list);
    }
    void type(HWND edit, const std::string& text) {
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Waits until every pending repaint of the window and its controls is done.
    void repaint_now() {
        const HWND top = window.window_handle;
        run_on_gui_thread([top] { RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); });
    }
    int count(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }
};

struct measured {
    std::string command;
    double median_ms;
    std::string note;
};

// The median over `times` rounds of prepare (untimed), then command and the
// repaint (timed).
measured time_command(bench_window& b, const char* name, int times, const std::function<void()>& prepare,
                      const std::function<void()>& command, const std::function<std::string()>& note = {}) {
    std::vector<double> ms;
    for (int round = 0; round < times; ++round) {
        prepare();
        b.repaint_now();
        const auto start = clock_type::now();
        command();
        b.repaint_now();
        ms.push_back(milliseconds_since(start));
    }
    std::sort(ms.begin(), ms.end());
    return {name, ms[ms.size() / 2], note ? note() : ""};
}

// What the list box itself costs: the shown paragraphs' texts put into a
// list box of the bench's own, as the paragraph list is filled.
measured time_list_box_fill(bench_window& b) {
    std::vector<std::string> texts;
    const int count = b.count(b.window.all_paragraphs_list);
    texts.reserve(static_cast<std::size_t>(count));
    run_on_gui_thread([&] {
        for (int i = 0; i < count; ++i) {
            std::string text(static_cast<std::size_t>(SendMessageA(b.window.all_paragraphs_list,
                                                                   LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)),
                             '\0');
            SendMessageA(b.window.all_paragraphs_list, LB_GETTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(text.data()));
            texts.push_back(std::move(text));
        }
    });
    std::vector<const char*> lines;
    lines.reserve(texts.size());
    for (const std::string& text : texts) {
        lines.push_back(text.c_str());
    }
    const HWND box =
        request_create_window(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VSCROLL | LBS_NOTIFY, 0, 0, 195,
                              268, b.window.window_handle, nullptr, wk_instance.instance_handle);
    const auto start = clock_type::now();
    list_box_lines::show_whole(box, lines, list_box_lines::keep_place::no);
    const double ms = milliseconds_since(start);
    run_on_gui_thread([box] { DestroyWindow(box); });
    return {"(the list box's own fill, for comparison)", ms, std::to_string(lines.size()) + " lines"};
}

SIZE_T peak_working_set() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

void print(const std::vector<measured>& results) {
    for (const measured& m : results) {
        std::printf("  %-46s %10.1f ms  %s\n", m.command.c_str(), m.median_ms, m.note.c_str());
    }
    std::fflush(stdout);
}

// Every command once Open has shown the document; the window is the program's
// one window, used again for the next size.
void measure(bench_window& b, int paragraphs) {
    const long long file_bytes = write_document_elsewhere(paragraphs);
    std::vector<measured> results;
    {
        main_win& w = b.window;
        const auto nothing = [] {};
        const int middle = paragraphs / 2;
        active_chooser_calls().open_file_name = choose_benchmark_document;
        results.push_back(time_command(
            b, "Open file", 1, nothing, [&] { b.click(w.open_button); },
            [&] { return std::to_string(b.count(w.all_paragraphs_list)) + " lines"; }));
        const SIZE_T peak_after_open = peak_working_set();
        results.push_back(time_list_box_fill(b));

        results.push_back(time_command(b, "select a paragraph", rounds, nothing,
                                       [&] { b.select(w.all_paragraphs_list, middle); }));
        int round = 0;
        results.push_back(time_command(
            b, "Update paragraph", rounds,
            [&] { b.type(w.paragraph_edit, numbered("Updated text ", round++)); },
            [&] { b.click(w.update_button); }));
        results.push_back(time_command(
            b, "New paragraph after", rounds,
            [&] { SendMessageA(w.all_paragraphs_list, LB_SETCURSEL, middle, 0); },
            [&] { b.click(w.new_paragraph_button); }));
        results.push_back(time_command(
            b, "Link Symbol, a new symbol", rounds,
            [&] {
                SendMessageA(w.all_paragraphs_list, LB_SETCURSEL, middle, 0);
                b.type(w.symbol_edit, numbered("new symbol ", round++));
            },
            [&] { b.click(w.link_symbol_button); }));
        results.push_back(time_command(
            b, "Delete Symbol", rounds, [&] { SendMessageA(w.linked_symbols_list, LB_SETCURSEL, 0, 0); },
            [&] { b.click(w.delete_symbol_button); }));
        results.push_back(time_command(
            b, "select a symbol (its paragraphs)", rounds, nothing,
            [&] { b.select(w.all_symbols_list, b.count(w.all_symbols_list) / 2); },
            [&] { return std::to_string(b.count(w.result_list)) + " results"; }));
        results.push_back(time_command(
            b, "L&ink Symbol (the selected symbol)", rounds,
            [&] { SendMessageA(w.all_paragraphs_list, LB_SETCURSEL, middle, 0); },
            [&] { b.click(w.link_listed_symbol_button); }));
        results.push_back(time_command(b, "select a result line", rounds, nothing,
                                       [&] { b.select(w.result_list, b.count(w.result_list) - 1); }));
        results.push_back(time_command(
            b, "Cut", rounds, [&] { SendMessageA(w.all_paragraphs_list, LB_SETCURSEL, middle, 0); },
            [&] { b.click(w.cut_button); }));
        results.push_back(time_command(
            b, "Paste before", rounds, [&] { SendMessageA(w.all_paragraphs_list, LB_SETCURSEL, middle, 0); },
            [&] { b.click(w.paste_before_button); }));
        results.push_back(time_command(
            b, "Paste after", rounds, [&] { SendMessageA(w.all_paragraphs_list, LB_SETCURSEL, middle, 0); },
            [&] { b.click(w.paste_after_button); }));
        const std::string one_symbol = symbol_name(std::max(1, paragraphs / 10) / 2 + 1);
        results.push_back(time_command(
            b, "Search for one symbol's name", rounds, [&] { b.type(w.search_edit, one_symbol); },
            [&] { b.click(w.search_button); },
            [&] { return std::to_string(b.count(w.result_list)) + " results"; }));
        results.push_back(time_command(
            b, "Search with many results", rounds, [&] { b.type(w.search_edit, "x"); },
            [&] { b.click(w.search_button); },
            [&] { return std::to_string(b.count(w.result_list)) + " results"; }));
        active_chooser_calls().save_file_name = choose_saved_document;
        results.push_back(time_command(b, "Save file", 1, nothing, [&] { b.click(w.save_button); }));
        SendMessageA(w.all_paragraphs_list, LB_SETCURSEL, middle, 0);
        b.click(w.cut_button);
        b.repaint_now();
        std::printf(
            "\n%d paragraphs (file %.1f MB), peak working set after Open %.0f MB, after all %.0f MB\n",
            paragraphs, static_cast<double>(file_bytes) / 1e6, static_cast<double>(peak_after_open) / 1e6,
            static_cast<double>(peak_working_set()) / 1e6);
    }
    print(results);
    DeleteFileA(document_path);
    DeleteFileA(saved_path);
}

} // namespace

int application_main() {
    text_assign(wk_app.program_name, "Norvane command benchmark");
    if (__argc == 3 && std::strcmp(__argv[1], "--write") == 0) {
        write_document(std::atoi(__argv[2]));
        return 0;
    }
    std::vector<int> sizes;
    for (int i = 1; i < __argc; ++i) {
        sizes.push_back(std::atoi(__argv[i]));
    }
    if (sizes.empty()) {
        sizes = {1000, 1000000};
    }
    HWND top = nullptr;
    clock_type::time_point end_start;
    {
        bench_window b;
        set_title(b.window.window_handle);
        for (const int paragraphs : sizes) {
            measure(b, paragraphs);
        }
        top = b.window.window_handle;
        end_start = clock_type::now();
        b.window.leave_document_to_the_end(); // as the program does after E&xit
    }
    // What E&xit does after the last size's Cut: the window object goes with
    // the document, and the GUI thread closes the window with its lists.
    while (IsWindow(top)) {
        Sleep(1);
    }
    print({{"E&xit, after the last size's Cut", milliseconds_since(end_start), ""}});
    return 0;
}

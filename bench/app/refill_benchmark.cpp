// How long the main window takes to refill its lists: Update paragraph on
// documents of 1,000 and 5,000 paragraphs, and Open file on a document of
// 100,000 paragraphs, each done the program's way (the whole refill in one
// request to the GUI thread) against the one-entry-at-a-time refill (three
// cross-thread messages per entry), in the same run.
//
// Run by hand under Wine:  scripts/wine-run.sh <build>/bench/app/refill_benchmark.exe
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/main_win.h"
#include "docfile/document_file.h"
#include "framework/choosers.h"
#include "framework/wk_app.h"

namespace {

using clock_type = std::chrono::steady_clock;

constexpr int rows_up_to_newest = 12;
constexpr int list_box_capacity = 5000;
constexpr const char* document_path = "refill_benchmark.html";

double milliseconds_since(clock_type::time_point start) {
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

// The open chooser answers with the benchmark's document at once.
BOOL WINAPI choose_benchmark_document(LPOPENFILENAMEA record) {
    std::strcpy(record->lpstrFile, document_path);
    return TRUE;
}

// A document of `count` paragraphs, each with a short text and two symbols,
// written to the benchmark's file; the texts as the paragraph list shows them.
std::vector<std::string> write_document(int count) {
    Document document;
    std::vector<std::string> texts;
    for (int i = count - 1; i >= 0; --i) { // prepending keeps this linear
        auto* p = new Paragraph;
        text_assign(p->text, ("Paragraph " + std::to_string(i) + " of the benchmark document").c_str());
        text_list_append_element(p->symbols, new Text(("topic " + std::to_string(i % 500)).c_str()));
        text_list_append_element(p->symbols, new Text(("name " + std::to_string(i)).c_str()));
        paragraph_list_prepend(document, p);
    }
    for (const Paragraph* p = document.paragraphs; p != nullptr; p = p->next_paragraph) {
        texts.emplace_back(p->text.chars);
    }
    if (!save_document_file(document, document_path).ok()) {
        std::printf("cannot write %s\n", document_path);
    }
    return texts;
}

// The straightforward refill the program's one-request fill replaces: one
// entry at a time from this (the application) thread, three messages each.
void fill_entry_by_entry(HWND list_box, const std::vector<std::string>& entries) {
    SendMessageA(list_box, WM_SETREDRAW, FALSE, 0);
    const LRESULT top = SendMessageA(list_box, LB_GETTOPINDEX, 0, 0);
    const LRESULT selected = SendMessageA(list_box, LB_GETCURSEL, 0, 0);
    SendMessageA(list_box, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries) {
        SendMessageA(list_box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        const auto count = static_cast<int>(SendMessageA(list_box, LB_GETCOUNT, 0, 0));
        if (count > list_box_capacity) {
            SendMessageA(list_box, LB_DELETESTRING, 0, 0);
        }
        SendMessageA(list_box, LB_SETTOPINDEX, static_cast<WPARAM>(count - rows_up_to_newest), 0);
    }
    SendMessageA(list_box, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageA(list_box, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    SendMessageA(list_box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_box, nullptr, TRUE);
}

void click(main_win& window, HWND button) {
    wk_event event{event_activate, reinterpret_cast<LPARAM>(button)};
    window.handle_event(&event);
}

// Waits until every pending repaint of the window and its controls is done.
void repaint_now(main_win& window) {
    const HWND top = window.window_handle;
    run_on_gui_thread([top] { UpdateWindow(top); });
}

// Milliseconds per call of `update`, repainted, over `rounds` calls.
template <class F> double time_rounds(main_win& window, int rounds, F update) {
    const auto start = clock_type::now();
    for (int round = 0; round < rounds; ++round) {
        update();
        repaint_now(window);
    }
    return milliseconds_since(start) / rounds;
}

void measure_update(main_win& window, int paragraphs, int rounds) {
    const std::vector<std::string> texts = write_document(paragraphs);
    click(window, window.open_button);
    SendMessageA(window.all_paragraphs_list, LB_SETCURSEL, static_cast<WPARAM>(paragraphs / 2), 0);
    SendMessageA(window.paragraph_edit, WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(texts[paragraphs / 2].c_str()));
    repaint_now(window);

    const double one_request = time_rounds(window, rounds, [&] { click(window, window.update_button); });
    const double entry_by_entry =
        time_rounds(window, rounds, [&] { fill_entry_by_entry(window.all_paragraphs_list, texts); });
    std::printf("Update paragraph, %6d paragraphs: %9.1f ms one request, %9.1f ms paragraph list refilled "
                "entry by entry (%d rounds)\n",
                paragraphs, one_request, entry_by_entry, rounds);
    std::fflush(stdout);
}

void measure_open(main_win& window, int paragraphs) {
    const std::vector<std::string> texts = write_document(paragraphs);
    const double opened = time_rounds(window, 1, [&] { click(window, window.open_button); });

    Document document;
    auto start = clock_type::now();
    load_document_file(document, document_path);
    const double load_only = milliseconds_since(start);

    const double entry_by_entry =
        time_rounds(window, 1, [&] { fill_entry_by_entry(window.all_paragraphs_list, texts); });
    std::printf("Open file, %6d paragraphs: %9.1f ms read and shown; reading the file alone %.1f ms; "
                "paragraph list refilled entry by entry %.1f ms\n",
                paragraphs, opened, load_only, entry_by_entry);
    std::fflush(stdout);
}

} // namespace

int application_main() {
    text_assign(wk_app.program_name, "Norvane refill benchmark");
    active_chooser_calls().open_file_name = choose_benchmark_document;
    {
        main_win window;
        set_title(window.window_handle);
        measure_update(window, 1000, 20);
        measure_update(window, 5000, 5);
        measure_open(window, 100000);
    }
    DeleteFileA(document_path);
    return 0;
}

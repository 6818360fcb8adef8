// How long the main window takes to refill its lists: Update paragraph on
// documents of 1,000 and 5,000 paragraphs, and showing a freshly loaded
// document of 100,000 paragraphs, each done the program's way (the whole
// refill in one request to the GUI thread) and the one-entry-at-a-time way
// (three cross-thread messages per entry), in the same run.
//
// Run by hand under Wine:  scripts/wine-run.sh <build>/bench/app/refill_benchmark.exe
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/list_entries.h"
#include "app/main_win.h"
#include "docfile/document_file.h"
#include "framework/controls.h"
#include "framework/wk_app.h"

namespace {

using clock_type = std::chrono::steady_clock;

double milliseconds_since(clock_type::time_point start) {
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

// A document of `count` paragraphs, each with a short text and two symbols.
void make_document(Document& document, int count) {
    paragraph_list_clear(document);
    for (int i = count - 1; i >= 0; --i) { // prepending keeps this linear
        auto* p = new Paragraph;
        text_assign(p->text, ("Paragraph " + std::to_string(i) + " of the benchmark document").c_str());
        text_list_append_element(p->symbols, new Text(("topic " + std::to_string(i % 500)).c_str()));
        text_list_append_element(p->symbols, new Text(("name " + std::to_string(i)).c_str()));
        paragraph_list_prepend(document, p);
    }
}

// Waits until every pending repaint of the window and its controls is done.
void repaint_now(main_win& window) {
    const HWND top = window.window_handle;
    run_on_gui_thread([top] { UpdateWindow(top); });
}

// Update paragraph with every list refilled one entry at a time, each step a
// message from this (the application) thread to the GUI thread.
void update_paragraph_entry_by_entry(main_win& window) {
    Paragraph* paragraph = paragraph_at(window.document, selected_position(window.paragraph_entries));
    if (paragraph == nullptr) {
        return;
    }
    read_control_text(window.paragraph_edit, paragraph->text);
    fill_list_box_entry_by_entry(window.all_paragraphs_list, entry_texts(window.document.paragraphs),
                                 keep_place::yes);
    SetWindowTextA(window.paragraph_edit, "");
    SetWindowTextA(window.paragraph_edit, paragraph->text.chars);
    fill_list_box_entry_by_entry(window.linked_symbols_list, entry_texts(paragraph->symbols), keep_place::no);
    SendMessageA(window.result_list, LB_RESETCONTENT, 0, 0);
}

// Milliseconds per call of `update`, repainted, over `rounds` calls.
template <class F> double time_updates(main_win& window, int rounds, F update) {
    const auto start = clock_type::now();
    for (int round = 0; round < rounds; ++round) {
        SetWindowTextA(window.paragraph_edit, ("updated text, round " + std::to_string(round)).c_str());
        update();
        repaint_now(window);
    }
    return milliseconds_since(start) / rounds;
}

void measure_update(main_win& window, int paragraphs, int rounds) {
    make_document(window.document, paragraphs);
    window.fill_paragraph_list();
    select_position(window.paragraph_entries, paragraphs / 2);
    window.show_selected_paragraph(true);
    window.fill_all_symbol_list();
    repaint_now(window);

    const double one_request = time_updates(window, rounds, [&] { window.update_paragraph(); });
    const double entry_by_entry =
        time_updates(window, rounds, [&] { update_paragraph_entry_by_entry(window); });
    std::printf(
        "Update paragraph, %6d paragraphs: %9.1f ms one request, %9.1f ms entry by entry (%d rounds)\n",
        paragraphs, one_request, entry_by_entry, rounds);
    std::fflush(stdout);
}

void measure_fresh_load(main_win& window, int paragraphs) {
    make_document(window.document, paragraphs);
    const std::string path = "refill_benchmark.html";
    std::string error;
    if (!save_document_file(window.document, path.c_str(), error)) {
        std::printf("cannot write %s: %s\n", path.c_str(), error.c_str());
        return;
    }
    paragraph_list_clear(window.document);
    window.fill_paragraph_list();
    window.fill_all_symbol_list();
    repaint_now(window);

    // The program's way: Open file's load and refresh.
    text_assign(window.document.file_name, path.c_str());
    auto start = clock_type::now();
    window.load_document();
    repaint_now(window);
    const double shown = milliseconds_since(start);

    // The same refresh one entry at a time (loading the file again first, untimed).
    std::string report;
    load_document_file(window.document, path.c_str(), report);
    start = clock_type::now();
    fill_list_box_entry_by_entry(window.all_paragraphs_list, entry_texts(window.document.paragraphs),
                                 keep_place::yes);
    window.show_selected_paragraph(true);
    rebuild_all_symbols(window.document);
    fill_list_box_entry_by_entry(window.all_symbols_list, entry_texts(window.document.all_symbols),
                                 keep_place::no);
    repaint_now(window);
    const double entry_by_entry = milliseconds_since(start);

    // Loading alone (the parse), for reference.
    start = clock_type::now();
    load_document_file(window.document, path.c_str(), report);
    const double load_only = milliseconds_since(start);

    std::printf("Fresh load, %6d paragraphs: %9.1f ms read and shown; reading the file alone %.1f ms; lists "
                "refilled entry by entry %.1f ms\n",
                paragraphs, shown, load_only, entry_by_entry);
    std::fflush(stdout);
    DeleteFileA(path.c_str());
}

} // namespace

int application_main() {
    text_assign(wk_app.program_name, "Norvane refill benchmark");
    main_win window;
    set_title(window.window_handle);
    measure_update(window, 1000, 20);
    measure_update(window, 5000, 5);
    measure_fresh_load(window, 100000);
    return 0;
}

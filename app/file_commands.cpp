// Open file and Save file: the choosers, then the document file.
#include <string>

#include "app/main_win.h"
#include "docfile/document_file.h"
#include "framework/choosers.h"

void main_win::open_file() {
    if (choose_open_file(*this, document.file_name) == file_chosen) {
        load_document();
    }
}

void main_win::save_file() {
    if (choose_save_file(*this, document.file_name) == file_chosen) {
        save_document();
    }
}

// A file that cannot be written is reported; the document stays as it is.
void main_win::save_document() {
    std::string error;
    if (save_document_file(document, document.file_name.chars, error)) {
        return;
    }
    const std::string message = "Norvane could not save the document to \"" +
                                std::string(document.file_name.chars) + "\":\n" + error +
                                "\nThe document is unchanged.";
    show_error_box(window_handle, message.c_str());
}

// The old document is replaced in every case (by an empty one when nothing
// could be loaded); what the loader had to say is shown as well.
void main_win::load_document() {
    std::string report;
    const bool loaded = load_document_file(document, document.file_name.chars, report);
    fill_paragraph_list();
    show_selected_paragraph(true);
    fill_all_symbol_list();
    if (loaded && report.empty()) {
        return;
    }
    std::string message = report;
    if (message.empty()) {
        message = "Norvane could not load \"" + std::string(document.file_name.chars) + "\".";
    }
    show_error_box(window_handle, message.c_str());
}

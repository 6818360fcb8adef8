// What the main window's boxes say: every word the user reads in a box is
// chosen here, from the outcome of what went wrong.
#pragma once

#include <string>

#include "docfile/document_file.h"

struct box_message {
    enum class box_kind { none, error, warning } kind = box_kind::none;
    std::string text;
};

// Said when memory ran out during a command.
box_message out_of_memory_box();
// Said after a save; nothing when it worked.
box_message save_box(const FileStatus& status, const char* path);
// Said after a load (but for running out of memory); nothing when it was clean.
box_message load_box(const LoadOutcome& outcome, const char* path);

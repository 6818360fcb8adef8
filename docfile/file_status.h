// How reading or writing a file ended, in terms the user can be told: what
// kind of problem there was, and the system's own words when no plainer ones
// fit. The words themselves are the window's to choose.
#pragma once

#include <string>

enum class FileProblem {
    none,
    no_name,       // no file name was given
    not_found,     // the file (for reading) or its folder (for writing) does not exist
    access_denied, // also a read-only file or medium
    in_use,        // another program holds the file
    is_folder,     // a folder has that name
    disk_full,     // also a size limit
    name_too_long,
    out_of_memory,
    other, // see system_text
};

struct FileStatus {
    FileProblem problem = FileProblem::none;
    std::string system_text; // the system's words for an `other` problem

    bool ok() const { return problem == FileProblem::none; }
};

#include "docfile/temporary_name.h"

#include <cstdio>

std::string temporary_name_next_to(const std::string& path, unsigned long process_id, int attempt) {
    // The folder part ends at the last separator, or after a drive letter ("C:doc.html").
    std::size_t folder_length = path.find_last_of("/\\");
    if (folder_length != std::string::npos) {
        ++folder_length;
    } else if (path.size() >= 2 && path[1] == ':') {
        folder_length = 2;
    } else {
        folder_length = 0;
    }
    char name[32];
    std::snprintf(name, sizeof name, "~nv%lx-%x.tmp", process_id & 0xffffu, static_cast<unsigned>(attempt));
    return path.substr(0, folder_length) + name;
}

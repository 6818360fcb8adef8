// Writing a file so that a failure never destroys the file that was there.
#pragma once

#include <string>
#include <string_view>

// Writes bytes to a new temporary file in path's folder, flushes it to the
// disk and only then puts it in place of path. On failure returns false with
// a reason for the user in error; path is then as it was (missing or with its
// old bytes) and the temporary file is removed.
bool write_file_replacing(const char* path, std::string_view bytes, std::string& error);

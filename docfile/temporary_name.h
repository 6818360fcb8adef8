// Names for the temporary file that a save writes before it replaces the target.
#pragma once

#include <string>

// A short file name in the same folder as path (so that the final rename
// stays within one file system), different for each process and attempt.
// Short, so that it fits wherever the target's own name fits: the target
// may be near the system's path-length limit.
std::string temporary_name_next_to(const std::string& path, unsigned long process_id, int attempt);

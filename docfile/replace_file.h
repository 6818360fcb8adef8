// Writing a file so that a failure never destroys the file that was there,
// and the platform's file calls behind it.
#pragma once

#include "docfile/byte_sink.h"
#include "docfile/file_status.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Creates a new temporary file in path's folder, has write_content write the
// file's bytes to it through the sink it is given, flushes it to the disk and
// only then puts it in place of path; a replaced file keeps its permissions.
// The first write that fails is the failure, and the sink refuses everything
// after it. On failure the status says why; path is then as it was (missing
// or with its old bytes) and the temporary file is removed. Out of memory
// (std::bad_alloc, also from write_content) it throws, also with path as it
// was and no temporary file.
FileStatus write_file_replacing(const char* path, const std::function<void(ByteSink&)>& write_content);

// A short file name in the same folder as path (so that the final rename
// stays within one file system), different for each process and attempt.
// Short, so that it fits wherever the target's own name fits: the target
// may be near the system's path-length limit.
std::string temporary_name_next_to(const std::string& path, unsigned long process_id, int attempt);

// The platform's file calls that write_file_replacing is made of, one
// implementation per platform. Calls that can fail return no_error or the
// system's own error code.
namespace platform_file {

using ErrorCode = unsigned long;
using Handle = std::intptr_t;
constexpr ErrorCode no_error = 0;
constexpr Handle no_handle = -1;

// Creates name for writing; fails (already_exists) when it is taken.
ErrorCode create_new(const std::string& name, Handle& file);
bool already_exists(ErrorCode code);
ErrorCode write_all(Handle file, std::string_view bytes);
ErrorCode flush(Handle file);
ErrorCode close(Handle file);
// Gives the closed file to_name the permissions of from_name, when that is a
// file; nothing otherwise.
void copy_permissions(const std::string& from_name, const std::string& to_name);
// Puts from_name in place of to_name, replacing it atomically, durably.
ErrorCode rename_over(const std::string& from_name, const std::string& to_name);
void remove(const std::string& name);
unsigned long process_id();
// Why a file could not be opened for reading: no_error when it can be.
ErrorCode open_to_read(const std::string& name);
// What kind of problem the code means; the system's own text for the others.
FileStatus status_of(ErrorCode code);

} // namespace platform_file

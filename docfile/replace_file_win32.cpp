// The file calls of a safe save on Win32.
#include "docfile/replace_file.h"

#include <windows.h>

namespace platform_file {

namespace {

// WriteFile takes at most a DWORD per call; stay well below it.
constexpr DWORD largest_write = 0x10000000;

// Attributes a replaced file keeps; read-only is not among them, as the
// replacement fails on a read-only file anyway.
constexpr DWORD kept_attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

ErrorCode last_error() {
    return GetLastError();
}

HANDLE handle_of(Handle file) {
    return reinterpret_cast<HANDLE>(file);
}

// The system's text for an error code, without its line end and final period.
std::string system_message(DWORD code) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string message = length != 0 && buffer != nullptr ? std::string(buffer, length) : std::string();
    LocalFree(buffer);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ' ||
                                message.back() == '.')) {
        message.pop_back();
    }
    if (message.empty()) {
        message = "error " + std::to_string(code);
    }
    return message;
}

} // namespace

ErrorCode create_new(const std::string& name, Handle& file) {
    const HANDLE handle =
        CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return last_error();
    }
    file = reinterpret_cast<Handle>(handle);
    return no_error;
}

bool already_exists(ErrorCode code) {
    return code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS;
}

ErrorCode write_all(Handle file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > largest_write ? largest_write : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(handle_of(file), bytes.data(), chunk, &written, nullptr)) {
            return last_error();
        }
        if (written == 0) {
            return ERROR_WRITE_FAULT;
        }
        bytes.remove_prefix(written);
    }
    return no_error;
}

ErrorCode flush(Handle file) {
    return FlushFileBuffers(handle_of(file)) ? no_error : last_error();
}

ErrorCode close(Handle file) {
    return CloseHandle(handle_of(file)) ? no_error : last_error();
}

void copy_permissions(const std::string& from_name, const std::string& to_name) {
    const DWORD attributes = GetFileAttributesA(from_name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return;
    }
    if ((attributes & kept_attributes) != 0) {
        SetFileAttributesA(to_name.c_str(), attributes & kept_attributes);
    }
}

ErrorCode rename_over(const std::string& from_name, const std::string& to_name) {
    if (!MoveFileExA(from_name.c_str(), to_name.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return last_error();
    }
    return no_error;
}

void remove(const std::string& name) {
    DeleteFileA(name.c_str());
}

unsigned long process_id() {
    return GetCurrentProcessId();
}

ErrorCode open_to_read(const std::string& name) {
    // CreateFile opens a folder only for backup; say what it is instead.
    const DWORD attributes = GetFileAttributesA(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return ERROR_DIRECTORY;
    }
    // Shared as the C library's reading shares it.
    const HANDLE handle = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return last_error();
    }
    CloseHandle(handle);
    return no_error;
}

FileStatus status_of(ErrorCode code) {
    switch (code) {
    case no_error:
        return {};
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return {FileProblem::not_found, {}};
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return {FileProblem::access_denied, {}};
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return {FileProblem::in_use, {}};
    case ERROR_DIRECTORY:
        return {FileProblem::is_folder, {}};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return {FileProblem::disk_full, {}};
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return {FileProblem::out_of_memory, {}};
    case ERROR_FILENAME_EXCED_RANGE:
        return {FileProblem::name_too_long, {}};
    default:
        return {FileProblem::other, system_message(static_cast<DWORD>(code))};
    }
}

} // namespace platform_file

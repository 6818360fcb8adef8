#include "docfile/replace_file.h"

#include "docfile/temporary_name.h"

#include <windows.h>

#include <string>

namespace {

// The system's text for an error code, without its line end.
std::string system_message(DWORD code) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string message = length != 0 && buffer != nullptr ? std::string(buffer, length) : std::string();
    LocalFree(buffer);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
        message.pop_back();
    }
    if (message.empty()) {
        message = "error " + std::to_string(code);
    }
    return message;
}

// Closes the handle and deletes the temporary file unless kept.
class TemporaryFile {
  public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
        if (!name_.empty()) {
            DeleteFileA(name_.c_str());
        }
    }

    // Creates a new file next to path; false (last error set) when none can be made.
    bool create_next_to(const std::string& path) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = temporary_name_next_to(path, GetCurrentProcessId(), attempt);
            handle_ = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
            if (handle_ != INVALID_HANDLE_VALUE) {
                name_ = std::move(name);
                return true;
            }
            const DWORD code = GetLastError();
            if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) {
                return false;
            }
        }
        return false;
    }

    bool write_all(std::string_view bytes) {
        while (!bytes.empty()) {
            const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
            DWORD written = 0;
            if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr)) {
                return false;
            }
            if (written == 0) {
                SetLastError(ERROR_WRITE_FAULT);
                return false;
            }
            bytes.remove_prefix(written);
        }
        return true;
    }

    bool flush_and_close() {
        const bool flushed = FlushFileBuffers(handle_) != 0;
        const DWORD code = GetLastError();
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        if (!flushed) {
            SetLastError(code);
        }
        return flushed && closed;
    }

    bool move_to(const std::string& path) {
        if (!MoveFileExA(name_.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return false;
        }
        name_.clear(); // it is the target now
        return true;
    }

  private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::string name_;
};

bool fail(std::string& error, const std::string& path) {
    error = "Cannot save '" + path + "': " + system_message(GetLastError());
    return false;
}

} // namespace

bool write_file_replacing(const char* path, std::string_view bytes, std::string& error) {
    error.clear();
    const std::string target = path != nullptr ? path : "";
    if (target.empty()) {
        error = "No file name was given.";
        return false;
    }
    TemporaryFile temporary;
    if (!temporary.create_next_to(target)) {
        return fail(error, target);
    }
    if (!temporary.write_all(bytes)) {
        return fail(error, target);
    }
    if (!temporary.flush_and_close()) {
        return fail(error, target);
    }
    if (!temporary.move_to(target)) {
        return fail(error, target);
    }
    return true;
}

#include "docfile/replace_file.h"

#include <cstdio>

namespace {

// Another process saving into the same folder may hold a name: try the next.
constexpr int temporary_name_attempts = 100;

// Writes to the file until a write fails, and keeps why.
class FileSink final : public ByteSink {
  public:
    explicit FileSink(platform_file::Handle file) : file_(file) {}

    bool write(std::string_view bytes) override {
        if (code_ == platform_file::no_error) {
            code_ = platform_file::write_all(file_, bytes);
        }
        return code_ == platform_file::no_error;
    }
    platform_file::ErrorCode code() const { return code_; }

  private:
    platform_file::Handle file_;
    platform_file::ErrorCode code_ = platform_file::no_error;
};

// The temporary file: closed and removed on every way out unless it was put
// in place of the target.
class TemporaryFile {
  public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (handle_ != platform_file::no_handle) {
            platform_file::close(handle_);
        }
        if (!name_.empty()) {
            platform_file::remove(name_);
        }
    }

    platform_file::ErrorCode create_next_to(const std::string& path) {
        platform_file::ErrorCode code = platform_file::no_error;
        for (int attempt = 0; attempt < temporary_name_attempts; ++attempt) {
            std::string name = temporary_name_next_to(path, platform_file::process_id(), attempt);
            code = platform_file::create_new(name, handle_);
            if (code == platform_file::no_error) {
                name_ = std::move(name);
                return code;
            }
            if (!platform_file::already_exists(code)) {
                return code;
            }
        }
        return code;
    }

    platform_file::ErrorCode write(const std::function<void(ByteSink&)>& write_content) const {
        FileSink sink(handle_);
        write_content(sink);
        return sink.code();
    }

    platform_file::ErrorCode flush_and_close() {
        const platform_file::ErrorCode flushed = platform_file::flush(handle_);
        const platform_file::ErrorCode closed = platform_file::close(handle_);
        handle_ = platform_file::no_handle;
        return flushed != platform_file::no_error ? flushed : closed;
    }

    platform_file::ErrorCode replace(const std::string& path) {
        platform_file::copy_permissions(path, name_);
        const platform_file::ErrorCode code = platform_file::rename_over(name_, path);
        if (code == platform_file::no_error) {
            name_.clear(); // it is the target now
        }
        return code;
    }

  private:
    platform_file::Handle handle_ = platform_file::no_handle;
    std::string name_;
};

platform_file::ErrorCode write_through_temporary(const std::string& path,
                                                 const std::function<void(ByteSink&)>& write_content) {
    TemporaryFile temporary;
    platform_file::ErrorCode code = temporary.create_next_to(path);
    if (code == platform_file::no_error) {
        code = temporary.write(write_content);
    }
    if (code == platform_file::no_error) {
        code = temporary.flush_and_close();
    }
    if (code == platform_file::no_error) {
        code = temporary.replace(path);
    }
    return code;
}

} // namespace

FileStatus write_file_replacing(const char* path, const std::function<void(ByteSink&)>& write_content) {
    const std::string target = path != nullptr ? path : "";
    if (target.empty()) {
        return {FileProblem::no_name, {}};
    }
    return platform_file::status_of(write_through_temporary(target, write_content));
}

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

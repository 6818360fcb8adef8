#include "docfile/replace_file.h"

#include "docfile/temporary_name.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor and removes the temporary file unless kept.
class TemporaryFile {
  public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!name_.empty()) {
            ::unlink(name_.c_str());
        }
    }

    // Creates a new file next to path; false (errno set) when none can be made.
    bool create_next_to(const std::string& path, mode_t mode) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = temporary_name_next_to(path, static_cast<unsigned long>(::getpid()), attempt);
            fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            if (fd_ >= 0) {
                name_ = std::move(name);
                return true;
            }
            if (errno != EEXIST) {
                return false;
            }
        }
        return false;
    }

    bool write_all(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }

    bool flush_and_close() {
        const bool flushed = ::fsync(fd_) == 0;
        const int saved_errno = errno;
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        if (!flushed) {
            errno = saved_errno;
        }
        return flushed && closed;
    }

    bool rename_to(const std::string& path) {
        if (::rename(name_.c_str(), path.c_str()) != 0) {
            return false;
        }
        name_.clear(); // it is the target now
        return true;
    }

    void set_mode(mode_t mode) { ::fchmod(fd_, mode); }

  private:
    int fd_ = -1;
    std::string name_;
};

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable; a failure here loses nothing already written.
void flush_folder(const std::string& path) {
    const int fd = ::open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    ::fsync(fd);
    ::close(fd);
}

bool fail(std::string& error, const std::string& path) {
    error = "Cannot save '" + path + "': " + std::strerror(errno);
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
    if (!temporary.create_next_to(target, 0666)) {
        return fail(error, target);
    }
    // A file that is replaced keeps its permissions.
    struct stat old_file {};
    if (::stat(target.c_str(), &old_file) == 0 && S_ISREG(old_file.st_mode)) {
        temporary.set_mode(old_file.st_mode & 07777);
    }
    if (!temporary.write_all(bytes)) {
        return fail(error, target);
    }
    if (!temporary.flush_and_close()) {
        return fail(error, target);
    }
    if (!temporary.rename_to(target)) {
        return fail(error, target);
    }
    flush_folder(target);
    return true;
}

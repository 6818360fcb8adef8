// The file calls of a safe save on POSIX systems.
#include "docfile/replace_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform_file {

namespace {

ErrorCode last_error() {
    return static_cast<ErrorCode>(errno);
}

int descriptor(Handle file) {
    return static_cast<int>(file);
}

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a rename durable; a failure here loses nothing already written.
void flush_folder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    ::fsync(fd);
    ::close(fd);
}

} // namespace

ErrorCode create_new(const std::string& name, Handle& file) {
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return last_error();
    }
    file = fd;
    return no_error;
}

bool already_exists(ErrorCode code) {
    return code == EEXIST;
}

ErrorCode write_all(Handle file, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(descriptor(file), bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return last_error();
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return no_error;
}

ErrorCode flush(Handle file) {
    return ::fsync(descriptor(file)) == 0 ? no_error : last_error();
}

ErrorCode close(Handle file) {
    return ::close(descriptor(file)) == 0 ? no_error : last_error();
}

void copy_permissions(const std::string& from_name, const std::string& to_name) {
    struct stat old_file {};
    if (::stat(from_name.c_str(), &old_file) == 0 && S_ISREG(old_file.st_mode)) {
        ::chmod(to_name.c_str(), old_file.st_mode & 07777);
    }
}

ErrorCode rename_over(const std::string& from_name, const std::string& to_name) {
    // Found first: once the file is replaced, nothing may fail for want of memory.
    const std::string folder = folder_of(to_name);
    if (::rename(from_name.c_str(), to_name.c_str()) != 0) {
        return last_error();
    }
    flush_folder(folder);
    return no_error;
}

void remove(const std::string& name) {
    ::unlink(name.c_str());
}

unsigned long process_id() {
    return static_cast<unsigned long>(::getpid());
}

ErrorCode open_to_read(const std::string& name) {
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return last_error();
    }
    struct stat info {};
    const bool folder = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    ::close(fd);
    return folder ? EISDIR : no_error;
}

FileStatus status_of(ErrorCode code) {
    switch (code) {
    case no_error:
        return {};
    case ENOENT:
    case ENOTDIR:
        return {FileProblem::not_found, {}};
    case EACCES:
    case EPERM:
    case EROFS:
        return {FileProblem::access_denied, {}};
    case ETXTBSY:
        return {FileProblem::in_use, {}};
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return {FileProblem::disk_full, {}};
    case ENOMEM:
        return {FileProblem::out_of_memory, {}};
    case EISDIR:
        return {FileProblem::is_folder, {}};
    case ENAMETOOLONG:
        return {FileProblem::name_too_long, {}};
    default:
        return {FileProblem::other, std::strerror(static_cast<int>(code))};
    }
}

} // namespace platform_file

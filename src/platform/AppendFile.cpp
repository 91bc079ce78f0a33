#include "platform/AppendFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FileSystem.h"
#include "platform/NativeText.h"

namespace quirnel {

AppendFile::~AppendFile() {
    if (fd_ >= 0) ::close(fd_);
}

Result AppendFile::create(const std::u16string& path) {
    if (fd_ >= 0) return Result(EBUSY);
    if (Result folders = CreateParentFolders(path); !folders) return folders;
    fd_ = open(ToNative(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0600);
    return Result(fd_ >= 0 ? 0 : errno);
}

Result AppendFile::openExisting(const std::u16string& path) {
    if (fd_ >= 0) return Result(EBUSY);
    // Never a link, and never waiting on a FIFO (which would open only once
    // a reader came): a regular file or nothing.
    fd_ = open(ToNative(path).c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd_ < 0) return Result(errno == ELOOP || errno == ENXIO ? EINVAL : errno);
    struct stat st;
    int e = fstat(fd_, &st) != 0 ? errno : S_ISREG(st.st_mode) ? 0 : EINVAL;
    if (e != 0) (void)close();
    return Result(e);
}

Result AppendFile::lock() {
    if (fd_ < 0) return Result(EBADF);
    if (flock(fd_, LOCK_EX | LOCK_NB) == 0) return {};
    return Result(errno == EWOULDBLOCK ? EBUSY : errno);
}

bool IsFileLocked(const std::u16string& path) {
    const int fd = open(ToNative(path).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return false;
    const bool locked = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return locked;
}

Result AppendFile::cutTo(uint64_t size) {
    if (fd_ < 0) return Result(EBADF);
    return Result(ftruncate(fd_, static_cast<off_t>(size)) == 0 ? 0 : errno);
}

Result AppendFile::append(std::string_view bytes) {
    if (fd_ < 0) return Result(EBADF);
    while (!bytes.empty()) {
        ssize_t n = write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return Result(errno);
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return {};
}

Result AppendFile::sync() {
    if (fd_ < 0) return Result(EBADF);
    return Result(fdatasync(fd_) == 0 ? 0 : errno);
}

Result AppendFile::close() {
    if (fd_ < 0) return {};
    int r = ::close(fd_);
    fd_ = -1;
    return Result(r == 0 ? 0 : errno);
}

Result RemoveFile(const std::u16string& path) { return Result(unlink(ToNative(path).c_str()) == 0 ? 0 : errno); }

}  // namespace quirnel

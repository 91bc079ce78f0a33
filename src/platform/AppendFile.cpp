#include "platform/AppendFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FileSystem.h"
#include "platform/NativeText.h"

namespace quirnel {

AppendFile::~AppendFile() {
    if (fd_ >= 0) close(fd_);
}

int AppendFile::Create(const std::u16string& path) {
    if (fd_ >= 0) return EBUSY;
    if (!CreateParentFolders(path)) return errno ? errno : ENOENT;
    fd_ = open(ToNative(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0600);
    return fd_ >= 0 ? 0 : errno;
}

int AppendFile::OpenExisting(const std::u16string& path) {
    if (fd_ >= 0) return EBUSY;
    fd_ = open(ToNative(path).c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW);
    return fd_ >= 0 ? 0 : errno;
}

int AppendFile::Append(std::string_view bytes) {
    if (fd_ < 0) return EBADF;
    while (!bytes.empty()) {
        ssize_t n = write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

int AppendFile::Sync() {
    if (fd_ < 0) return EBADF;
    return fdatasync(fd_) == 0 ? 0 : errno;
}

int AppendFile::Close() {
    if (fd_ < 0) return 0;
    int r = close(fd_);
    fd_ = -1;
    return r == 0 ? 0 : errno;
}

int RemoveFile(const std::u16string& path) { return unlink(ToNative(path).c_str()) == 0 ? 0 : errno; }

}  // namespace quirnel

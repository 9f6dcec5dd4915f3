#include "base/dbf/file_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace arkona::dbf {

FileHandle& FileHandle::operator=(FileHandle&& o) noexcept {
    if (this != &o) {
        close();
        fd_ = o.fd_;
        o.fd_ = -1;
    }
    return *this;
}

FileHandle::~FileHandle() {
    close();
}

bool FileHandle::open(const std::filesystem::path& file, bool writable, bool create) {
    close();
    int flags = (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC;
    if (create) {
        flags |= O_CREAT | O_TRUNC;
    }
    fd_ = ::open(file.c_str(), flags, 0644);
    error_ = fd_ < 0 ? errno : 0;
    if (fd_ >= 0) {
        struct stat st {};
        if (fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
            close();
            error_ = EISDIR;
        }
    }
    return fd_ >= 0;
}

bool FileHandle::lock(Lock kind) {
    if (kind == Lock::None) {
        return true;
    }
    const int op = (kind == Lock::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    while (flock(fd_, op) != 0) {
        if (errno != EINTR) {
            error_ = errno;
            return false;
        }
    }
    return true;
}

namespace {

void setHeaderLock(int fd, short type) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 32;
#ifdef F_OFD_SETLKW
    const int command = F_OFD_SETLKW;
#else
    const int command = F_SETLKW; // per process only; no other platform needs more today
#endif
    while (fcntl(fd, command, &range) != 0) {
        if (errno != EINTR) {
            throw std::system_error(errno, std::generic_category());
        }
    }
}

} // namespace

void FileHandle::lockHeader(bool write) {
    setHeaderLock(fd_, write ? F_WRLCK : F_RDLCK);
}

void FileHandle::unlockHeader() {
    setHeaderLock(fd_, F_UNLCK);
}

bool FileHandle::isSameFileAs(const std::filesystem::path& file) const {
    struct stat mine {};
    struct stat named {};
    if (fstat(fd_, &mine) != 0 || ::stat(file.c_str(), &named) != 0) {
        return false;
    }
    return mine.st_dev == named.st_dev && mine.st_ino == named.st_ino;
}

std::uint64_t FileHandle::size() const {
    struct stat st {};
    if (fstat(fd_, &st) != 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(st.st_size);
}

size_t FileHandle::readAt(std::uint64_t offset, char* buffer, size_t length) const {
    size_t done = 0;
    while (done < length) {
        const ssize_t n =
            pread(fd_, buffer + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw std::system_error(errno, std::generic_category());
        }
        if (n == 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    return done;
}

std::string FileHandle::readAt(std::uint64_t offset, size_t length) const {
    std::string bytes(length, '\0');
    bytes.resize(readAt(offset, bytes.data(), length));
    return bytes;
}

void FileHandle::writeAt(std::uint64_t offset, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = pwrite(fd_, bytes.data() + done, bytes.size() - done,
                                 static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw std::system_error(errno, std::generic_category());
        }
        done += static_cast<size_t>(n);
    }
}

void FileHandle::truncate(std::uint64_t size) {
    if (ftruncate(fd_, static_cast<off_t>(size)) != 0) {
        throw std::system_error(errno, std::generic_category());
    }
}

void FileHandle::sync() {
    if (fd_ >= 0 && fsync(fd_) != 0) {
        throw std::system_error(errno, std::generic_category());
    }
}

void FileHandle::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

std::string describeErrno(int error) {
    switch (error) {
    case ENOENT:
        return "soubor neexistuje";
    case EACCES:
    case EPERM:
        return "přístup k souboru byl odepřen";
    case EROFS:
        return "médium je určeno jen pro čtení";
    case ENOSPC:
        return "na disku není dost místa";
    case EISDIR:
        return "jde o složku, ne o soubor";
    case ENOTDIR:
        return "cesta k souboru neexistuje";
    default:
        return std::strerror(error);
    }
}

void syncFolder(const std::filesystem::path& folder) {
    const int dir =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        ::close(dir);
    }
}

void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::filesystem::rename(from, to);
    syncFolder(to.parent_path());
}

} // namespace arkona::dbf

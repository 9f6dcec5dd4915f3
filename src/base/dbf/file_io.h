#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace arkona::dbf {

// A POSIX file descriptor with positioned reads and writes and an advisory lock.
class FileHandle {
public:
    enum class Lock { None, Shared, Exclusive };

    FileHandle() = default;
    FileHandle(FileHandle&& o) noexcept : fd_(o.fd_) { o.fd_ = -1; }
    FileHandle& operator=(FileHandle&& o) noexcept;
    ~FileHandle();

    // Returns false and sets `error` (errno) when the file cannot be opened.
    bool open(const std::filesystem::path& file, bool writable, bool create = false);
    // Non-blocking; false when another holder conflicts.
    bool lock(Lock kind);
    bool isOpen() const { return fd_ >= 0; }
    int error() const { return error_; }

    std::uint64_t size() const;
    // Reads up to `length` bytes at `offset`; returns fewer only at the end of the file.
    size_t readAt(std::uint64_t offset, char* buffer, size_t length) const;
    std::string readAt(std::uint64_t offset, size_t length) const;
    // Throws std::system_error on a failed write.
    void writeAt(std::uint64_t offset, std::string_view bytes);
    void truncate(std::uint64_t size);
    void sync();
    void close();

private:
    int fd_ = -1;
    int error_ = 0;
};

// Czech text of an errno value for messages.
std::string describeErrno(int error);

// Renames `from` over `to`, syncing the folder so the new name survives a crash.
void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace arkona::dbf

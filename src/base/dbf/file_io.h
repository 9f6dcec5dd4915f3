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
    // Non-blocking; false when another holder conflicts. The lock covers the whole file and
    // belongs to this open file description.
    bool lock(Lock kind);
    // Waits for a lock on the header bytes [0, 32), held by this open file description (not by
    // the process), so two handles of one process wait for each other like two processes do.
    // Independent of `lock`. Throws std::system_error.
    void lockHeader(bool write);
    void unlockHeader();
    // Whether `file` still names the file this handle has open (a rename over it says no).
    bool isSameFileAs(const std::filesystem::path& file) const;
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

// Makes the names in a folder (renames, removals) survive a crash.
void syncFolder(const std::filesystem::path& folder);

// Renames `from` over `to`, syncing the folder so the new name survives a crash.
void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace arkona::dbf

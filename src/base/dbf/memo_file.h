#pragma once

#include "base/dbf/file_io.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace arkona::dbf {

enum class MemoKind {
    DBase3, // 512-byte blocks, text ended by 0x1A
    DBase4, // block size in the header, blocks FF FF 08 00 + length
    FoxPro, // big-endian header and block headers
};

// The memo file of a table: texts addressed by block number.
class MemoFile {
public:
    // Throws arkona::Error naming the file when it cannot be opened or its header is damaged.
    static MemoFile open(const std::filesystem::path& file, bool writable, MemoKind hint);
    // Writes an empty memo file of the given kind (block size 512 unless FoxPro asks otherwise).
    static void create(const std::filesystem::path& file, MemoKind kind,
                       std::uint32_t blockSize = 512);

    MemoKind kind() const { return kind_; }
    std::uint32_t blockSize() const { return blockSize_; }
    const std::filesystem::path& path() const { return path_; }

    // The stored bytes of the memo that starts at `block`. Throws arkona::Error when the block
    // lies outside the file or its length runs past it. Another handle may have grown the file
    // since it was opened: the size is read again before a block is called out of range.
    std::string read(std::uint32_t block) const;
    // Appends a memo and returns its first block. Empty text gets no block (returns 0).
    // Callers serialise appends (the table's header lock), since the header names the next block.
    std::uint32_t append(std::string_view bytes);
    // Writes `bytes` over the memo at `block` when they fit into the blocks that memo occupies;
    // returns false, writing nothing, when they do not.
    bool overwrite(std::uint32_t block, std::string_view bytes);
    void sync() { file_.sync(); }

private:
    std::string encode(std::string_view bytes) const; // block header, text, terminator
    std::uint64_t spanOf(std::uint32_t block) const;  // whole blocks the memo occupies; 0: unknown
    void refreshSize() const { size_ = file_.size(); }

    std::filesystem::path path_;
    FileHandle file_;
    MemoKind kind_ = MemoKind::DBase3;
    std::uint32_t blockSize_ = 512;
    mutable std::uint64_t size_ = 0;
};

} // namespace arkona::dbf

#include "base/dbf/memo_file.h"

#include "base/error.h"

#include <algorithm>
#include <system_error>

namespace arkona::dbf {

namespace {

std::uint32_t le32(const std::string& b, size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint32_t be32(const std::string& b, size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3]));
}

void putLe32(std::string& b, size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

void putBe32(std::string& b, size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[at + i] = static_cast<char>((v >> (8 * (3 - i))) & 0xFF);
    }
}

std::string damaged(const std::filesystem::path& file, const std::string& why) {
    return "Soubor poznámek „" + file.string() + "“ je poškozený: " + why + ".";
}

constexpr size_t kMaxMemo = 64u << 20; // no memo of a shop is larger; guards against garbage

} // namespace

MemoFile MemoFile::open(const std::filesystem::path& file, bool writable, MemoKind hint) {
    MemoFile memo;
    memo.path_ = file;
    if (!memo.file_.open(file, writable)) {
        throw Error("Soubor poznámek „" + file.string() +
                    "“ nelze otevřít: " + describeErrno(memo.file_.error()) + ".");
    }
    memo.size_ = memo.file_.size();
    const std::string header = memo.file_.readAt(0, 512);
    if (header.size() < 8) {
        throw Error(damaged(file, "chybí hlavička"));
    }
    if (hint == MemoKind::FoxPro) {
        memo.kind_ = MemoKind::FoxPro;
        const unsigned bs =
            static_cast<unsigned char>(header[6]) << 8 | static_cast<unsigned char>(header[7]);
        memo.blockSize_ = bs == 0 ? 1 : bs;
        return memo;
    }
    // A .dbt of dBase IV names its block size at 20; its blocks start with FF FF 08 00.
    memo.kind_ = hint;
    if (header.size() >= 22) {
        const unsigned bs =
            static_cast<unsigned char>(header[20]) | static_cast<unsigned char>(header[21]) << 8;
        if (hint == MemoKind::DBase4 && bs >= 32) {
            memo.blockSize_ = bs;
        }
    }
    if (hint == MemoKind::DBase3 && memo.size_ > 512) {
        const std::string first = memo.file_.readAt(512, 4);
        if (first == std::string("\xFF\xFF\x08\x00", 4)) {
            memo.kind_ = MemoKind::DBase4;
        }
    }
    return memo;
}

void MemoFile::create(const std::filesystem::path& file, MemoKind kind, std::uint32_t blockSize) {
    FileHandle out;
    if (!out.open(file, true, true)) {
        throw Error("Soubor poznámek „" + file.string() +
                    "“ nelze vytvořit: " + describeErrno(out.error()) + ".");
    }
    std::string header;
    switch (kind) {
    case MemoKind::DBase3:
        header.assign(512, '\0');
        putLe32(header, 0, 1);
        header[16] = 0x03;
        break;
    case MemoKind::DBase4:
        header.assign(blockSize, '\0');
        putLe32(header, 0, 1);
        header[20] = static_cast<char>(blockSize & 0xFF);
        header[21] = static_cast<char>(blockSize >> 8);
        break;
    case MemoKind::FoxPro: {
        header.assign(512, '\0');
        const std::uint32_t first = (512 + blockSize - 1) / blockSize;
        putBe32(header, 0, first);
        header[6] = static_cast<char>(blockSize >> 8);
        header[7] = static_cast<char>(blockSize & 0xFF);
        break;
    }
    }
    out.writeAt(0, header);
}

std::string MemoFile::read(std::uint32_t block) const {
    const std::uint64_t start = static_cast<std::uint64_t>(block) * blockSize_;
    if (start >= size_) {
        refreshSize();
    }
    if (block == 0 || start >= size_) {
        throw Error(damaged(path_, "odkaz na blok " + std::to_string(block) + " leží mimo soubor"));
    }
    if (kind_ == MemoKind::DBase3) {
        std::string text;
        std::uint64_t at = start;
        while (at < size_) {
            std::string chunk = file_.readAt(at, 4096);
            const size_t end = chunk.find('\x1A');
            if (end != std::string::npos) {
                text.append(chunk, 0, end);
                return text;
            }
            text += chunk;
            at += chunk.size();
            if (text.size() > kMaxMemo) {
                break;
            }
        }
        if (text.size() > kMaxMemo) {
            throw Error(
                damaged(path_, "poznámka v bloku " + std::to_string(block) + " nemá konec"));
        }
        return text; // the last memo of some writers ends at the end of the file
    }
    const std::string head = file_.readAt(start, 8);
    if (head.size() < 8) {
        throw Error(damaged(path_, "poznámka v bloku " + std::to_string(block) + " je neúplná"));
    }
    std::uint64_t length = 0;
    std::uint64_t dataStart = start + 8;
    if (kind_ == MemoKind::FoxPro) {
        length = be32(head, 4);
    } else {
        if (head.compare(0, 4, std::string("\xFF\xFF\x08\x00", 4)) != 0) {
            throw Error(damaged(path_, "blok " + std::to_string(block) + " nezačíná poznámkou"));
        }
        const std::uint32_t total = le32(head, 4);
        length = total >= 8 ? total - 8 : 0;
    }
    if (dataStart + length > size_) {
        refreshSize();
    }
    if (length > kMaxMemo || dataStart + length > size_) {
        throw Error(
            damaged(path_, "poznámka v bloku " + std::to_string(block) + " sahá za konec souboru"));
    }
    std::string text = file_.readAt(dataStart, static_cast<size_t>(length));
    if (kind_ == MemoKind::DBase4) {
        const size_t end = text.find_first_of(std::string("\x1A\x1F", 2));
        if (end != std::string::npos) {
            text.resize(end);
        }
    }
    return text;
}

std::string MemoFile::encode(std::string_view bytes) const {
    std::string block;
    switch (kind_) {
    case MemoKind::DBase3:
        block.assign(bytes);
        block += "\x1A\x1A";
        break;
    case MemoKind::DBase4:
        block.assign(8, '\0');
        block[0] = '\xFF';
        block[1] = '\xFF';
        block[2] = 0x08;
        putLe32(block, 4, static_cast<std::uint32_t>(bytes.size() + 8));
        block.append(bytes);
        break;
    case MemoKind::FoxPro:
        block.assign(8, '\0');
        putBe32(block, 0, 1);
        putBe32(block, 4, static_cast<std::uint32_t>(bytes.size()));
        block.append(bytes);
        break;
    }
    return block;
}

std::uint64_t MemoFile::spanOf(std::uint32_t block) const {
    const std::uint64_t start = static_cast<std::uint64_t>(block) * blockSize_;
    refreshSize();
    if (block == 0 || start >= size_) {
        return 0;
    }
    std::uint64_t used = 0;
    if (kind_ == MemoKind::DBase3) {
        // Up to and with the first end mark; a memo without one (it ran to the end of the
        // file) is never written over.
        std::uint64_t at = start;
        for (;;) {
            const std::string chunk = file_.readAt(at, 4096);
            if (chunk.empty()) {
                return 0;
            }
            const size_t end = chunk.find('\x1A');
            if (end != std::string::npos) {
                used = at + end + 1 - start;
                break;
            }
            at += chunk.size();
            if (at - start > kMaxMemo) {
                return 0;
            }
        }
    } else {
        const std::string head = file_.readAt(start, 8);
        if (head.size() < 8 ||
            (kind_ == MemoKind::DBase4 && head.compare(0, 4, std::string("\xFF\xFF\x08\x00", 4)))) {
            return 0;
        }
        used = kind_ == MemoKind::FoxPro ? 8 + static_cast<std::uint64_t>(be32(head, 4))
                                         : std::max<std::uint64_t>(le32(head, 4), 8);
        if (used > kMaxMemo || start + used > size_) {
            return 0;
        }
    }
    return (used + blockSize_ - 1) / blockSize_ * blockSize_;
}

bool MemoFile::overwrite(std::uint32_t block, std::string_view bytes) {
    if (bytes.empty()) {
        return false;
    }
    const std::string encoded = encode(bytes);
    try {
        if (encoded.size() > spanOf(block)) {
            return false;
        }
        file_.writeAt(static_cast<std::uint64_t>(block) * blockSize_, encoded);
        return true;
    } catch (const std::system_error& e) {
        throw Error("Do souboru poznámek „" + path_.string() +
                    "“ nelze zapisovat: " + describeErrno(e.code().value()) + ".");
    }
}

std::uint32_t MemoFile::append(std::string_view bytes) {
    if (bytes.empty()) {
        return 0;
    }
    try {
        refreshSize(); // another handle may have appended since
        const std::string header = file_.readAt(0, 8);
        std::uint32_t next = kind_ == MemoKind::FoxPro ? be32(header, 0) : le32(header, 0);
        // Never trust a header that points into existing data.
        const std::uint32_t byEnd =
            static_cast<std::uint32_t>((size_ + blockSize_ - 1) / blockSize_);
        next = std::max({next, byEnd,
                         static_cast<std::uint32_t>(
                             kind_ == MemoKind::FoxPro ? (512 + blockSize_ - 1) / blockSize_ : 1)});
        std::string block = encode(bytes);
        const size_t blocks = (block.size() + blockSize_ - 1) / blockSize_;
        block.resize(blocks * blockSize_, kind_ == MemoKind::DBase3 ? '\x1A' : '\0');
        const std::uint64_t at = static_cast<std::uint64_t>(next) * blockSize_;
        // Data first, then the header that makes it reachable.
        file_.writeAt(at, block);
        std::string nextField(4, '\0');
        const std::uint32_t newNext = next + static_cast<std::uint32_t>(blocks);
        if (kind_ == MemoKind::FoxPro) {
            putBe32(nextField, 0, newNext);
        } else {
            putLe32(nextField, 0, newNext);
        }
        file_.writeAt(0, nextField);
        size_ = std::max<std::uint64_t>(size_, at + block.size());
        return next;
    } catch (const std::system_error& e) {
        throw Error("Do souboru poznámek „" + path_.string() +
                    "“ nelze zapisovat: " + describeErrno(e.code().value()) + ".");
    }
}

} // namespace arkona::dbf

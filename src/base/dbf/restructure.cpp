#include "base/dbf/file_swap.h"
#include "base/dbf/numeric.h"
#include "base/dbf/table.h"
#include "base/dbf/table_state.h"
#include "base/error.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace arkona::dbf {

namespace {

std::string upper(std::string_view s) {
    std::string u(s);
    for (char& c : u) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return u;
}

// A new table file written beside the old one; removed unless committed.
class Rewrite {
public:
    Rewrite(const std::filesystem::path& target, std::string header, std::uint32_t recordLength)
        : target_(target), tmp_(newFileOf(target)), header_(std::move(header)),
          recordLength_(recordLength) {
        if (!out_.open(tmp_, true, true)) {
            throw std::system_error(out_.error(), std::generic_category());
        }
        buffer_.reserve(1u << 20);
    }
    ~Rewrite() {
        if (!committed_) {
            out_.close();
            std::error_code ignored;
            std::filesystem::remove(tmp_, ignored);
        }
    }

    void add(const std::string& raw) {
        buffer_ += raw;
        ++count_;
        if (buffer_.size() >= (1u << 20)) {
            flush();
        }
    }

    // Header last: the file is complete before anything can read it.
    void finish() {
        flush();
        out_.writeAt(header_.size() + static_cast<std::uint64_t>(count_) * recordLength_, "\x1A");
        for (int i = 0; i < 4; ++i) {
            header_[4 + static_cast<size_t>(i)] = static_cast<char>((count_ >> (8 * i)) & 0xFF);
        }
        out_.writeAt(0, header_);
        out_.sync();
        out_.close();
    }
    void commit() {
        replaceFile(tmp_, target_);
        committed_ = true;
    }
    // Someone else (the swap of a table with its memo file) brings the file in.
    void handOver() { committed_ = true; }

private:
    void flush() {
        out_.writeAt(header_.size() + written_, buffer_);
        written_ += buffer_.size();
        buffer_.clear();
    }
    std::filesystem::path target_;
    std::filesystem::path tmp_;
    FileHandle out_;
    std::string header_;
    std::uint32_t recordLength_;
    std::string buffer_;
    std::uint64_t written_ = 0;
    std::uint32_t count_ = 0;
    bool committed_ = false;
};

std::string structureFailure(const std::filesystem::path& file, const std::string& why) {
    return "Strukturu tabulky „" + file.string() + "“ nelze změnit: " + why + ".";
}

// Converts one value of the old record into the bytes of the new column.
std::string convertValue(const Record& old, int from, const FieldDef& source,
                         const FieldDef& target, const std::filesystem::path& file) {
    const std::string_view raw = old.rawField(from);
    auto blankOf = [&] { return std::string(static_cast<size_t>(target.width), ' '); };
    if (source.type == target.type && source.width == target.width &&
        source.decimals == target.decimals) {
        return std::string(raw);
    }
    if (target.type == 'C' && source.isCharacter()) {
        std::string_view t = raw;
        while (!t.empty() && (t.back() == ' ' || t.back() == '\0')) {
            t.remove_suffix(1);
        }
        if (t.size() > static_cast<size_t>(target.width)) {
            throw Error(structureFailure(file, "hodnota sloupce " + source.name + " na řádku " +
                                                   std::to_string(old.recno() + 1) +
                                                   " se nevejde do " + target.notation()));
        }
        std::string bytes(t);
        bytes.resize(static_cast<size_t>(target.width), ' ');
        return bytes;
    }
    if (target.type == 'N' && (source.isNumeric() || source.isCharacter())) {
        if (old.isBlank(from)) {
            return blankOf();
        }
        const auto value = source.isCharacter() ? parseNumber(old.text(from)) : old.number(from);
        if (!value) {
            throw Error(structureFailure(file, "hodnota sloupce " + source.name + " na řádku " +
                                                   std::to_string(old.recno() + 1) +
                                                   " není číslo"));
        }
        std::string text = formatNumber(*value, target.decimals);
        if (text.size() > static_cast<size_t>(target.width)) {
            throw Error(structureFailure(file, "číslo " + text + " ze sloupce " + source.name +
                                                   " se nevejde do " + target.notation()));
        }
        return std::string(static_cast<size_t>(target.width) - text.size(), ' ') + text;
    }
    if (target.type == 'C' && (source.isNumeric() || source.type == 'L' || source.type == 'D')) {
        std::string text = old.display(from);
        if (text.size() > static_cast<size_t>(target.width)) {
            throw Error(structureFailure(file, "hodnota sloupce " + source.name +
                                                   " se nevejde do " + target.notation()));
        }
        text.resize(static_cast<size_t>(target.width), ' ');
        return text;
    }
    if (source.type == target.type && source.width == target.width) {
        return std::string(raw);
    }
    throw Error(structureFailure(file, "sloupec " + source.name + " " + source.notation() +
                                           " nelze převést na " + target.notation()));
}

} // namespace

void restructure(const std::filesystem::path& file, const std::vector<ColumnPlan>& plan) {
    Table table = Table::open(file, OpenMode::Exclusive);
    std::vector<FieldDef> fields;
    std::vector<int> sources;
    bool needsMemo = false;
    for (const auto& p : plan) {
        FieldDef f = p.field;
        f.name = upper(f.name);
        if (f.name.empty() || f.name.size() > 10 ||
            std::any_of(fields.begin(), fields.end(),
                        [&](const FieldDef& g) { return g.name == f.name; })) {
            throw Error(structureFailure(file, "chybný název sloupce „" + f.name + "“"));
        }
        const bool widthOk = (f.type == 'C' && f.width >= 1 && f.width <= 254) ||
                             (f.type == 'N' && f.width >= 1 && f.width <= 20 && f.decimals >= 0 &&
                              (f.decimals == 0 || f.decimals <= f.width - 2)) ||
                             (f.type == 'L' && f.width == 1) || (f.type == 'D' && f.width == 8) ||
                             (f.type == 'M' && (f.width == 10 || f.width == 4));
        if (!widthOk && p.from.empty()) {
            throw Error(structureFailure(file, "chybný sloupec " + f.name + " " + f.notation()));
        }
        int from = -1;
        if (!p.from.empty()) {
            from = table.fieldIndex(p.from);
            if (from < 0) {
                throw Error(structureFailure(file, "tabulka nemá sloupec " + p.from));
            }
        }
        needsMemo = needsMemo || f.type == 'M';
        fields.push_back(std::move(f));
        sources.push_back(from);
    }
    if (fields.empty()) {
        throw Error(structureFailure(file, "tabulka musí mít aspoň jeden sloupec"));
    }
    std::uint8_t version = table.info().version;
    if (needsMemo && !table.hasMemoFile()) {
        version = 0x83;
    }
    std::uint32_t recordLength = 1;
    std::vector<size_t> offsets;
    for (const auto& f : fields) {
        offsets.push_back(recordLength);
        recordLength += static_cast<std::uint32_t>(f.width);
    }
    if (recordLength > 65535) {
        throw Error(structureFailure(file, "záznam by byl delší než 65535 bajtů"));
    }
    try {
        Rewrite rewrite(file,
                        buildHeader(fields, version, table.info().languageDriver, 0, Date::today()),
                        recordLength);
        table.scan(
            [&](const Record& old) {
                std::string raw(recordLength, ' ');
                raw[0] = old.deleted() ? '*' : ' ';
                for (size_t i = 0; i < fields.size(); ++i) {
                    const int from = sources[i];
                    std::string bytes;
                    if (from < 0) {
                        const char fill =
                            fields[i].type == 'M' && fields[i].width == 4 ? '\0' : ' ';
                        bytes.assign(static_cast<size_t>(fields[i].width), fill);
                    } else {
                        bytes = convertValue(old, from, table.fields()[static_cast<size_t>(from)],
                                             fields[i], file);
                    }
                    raw.replace(offsets[i], bytes.size(), bytes);
                }
                rewrite.add(raw);
                return true;
            },
            true);
        rewrite.finish();
        if (needsMemo && !table.hasMemoFile()) {
            MemoKind kind{};
            if (findMemoFile(file, &kind).empty()) {
                const bool upperExt = file.extension() == ".DBF";
                MemoFile::create(file.parent_path() /
                                     (file.stem().string() + (upperExt ? ".DBT" : ".dbt")),
                                 MemoKind::DBase3);
            }
        }
        rewrite.commit();
    } catch (const std::system_error& e) {
        throw Error(structureFailure(file, describeErrno(e.code().value())));
    }
}

void addColumns(const std::filesystem::path& file, const std::vector<FieldDef>& columns) {
    std::vector<ColumnPlan> plan;
    {
        Table table = Table::open(file, OpenMode::ReadOnly);
        for (const auto& f : table.fields()) {
            plan.push_back({f, f.name});
        }
    }
    for (const auto& f : columns) {
        plan.push_back({f, {}});
    }
    restructure(file, plan);
}

void dropColumns(const std::filesystem::path& file, const std::vector<std::string>& names) {
    std::vector<ColumnPlan> plan;
    {
        Table table = Table::open(file, OpenMode::ReadOnly);
        for (const auto& name : names) {
            table.field(name); // a missing column is an error, not a silent no-op
        }
        for (const auto& f : table.fields()) {
            const bool dropped = std::any_of(names.begin(), names.end(), [&](const std::string& n) {
                return upper(n) == f.name;
            });
            if (!dropped) {
                plan.push_back({f, f.name});
            }
        }
    }
    restructure(file, plan);
}

void resizeColumn(const std::filesystem::path& file, std::string_view name, int width,
                  int decimals) {
    std::vector<ColumnPlan> plan;
    {
        Table table = Table::open(file, OpenMode::ReadOnly);
        table.field(name);
        for (const auto& f : table.fields()) {
            FieldDef target = f;
            if (f.name == upper(name)) {
                target.width = width;
                target.decimals = decimals;
            }
            plan.push_back({target, f.name});
        }
    }
    restructure(file, plan);
}

void pack(const std::filesystem::path& file) {
    Table table = Table::open(file, OpenMode::Exclusive);
    const auto& fields = table.fields();
    std::vector<int> memoColumns;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].type == 'M') {
            memoColumns.push_back(static_cast<int>(i));
        }
    }
    const TableInfo info = table.info();
    std::string header = buildHeader(fields, info.version, info.languageDriver, 0, Date::today());
    if (header.size() != info.headerLength) {
        // Keep the original header bytes (backlinks, flags) when we can.
        header.clear();
    }
    if (header.empty()) {
        FileHandle in;
        in.open(file, false);
        header = in.readAt(0, info.headerLength);
    }
    const auto now = Date::today();
    header[1] = static_cast<char>(std::clamp(now.year - 1900, 0, 255));
    header[2] = static_cast<char>(now.month);
    header[3] = static_cast<char>(now.day);
    header[28] = static_cast<char>(info.flags & ~0x01);

    std::optional<MemoFile> newMemo;
    std::filesystem::path memoPath;
    std::filesystem::path memoTmp;
    const auto dropMemoTmp = [&] {
        newMemo.reset();
        if (!memoTmp.empty()) {
            std::error_code ignored;
            std::filesystem::remove(memoTmp, ignored);
        }
    };
    try {
        if (!memoColumns.empty()) {
            MemoKind kind{};
            memoPath = findMemoFile(file, &kind);
            memoTmp = newFileOf(memoPath);
            const MemoFile old = MemoFile::open(
                memoPath, false, kind == MemoKind::FoxPro ? kind : memoKindOf(info.version));
            MemoFile::create(memoTmp, old.kind(), old.blockSize());
            newMemo.emplace(MemoFile::open(memoTmp, true, old.kind()));
        }
        Rewrite rewrite(file, header, info.recordLength);
        table.scan([&](const Record& row) {
            if (memoColumns.empty()) {
                rewrite.add(std::string(row.rawBytes()));
                return true;
            }
            // Copy each memo to the new file and point the row at it.
            std::string raw(row.rawBytes());
            for (int col : memoColumns) {
                const auto& f = fields[static_cast<size_t>(col)];
                const std::string text = row.memo(col);
                const std::uint32_t block =
                    text.empty() ? 0 : newMemo->append(text::fromUtf8(text, table.codePage()));
                const std::string pointer = memoPointer(block, f.width, true);
                const size_t offset =
                    static_cast<size_t>(row.rawField(col).data() - row.rawField(0).data()) + 1;
                raw.replace(offset, pointer.size(), pointer);
            }
            rewrite.add(raw);
            return true;
        });
        testing::swapStep(0); // rows written, header not yet
        rewrite.finish();
        if (!newMemo) {
            testing::swapStep(1);
            rewrite.commit(); // one file: a single rename is the whole swap
            return;
        }
        newMemo->sync();
        newMemo.reset();
        rewrite.handOver();
        swapInPair(file, memoPath);
    } catch (const std::system_error& e) {
        dropMemoTmp();
        throw Error("Tabulku „" + file.string() +
                    "“ nelze optimalizovat: " + describeErrno(e.code().value()) + ".");
    } catch (...) {
        dropMemoTmp();
        throw;
    }
}

void resetTableIndex(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        return;
    }
    FileHandle f;
    if (f.open(file, true)) {
        try {
            std::string flag = f.readAt(28, 1);
            if (flag.size() == 1 && (flag[0] & 0x01)) {
                flag[0] = static_cast<char>(flag[0] & ~0x01);
                f.writeAt(28, flag);
            }
        } catch (const std::system_error&) {
            // Index files are removed all the same.
        }
        f.close();
    }
    const std::string stem = file.stem().string();
    const auto folder =
        file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        const std::string u = upper(name);
        if (u == upper(stem) + ".CDX" || u == upper(stem) + ".MDX") {
            std::filesystem::remove(entry.path(), ec);
        }
    }
}

} // namespace arkona::dbf

#include "base/dbf/table.h"

#include "base/dbf/file_swap.h"
#include "base/dbf/numeric.h"
#include "base/dbf/table_state.h"
#include "base/error.h"
#include "base/paths.h"
#include "base/textcase.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>
#include <thread>

namespace arkona::dbf {

namespace {

std::uint16_t le16(const char* p) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(p[0]) |
                                      static_cast<unsigned char>(p[1]) << 8);
}

std::uint32_t le32(const char* p) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(p[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(p[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(p[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(p[3])) << 24;
}

void putLe(std::string& b, size_t at, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        b[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

bool knownVersion(std::uint8_t v) {
    switch (v) {
    case 0x02:
    case 0x03:
    case 0x04:
    case 0x05:
    case 0x30:
    case 0x31:
    case 0x32:
    case 0x43:
    case 0x63:
    case 0x83:
    case 0x8B:
    case 0x8E:
    case 0xCB:
    case 0xF5:
    case 0xFB:
        return true;
    default:
        return false;
    }
}

bool isVisualFoxPro(std::uint8_t v) {
    return v == 0x30 || v == 0x31 || v == 0x32;
}

text::CodePage codePageOf(std::uint8_t driver) {
    switch (driver) {
    case kDriverDos852:
        return text::CodePage::Dos852;
    case kDriverWindows1252:
    case 0x03:
        return text::CodePage::Windows1252;
    default:
        return text::CodePage::Windows1250;
    }
}

std::string_view trimPadding(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) {
        s.remove_suffix(1);
    }
    return s;
}

bool allBlank(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\0'; });
}

std::string upper(std::string_view s) {
    std::string u(s);
    for (char& c : u) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return u;
}

std::string shortest(double v) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string twoDigits(int v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

std::string isoDate(const Date& d) {
    std::string y = std::to_string(d.year);
    while (y.size() < 4) {
        y.insert(0, "0");
    }
    return y + "-" + twoDigits(d.month) + "-" + twoDigits(d.day);
}

Date fromJulianDay(long jd) {
    // Fliegel & Van Flandern.
    long l = jd + 68569;
    const long n = 4 * l / 146097;
    l = l - (146097 * n + 3) / 4;
    const long i = 4000 * (l + 1) / 1461001;
    l = l - 1461 * i / 4 + 31;
    const long j = 80 * l / 2447;
    Date d;
    d.day = static_cast<int>(l - 2447 * j / 80);
    l = j / 11;
    d.month = static_cast<int>(j + 2 - 12 * l);
    d.year = static_cast<int>(100 * (n - 49) + i + l);
    return d;
}

std::string openFailure(const std::filesystem::path& p, int error, OpenMode mode) {
    if (error == EWOULDBLOCK || error == EAGAIN) {
        if (mode == OpenMode::Exclusive) {
            return "Tabulku „" + p.string() +
                   "“ nelze otevřít ve výhradním režimu: soubor právě používá jiný program.";
        }
        return "Tabulku „" + p.string() +
               "“ nelze otevřít: soubor je otevřen ve výhradním režimu jiným programem.";
    }
    return "Tabulku „" + p.string() + "“ nelze otevřít: " + describeErrno(error) + ".";
}

} // namespace

// ---------------------------------------------------------------- TableState

std::string TableState::name() const {
    return path.string();
}

void TableState::fail(const std::string& why) const {
    throw Error("Tabulka „" + name() + "“ je poškozená: " + why + ".");
}

void TableState::failRow(std::uint32_t recno, int col, const std::string& why) const {
    throw Error("Tabulka „" + name() + "“, řádek " + std::to_string(recno + 1) + ", sloupec " +
                fields[static_cast<size_t>(col)].name + ": " + why + ".");
}

const MemoFile& TableState::memoFile() const {
    if (!memo) {
        throw Error("K tabulce „" + name() + "“ chybí soubor poznámek „" + memoPath.string() +
                    "“.");
    }
    return *memo;
}

MemoFile& TableState::memoFile() {
    return const_cast<MemoFile&>(static_cast<const TableState*>(this)->memoFile());
}

void TableState::checkWritable() const {
    if (mode == OpenMode::ReadOnly) {
        throw Error("Tabulka „" + name() + "“ je otevřena jen pro čtení.");
    }
}

void TableState::writeHeaderCountAndDate() {
    const Date today = Date::today();
    std::string bytes(7, '\0');
    bytes[0] = static_cast<char>(std::clamp(today.year - 1900, 0, 255));
    bytes[1] = static_cast<char>(today.month);
    bytes[2] = static_cast<char>(today.day);
    putLe(bytes, 3, info.recordCount, 4);
    file.writeAt(1, bytes);
    info.lastUpdate = today;
}

void TableState::writeHeaderDate() {
    const Date today = Date::today();
    std::string bytes(3, '\0');
    bytes[0] = static_cast<char>(std::clamp(today.year - 1900, 0, 255));
    bytes[1] = static_cast<char>(today.month);
    bytes[2] = static_cast<char>(today.day);
    file.writeAt(1, bytes);
    info.lastUpdate = today;
}

void TableState::refreshCount(bool locked) {
    std::string head;
    try {
        if (locked) {
            head = file.readAt(4, 4);
        } else {
            HeaderLock lock(file, false);
            head = file.readAt(4, 4);
        }
    } catch (const std::system_error& e) {
        throw Error("Tabulku „" + name() + "“ nelze číst: " + describeErrno(e.code().value()) +
                    ".");
    }
    if (head.size() != 4) {
        fail("soubor je kratší než hlavička tabulky");
    }
    const std::uint32_t count = le32(head.data());
    const std::uint64_t available = (file.size() - info.headerLength) / info.recordLength;
    if (count > available) {
        fail("hlavička uvádí " + std::to_string(count) + " řádků, soubor jich obsahuje jen " +
             std::to_string(available));
    }
    info.recordCount = count;
}

int TableState::columnIndex(std::string_view name) const {
    const bool upperAlready =
        std::none_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    const auto it = upperAlready ? byName.find(name) : byName.find(upper(name));
    return it == byName.end() ? -1 : it->second;
}

bool TableState::hasMemoColumns() const {
    return std::any_of(fields.begin(), fields.end(),
                       [](const FieldDef& f) { return f.type == 'M'; });
}

std::uint32_t TableState::blockAt(std::string_view raw, int col, std::uint32_t recno) const {
    const auto& f = fields[static_cast<size_t>(col)];
    if (binaryMemoPointers && f.width == 4) {
        return le32(raw.data());
    }
    std::string_view digits = trimPadding(raw);
    while (!digits.empty() && digits.front() == ' ') {
        digits.remove_prefix(1);
    }
    if (digits.empty()) {
        return 0;
    }
    std::uint32_t block = 0;
    auto r = std::from_chars(digits.data(), digits.data() + digits.size(), block);
    if (r.ec != std::errc() || r.ptr != digits.data() + digits.size()) {
        failRow(recno, col, "odkaz do souboru poznámek „" + std::string(digits) + "“ není číslo");
    }
    return block;
}

std::string memoPointer(std::uint32_t block, int width, bool binary) {
    if (binary && width == 4) {
        std::string pointer(4, '\0');
        putLe(pointer, 0, block, 4);
        return pointer;
    }
    if (block == 0) {
        return std::string(static_cast<size_t>(width), ' ');
    }
    std::string pointer = std::to_string(block);
    pointer.insert(0,
                   static_cast<size_t>(width) -
                       std::min<size_t>(pointer.size(), static_cast<size_t>(width)),
                   ' ');
    return pointer;
}

bool versionHasMemo(std::uint8_t version) {
    return (version & 0x80) != 0 || version == 0x30 || version == 0x31 || version == 0x32;
}

MemoKind memoKindOf(std::uint8_t version) {
    switch (version) {
    case 0x30:
    case 0x31:
    case 0x32:
    case 0xF5:
    case 0xFB:
        return MemoKind::FoxPro;
    case 0x8B:
    case 0x8E:
    case 0xCB:
        return MemoKind::DBase4;
    default:
        return MemoKind::DBase3;
    }
}

std::filesystem::path findMemoFile(const std::filesystem::path& table, MemoKind* kind) {
    const std::string stem = table.stem().string();
    const auto folder =
        table.parent_path().empty() ? std::filesystem::path(".") : table.parent_path();
    for (const char* ext : {".dbt", ".fpt"}) {
        auto found = paths::findEntryNoCase(folder, stem + ext);
        if (!found.empty()) {
            if (kind) {
                *kind = ext[1] == 'f' ? MemoKind::FoxPro : MemoKind::DBase3;
            }
            return found;
        }
    }
    return {};
}

std::string buildHeader(const std::vector<FieldDef>& fields, std::uint8_t version,
                        std::uint8_t languageDriver, std::uint32_t records, const Date& date) {
    const bool vfp = isVisualFoxPro(version);
    const size_t headerLength = 32 + 32 * fields.size() + 1 + (vfp ? 263 : 0);
    size_t recordLength = 1;
    for (const auto& f : fields) {
        recordLength += static_cast<size_t>(f.width);
    }
    std::string h(headerLength, '\0');
    h[0] = static_cast<char>(version);
    h[1] = static_cast<char>(std::clamp(date.year - 1900, 0, 255));
    h[2] = static_cast<char>(date.month);
    h[3] = static_cast<char>(date.day);
    putLe(h, 4, records, 4);
    putLe(h, 8, headerLength, 2);
    putLe(h, 10, recordLength, 2);
    h[29] = static_cast<char>(languageDriver);
    size_t at = 32;
    size_t offset = 1;
    for (const auto& f : fields) {
        std::memcpy(h.data() + at, f.name.data(), std::min<size_t>(f.name.size(), 10));
        h[at + 11] = f.type;
        if (vfp) {
            putLe(h, at + 12, offset, 4);
        }
        if (f.type == 'C' && f.width > 255) {
            h[at + 16] = static_cast<char>(f.width & 0xFF);
            h[at + 17] = static_cast<char>(f.width >> 8);
        } else {
            h[at + 16] = static_cast<char>(f.width);
            h[at + 17] = static_cast<char>(f.decimals);
        }
        offset += static_cast<size_t>(f.width);
        at += 32;
    }
    h[at] = 0x0D;
    return h;
}

// ---------------------------------------------------------------- Record

int Record::column(std::string_view name) const {
    const int index = state_->columnIndex(name);
    if (index < 0) {
        throw Error("Tabulka „" + state_->name() + "“ nemá sloupec " + std::string(name) + ".");
    }
    return index;
}

std::string_view Record::rawField(int col) const {
    const auto& f = state_->fields[static_cast<size_t>(col)];
    return std::string_view(raw_).substr(1 + state_->offsets[static_cast<size_t>(col)],
                                         static_cast<size_t>(f.width));
}

bool Record::isBlank(int col) const {
    const auto& f = state_->fields[static_cast<size_t>(col)];
    if (f.isMemo()) {
        return memo(col).empty();
    }
    if (f.type == 'I' || f.type == 'Y' || f.type == 'B') {
        return false;
    }
    return allBlank(rawField(col));
}

std::string Record::text(int col) const {
    const auto& f = state_->fields[static_cast<size_t>(col)];
    if (f.isCharacter()) {
        return text::toUtf8(trimPadding(rawField(col)), state_->codePage);
    }
    return display(col);
}

std::optional<double> Record::number(int col) const {
    const auto& f = state_->fields[static_cast<size_t>(col)];
    const std::string_view raw = rawField(col);
    switch (f.type) {
    case 'I':
        return static_cast<double>(static_cast<std::int32_t>(le32(raw.data())));
    case 'Y': {
        const std::uint64_t v = le32(raw.data()) | static_cast<std::uint64_t>(le32(raw.data() + 4))
                                                       << 32;
        return static_cast<double>(static_cast<std::int64_t>(v)) / 10000.0;
    }
    case 'B': {
        double v = 0;
        std::uint64_t bits = le32(raw.data()) | static_cast<std::uint64_t>(le32(raw.data() + 4))
                                                    << 32;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    default:
        break;
    }
    if (allBlank(raw)) {
        return std::nullopt;
    }
    auto v = parseNumber(raw);
    if (!v) {
        state_->failRow(recno_, col,
                        "hodnota „" + text::toUtf8(text::trim(raw), state_->codePage) +
                            "“ není číslo");
    }
    return v;
}

std::optional<long long> Record::integer(int col) const {
    auto v = number(col);
    if (!v) {
        return std::nullopt;
    }
    return std::llround(*v);
}

std::optional<bool> Record::logical(int col) const {
    const std::string_view raw = rawField(col);
    switch (raw.empty() ? ' ' : raw[0]) {
    case 'T':
    case 't':
    case 'Y':
    case 'y':
        return true;
    case 'F':
    case 'f':
    case 'N':
    case 'n':
        return false;
    case ' ':
    case '?':
    case '\0':
        return std::nullopt;
    default:
        state_->failRow(recno_, col, "hodnota „" + std::string(raw) + "“ není logická");
    }
}

std::optional<Date> Record::date(int col) const {
    const auto& f = state_->fields[static_cast<size_t>(col)];
    const std::string_view raw = rawField(col);
    if (f.type == 'T') {
        const long jd = static_cast<std::int32_t>(le32(raw.data()));
        if (jd <= 0) {
            return std::nullopt;
        }
        return fromJulianDay(jd);
    }
    if (allBlank(raw) || raw == "00000000") {
        return std::nullopt;
    }
    Date d;
    auto digits = [&](size_t at, size_t n, int& out) {
        auto r = std::from_chars(raw.data() + at, raw.data() + at + n, out);
        return r.ec == std::errc() && r.ptr == raw.data() + at + n;
    };
    if (raw.size() != 8 || !digits(0, 4, d.year) || !digits(4, 2, d.month) ||
        !digits(6, 2, d.day) || !d.valid()) {
        state_->failRow(recno_, col, "hodnota „" + std::string(raw) + "“ není datum");
    }
    return d;
}

std::string Record::memo(int col) const {
    if (auto it = memoEdits_.find(col); it != memoEdits_.end()) {
        return it->second;
    }
    const auto& f = state_->fields[static_cast<size_t>(col)];
    if (!f.isMemo()) {
        return text(col);
    }
    const std::uint32_t block = state_->blockAt(rawField(col), col, recno_);
    if (block == 0 || f.type != 'M') {
        return {};
    }
    return text::toUtf8(state_->memoFile().read(block), state_->codePage);
}

std::string Record::display(int col) const {
    const auto& f = state_->fields[static_cast<size_t>(col)];
    const std::string_view raw = rawField(col);
    switch (f.type) {
    case 'C':
    case 'V':
        return text::toUtf8(trimPadding(raw), state_->codePage);
    case 'N':
    case 'F': {
        std::string_view t = trimPadding(raw);
        while (!t.empty() && t.front() == ' ') {
            t.remove_prefix(1);
        }
        return std::string(t);
    }
    case 'I':
    case 'Y':
    case 'B':
        return shortest(*number(col));
    case 'L': {
        auto v = logical(col);
        return v ? (*v ? "T" : "F") : "";
    }
    case 'D': {
        auto d = date(col);
        return d ? isoDate(*d) : "";
    }
    case 'T': {
        auto d = date(col);
        if (!d) {
            return {};
        }
        const std::uint32_t ms = le32(raw.data() + 4);
        const std::uint32_t s = ms / 1000;
        return isoDate(*d) + " " + twoDigits(static_cast<int>(s / 3600)) + ":" +
               twoDigits(static_cast<int>(s / 60 % 60)) + ":" + twoDigits(static_cast<int>(s % 60));
    }
    case 'M':
        return memo(col);
    default:
        return {};
    }
}

void Record::setText(int col, std::string_view utf8, bool cut) {
    const auto& f = state_->fields[static_cast<size_t>(col)];
    if (f.isMemo()) {
        setMemo(col, utf8);
        return;
    }
    if (!f.isCharacter()) {
        state_->failRow(recno_, col,
                        "do číselného, logického ani datového sloupce nelze zapsat text");
    }
    std::string bytes;
    try {
        bytes = text::fromUtf8(utf8, state_->codePage);
    } catch (const Error& e) {
        state_->failRow(recno_, col, e.what());
    }
    if (bytes.size() > static_cast<size_t>(f.width)) {
        if (!cut) {
            state_->failRow(recno_, col,
                            "text „" + std::string(utf8) + "“ je delší než " +
                                std::to_string(f.width) + " znaků");
        }
        bytes.resize(static_cast<size_t>(f.width));
    }
    bytes.resize(static_cast<size_t>(f.width), ' ');
    raw_.replace(1 + state_->offsets[static_cast<size_t>(col)], bytes.size(), bytes);
}

void Record::setNumber(int col, double value) {
    const auto& f = state_->fields[static_cast<size_t>(col)];
    std::string bytes;
    if (!std::isfinite(value)) {
        state_->failRow(recno_, col, "hodnota není konečné číslo");
    }
    switch (f.type) {
    case 'N':
    case 'F': {
        std::string text = formatNumber(value, f.decimals);
        if (text.size() > static_cast<size_t>(f.width)) {
            state_->failRow(recno_, col,
                            "číslo " + text + " se nevejde do šířky " + std::to_string(f.width));
        }
        bytes.assign(static_cast<size_t>(f.width) - text.size(), ' ');
        bytes += text;
        break;
    }
    case 'I': {
        const double r = std::round(value);
        if (r < -2147483648.0 || r > 2147483647.0) {
            state_->failRow(recno_, col, "číslo " + shortest(value) + " je mimo rozsah sloupce");
        }
        bytes.assign(4, '\0');
        putLe(bytes, 0, static_cast<std::uint32_t>(static_cast<std::int32_t>(r)), 4);
        break;
    }
    case 'Y': {
        bytes.assign(8, '\0');
        putLe(bytes, 0, static_cast<std::uint64_t>(std::llround(value * 10000.0)), 8);
        break;
    }
    case 'B': {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        bytes.assign(8, '\0');
        putLe(bytes, 0, bits, 8);
        break;
    }
    default:
        state_->failRow(recno_, col, "do sloupce, který není číselný, nelze zapsat číslo");
    }
    raw_.replace(1 + state_->offsets[static_cast<size_t>(col)], bytes.size(), bytes);
}

void Record::setLogical(int col, bool value) {
    if (state_->fields[static_cast<size_t>(col)].type != 'L') {
        state_->failRow(recno_, col, "sloupec není logický");
    }
    raw_[1 + state_->offsets[static_cast<size_t>(col)]] = value ? 'T' : 'F';
}

void Record::setDate(int col, std::optional<Date> value) {
    if (state_->fields[static_cast<size_t>(col)].type != 'D') {
        state_->failRow(recno_, col, "sloupec není datový");
    }
    std::string bytes(8, ' ');
    if (value) {
        if (!value->valid() || value->year > 9999) {
            state_->failRow(recno_, col, "neplatné datum");
        }
        std::string y = std::to_string(value->year);
        while (y.size() < 4) {
            y.insert(0, "0");
        }
        bytes = y + twoDigits(value->month) + twoDigits(value->day);
    }
    raw_.replace(1 + state_->offsets[static_cast<size_t>(col)], 8, bytes);
}

void Record::setMemo(int col, std::string_view utf8) {
    const auto& f = state_->fields[static_cast<size_t>(col)];
    if (f.type != 'M') {
        if (f.isCharacter()) {
            setText(col, utf8);
            return;
        }
        state_->failRow(recno_, col, "sloupec není poznámka");
    }
    std::string bytes;
    try {
        bytes = text::fromUtf8(utf8, state_->codePage);
    } catch (const Error& e) {
        state_->failRow(recno_, col, e.what());
    }
    if (bytes.find('\x1A') != std::string::npos) {
        state_->failRow(recno_, col, "text poznámky obsahuje znak konce souboru (0x1A)");
    }
    memoEdits_[col] = std::string(utf8);
}

void Record::copyField(int col, const Record& from) {
    const auto& f = state_->fields[static_cast<size_t>(col)];
    const auto& g = from.state_->fields[static_cast<size_t>(col)];
    if (f.type != g.type || f.width != g.width) {
        state_->failRow(recno_, col, "řádky tabulek se liší strukturou");
    }
    raw_.replace(1 + state_->offsets[static_cast<size_t>(col)], static_cast<size_t>(f.width),
                 from.rawField(col));
    if (auto it = from.memoEdits_.find(col); it != from.memoEdits_.end()) {
        memoEdits_[col] = it->second;
    } else {
        memoEdits_.erase(col);
    }
    if (f.type == 'M' &&
        !(from.state_ == state_ && from.recno_ == recno_ && from.pointersAsRead_)) {
        pointersAsRead_ = false;
    }
}

void Record::setBlank(int col) {
    const auto& f = state_->fields[static_cast<size_t>(col)];
    if (f.isMemo()) {
        memoEdits_[col].clear();
        return;
    }
    const char fill =
        (f.type == 'I' || f.type == 'Y' || f.type == 'B' || f.type == 'T') ? '\0' : ' ';
    raw_.replace(1 + state_->offsets[static_cast<size_t>(col)], static_cast<size_t>(f.width),
                 static_cast<size_t>(f.width), fill);
}

// ---------------------------------------------------------------- Table

Table::Table(std::unique_ptr<TableState> state) : state_(std::move(state)) {}
Table::Table(Table&&) noexcept = default;
Table& Table::operator=(Table&& other) noexcept {
    if (this != &other) {
        close();
        state_ = std::move(other.state_);
    }
    return *this;
}
Table::~Table() {
    close();
}

namespace {

// Opens and locks the file; null when, once locked, the path no longer names that file (a pack
// renamed a new one over it meanwhile).
std::unique_ptr<TableState> openLocked(const std::filesystem::path& file, OpenMode mode) {
    auto s = std::make_unique<TableState>();
    s->path = file;
    s->mode = mode;
    if (!s->file.open(file, mode != OpenMode::ReadOnly)) {
        std::error_code ec;
        if (s->file.error() == ENOENT && std::filesystem::exists(oldFileOf(file), ec)) {
            return nullptr; // in the middle of a swap
        }
        throw Error(openFailure(file, s->file.error(), mode));
    }
    if (!s->file.lock(mode == OpenMode::Exclusive ? FileHandle::Lock::Exclusive
                                                  : FileHandle::Lock::Shared)) {
        throw Error(openFailure(file, s->file.error(), mode));
    }
    if (!s->file.isSameFileAs(file)) {
        return nullptr;
    }
    // The header before the size: an append in another handle writes its rows before the
    // count, so the file always holds at least the rows a count read earlier names.
    const std::string head = s->file.readAt(0, 32);
    const std::uint64_t fileSize = s->file.size();
    if (head.size() < 32) {
        s->fail("soubor je kratší než hlavička tabulky");
    }
    auto& info = s->info;
    info.version = static_cast<std::uint8_t>(head[0]);
    if (!knownVersion(info.version)) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", info.version);
        s->fail(std::string("neznámá verze souboru ") + hex);
    }
    info.lastUpdate = {1900 + static_cast<unsigned char>(head[1]),
                       static_cast<unsigned char>(head[2]), static_cast<unsigned char>(head[3])};
    info.recordCount = le32(head.data() + 4);
    info.headerLength = le16(head.data() + 8);
    info.recordLength = le16(head.data() + 10);
    info.flags = static_cast<std::uint8_t>(head[28]);
    info.languageDriver = static_cast<std::uint8_t>(head[29]);
    if (info.headerLength < 33 || info.headerLength > fileSize) {
        s->fail("chybná délka hlavičky (" + std::to_string(info.headerLength) + " bajtů)");
    }
    if (info.recordLength < 2) {
        s->fail("chybná délka záznamu (" + std::to_string(info.recordLength) + " bajtů)");
    }
    const std::string descriptors = s->file.readAt(32, info.headerLength - 32u);
    size_t offset = 0;
    for (size_t at = 0; at + 32 <= descriptors.size() && descriptors[at] != '\x0D'; at += 32) {
        const char* d = descriptors.data() + at;
        FieldDef f;
        f.name.assign(d, strnlen(d, 11));
        f.name = upper(std::string(trimPadding(f.name)));
        f.type = d[11];
        f.width = static_cast<unsigned char>(d[16]);
        f.decimals = static_cast<unsigned char>(d[17]);
        if (f.type == 'C' && f.decimals > 0) {
            f.width += f.decimals * 256; // long character columns of some writers
            f.decimals = 0;
        }
        if (f.name.empty()) {
            s->fail("sloupec č. " + std::to_string(s->fields.size() + 1) + " nemá název");
        }
        if (f.width == 0) {
            s->fail("sloupec " + f.name + " má nulovou šířku");
        }
        if (!std::strchr("CNLDMFIYBTGPV0@+WQ", f.type) || f.type == '\0') {
            s->fail("sloupec " + f.name + " má neznámý typ „" + std::string(1, f.type) + "“");
        }
        s->offsets.push_back(offset);
        offset += static_cast<size_t>(f.width);
        s->byName.emplace(f.name, static_cast<int>(s->fields.size()));
        s->fields.push_back(std::move(f));
    }
    if (s->fields.empty()) {
        s->fail("hlavička neobsahuje žádný sloupec");
    }
    if (offset + 1 != info.recordLength) {
        s->fail("délka záznamu v hlavičce (" + std::to_string(info.recordLength) +
                ") neodpovídá sloupcům (" + std::to_string(offset + 1) + ")");
    }
    const std::uint64_t available = (fileSize - info.headerLength) / info.recordLength;
    if (info.recordCount > available) {
        s->fail("hlavička uvádí " + std::to_string(info.recordCount) +
                " řádků, soubor jich obsahuje jen " + std::to_string(available));
    }
    s->codePage = codePageOf(info.languageDriver);
    s->binaryMemoPointers = isVisualFoxPro(info.version);
    const bool hasMemoColumn = std::any_of(s->fields.begin(), s->fields.end(),
                                           [](const FieldDef& f) { return f.type == 'M'; });
    if (hasMemoColumn) {
        MemoKind kind = memoKindOf(info.version);
        auto memoPath = findMemoFile(file, &kind);
        if (memoPath.empty()) {
            const bool fox = memoKindOf(info.version) == MemoKind::FoxPro;
            s->memoPath = file.parent_path() / (file.stem().string() + (fox ? ".fpt" : ".dbt"));
            throw Error("K tabulce „" + file.string() + "“ chybí soubor poznámek „" +
                        s->memoPath.string() + "“.");
        }
        if (kind != MemoKind::FoxPro) {
            kind =
                memoKindOf(info.version) == MemoKind::DBase4 ? MemoKind::DBase4 : MemoKind::DBase3;
        }
        s->memoPath = memoPath;
        s->memo.emplace(MemoFile::open(memoPath, mode != OpenMode::ReadOnly, kind));
    }
    removeAbandonedRebuild(file, s->memoPath); // safe: a rebuild would hold the table

    return s;
}

} // namespace

Table Table::open(const std::filesystem::path& file, OpenMode mode) {
    // A swap in another process takes milliseconds; wait for it a few seconds at most.
    for (int attempt = 0; attempt < 300; ++attempt) {
        if (finishInterruptedSwap(file) == SwapState::Busy) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        if (auto state = openLocked(file, mode)) {
            return Table(std::move(state));
        }
    }
    throw Error("Tabulku „" + file.string() +
                "“ nelze otevřít: soubor právě optimalizuje jiný program.");
}

void Table::create(const std::filesystem::path& file, const std::vector<FieldDef>& fields,
                   CreateOptions options) {
    if (fields.empty()) {
        throw Error("Tabulku „" + file.string() + "“ nelze vytvořit bez sloupců.");
    }
    bool memo = false;
    std::vector<std::string> names;
    for (const auto& f : fields) {
        const std::string n = upper(f.name);
        const bool validName =
            !n.empty() && n.size() <= 10 && std::all_of(n.begin(), n.end(), [](char c) {
                return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
            });
        bool validWidth = false;
        switch (f.type) {
        case 'C':
            validWidth = f.width >= 1 && f.width <= 254;
            break;
        case 'N':
            validWidth = f.width >= 1 && f.width <= 20 && f.decimals >= 0 &&
                         (f.decimals == 0 || f.decimals <= f.width - 2);
            break;
        case 'L':
            validWidth = f.width == 1;
            break;
        case 'D':
            validWidth = f.width == 8;
            break;
        case 'M':
            validWidth = f.width == 10;
            memo = true;
            break;
        default:
            break;
        }
        if (!validName || !validWidth || std::find(names.begin(), names.end(), n) != names.end()) {
            throw Error("Tabulku „" + file.string() + "“ nelze vytvořit: chybný sloupec " + f.name +
                        " " + f.notation() + ".");
        }
        names.push_back(n);
    }
    std::vector<FieldDef> normalized = fields;
    for (auto& f : normalized) {
        f.name = upper(f.name);
    }
    std::string bytes =
        buildHeader(normalized, memo ? 0x83 : 0x03, options.languageDriver, 0, Date::today());
    bytes += '\x1A';
    const auto tmp = std::filesystem::path(file.string() + ".new");
    try {
        FileHandle out;
        if (!out.open(tmp, true, true)) {
            throw std::system_error(out.error(), std::generic_category());
        }
        out.writeAt(0, bytes);
        out.sync();
        out.close();
        if (memo) {
            const bool upperExt = file.extension() == ".DBF";
            MemoFile::create(file.parent_path() /
                                 (file.stem().string() + (upperExt ? ".DBT" : ".dbt")),
                             MemoKind::DBase3);
        }
        replaceFile(tmp, file);
    } catch (const std::system_error& e) {
        std::error_code ignored;
        std::filesystem::remove(tmp, ignored);
        throw Error("Tabulku „" + file.string() +
                    "“ nelze vytvořit: " + describeErrno(e.code().value()) + ".");
    }
}

const std::filesystem::path& Table::path() const {
    return state_->path;
}
std::string Table::displayName() const {
    return paths::forDisplay(state_->path);
}
const TableInfo& Table::info() const {
    return state_->info;
}
text::CodePage Table::codePage() const {
    return state_->codePage;
}
const std::vector<FieldDef>& Table::fields() const {
    return state_->fields;
}
bool Table::hasMemoFile() const {
    return state_->memo.has_value();
}
std::uint32_t Table::recordCount() const {
    state_->refreshCount();
    return state_->info.recordCount;
}

int Table::fieldIndex(std::string_view name) const {
    return state_->columnIndex(name);
}

const FieldDef& Table::field(std::string_view name) const {
    const int i = fieldIndex(name);
    if (i < 0) {
        throw Error("Tabulka „" + state_->name() + "“ nemá sloupec " + std::string(name) + ".");
    }
    return state_->fields[static_cast<size_t>(i)];
}

Record Table::blankRecord() const {
    Record r;
    r.state_ = state_.get();
    r.recno_ = state_->info.recordCount;
    r.raw_.assign(state_->info.recordLength, ' ');
    for (size_t i = 0; i < state_->fields.size(); ++i) {
        const char t = state_->fields[i].type;
        if (t == 'I' || t == 'Y' || t == 'B' || t == 'T' ||
            (t == 'M' && state_->fields[i].width == 4)) {
            r.raw_.replace(1 + state_->offsets[i], static_cast<size_t>(state_->fields[i].width),
                           static_cast<size_t>(state_->fields[i].width), '\0');
        }
    }
    return r;
}

Record Table::read(std::uint32_t recno) const {
    if (recno >= state_->info.recordCount) {
        state_->refreshCount(); // another handle may have appended it
    }
    if (recno >= state_->info.recordCount) {
        throw Error("Tabulka „" + state_->name() + "“ nemá řádek " + std::to_string(recno + 1) +
                    ".");
    }
    Record r;
    r.state_ = state_.get();
    r.recno_ = recno;
    try {
        r.raw_ = state_->file.readAt(state_->recordOffset(recno), state_->info.recordLength);
        r.pointersAsRead_ = true;
    } catch (const std::system_error& e) {
        throw Error("Tabulku „" + state_->name() +
                    "“ nelze číst: " + describeErrno(e.code().value()) + ".");
    }
    if (r.raw_.size() != state_->info.recordLength) {
        state_->fail("soubor skončil uprostřed řádku " + std::to_string(recno + 1));
    }
    return r;
}

void Table::scan(const std::function<bool(const Record&)>& visit, bool includeDeleted) const {
    state_->refreshCount();
    const std::uint32_t count = state_->info.recordCount;
    const size_t length = state_->info.recordLength;
    const std::uint32_t perChunk =
        static_cast<std::uint32_t>(std::max<size_t>(1, (1u << 20) / length));
    std::string chunk;
    Record r;
    r.state_ = state_.get();
    r.pointersAsRead_ = true;
    for (std::uint32_t first = 0; first < count; first += perChunk) {
        const std::uint32_t n = std::min(perChunk, count - first);
        chunk.resize(n * length);
        size_t got = 0;
        try {
            got = state_->file.readAt(state_->recordOffset(first), chunk.data(), chunk.size());
        } catch (const std::system_error& e) {
            throw Error("Tabulku „" + state_->name() +
                        "“ nelze číst: " + describeErrno(e.code().value()) + ".");
        }
        if (got != chunk.size()) {
            state_->fail("soubor skončil uprostřed řádku " +
                         std::to_string(first + got / length + 1));
        }
        for (std::uint32_t i = 0; i < n; ++i) {
            const char flag = chunk[i * length];
            if (flag == '*' && !includeDeleted) {
                continue;
            }
            r.recno_ = first + i;
            r.raw_.assign(chunk, i * length, length);
            if (!visit(r)) {
                return;
            }
        }
    }
}

std::vector<Record> Table::readAll(bool includeDeleted) const {
    std::vector<Record> rows;
    rows.reserve(state_->info.recordCount);
    scan(
        [&](const Record& r) {
            rows.push_back(r);
            return true;
        },
        includeDeleted);
    return rows;
}

void TableState::ownMemoPointers(Record& record, const std::string* onDisk) const {
    for (size_t i = 0; i < fields.size(); ++i) {
        const int col = static_cast<int>(i);
        if (fields[i].type != 'M' || record.memoEdits_.count(col)) {
            continue;
        }
        const std::string_view mine = record.rawField(col);
        const size_t at = 1 + offsets[i];
        if (onDisk && onDisk->compare(at, mine.size(), mine) == 0) {
            continue;
        }
        if (blockAt(mine, col, record.recno_) != 0) {
            record.memoEdits_[col] = record.memo(col);
        }
    }
}

void TableState::storeMemos(Record& record, const std::string* onDisk) {
    std::string& raw = record.raw_;
    for (const auto& [col, textValue] : record.memoEdits_) {
        const auto& f = fields[static_cast<size_t>(col)];
        const size_t at = 1 + offsets[static_cast<size_t>(col)];
        const std::string bytes = text::fromUtf8(textValue, codePage);
        std::uint32_t block = 0;
        const std::uint32_t old =
            onDisk ? blockAt(std::string_view(*onDisk).substr(at, static_cast<size_t>(f.width)),
                             col, record.recno_)
                   : 0;
        if (old != 0) {
            std::optional<std::string> stored;
            try {
                stored = memoFile().read(old);
            } catch (const Error&) {
                // A damaged old memo is not written over; the text goes to new blocks.
            }
            if (stored && *stored == bytes) {
                block = old;
            } else if (stored && memoFile().overwrite(old, bytes)) {
                block = old;
            }
        }
        if (block == 0 && !bytes.empty()) {
            block = memoFile().append(bytes);
        }
        const std::string pointer = memoPointer(block, f.width, binaryMemoPointers);
        raw.replace(at, pointer.size(), pointer);
    }
}

void Table::update(Record& record) {
    auto& s = *state_;
    s.checkWritable();
    if (record.state_ == &s && record.recno_ >= s.info.recordCount) {
        s.refreshCount();
    }
    if (record.state_ != &s || record.recno_ >= s.info.recordCount) {
        throw Error("Řádek nepatří do tabulky „" + s.name() + "“.");
    }
    try {
        if (s.hasMemoColumns() && (!record.memoEdits_.empty() || !record.pointersAsRead_)) {
            // Memo blocks are allocated under the header lock, against the row as it is now.
            HeaderLock lock(s.file, true);
            const std::string onDisk =
                s.file.readAt(s.recordOffset(record.recno_), s.info.recordLength);
            s.ownMemoPointers(record, &onDisk);
            s.storeMemos(record, &onDisk);
            s.file.writeAt(s.recordOffset(record.recno_), record.raw_);
            record.pointersAsRead_ = true;
        } else {
            s.file.writeAt(s.recordOffset(record.recno_), record.raw_);
        }
        record.memoEdits_.clear();
        s.dirty = true;
    } catch (const std::system_error& e) {
        throw Error("Do tabulky „" + s.name() +
                    "“ nelze zapisovat: " + describeErrno(e.code().value()) + ".");
    }
}

std::uint32_t Table::append(Record& record) {
    std::vector<Record*> one{&record};
    return appendRecords(one);
}

std::uint32_t Table::append(std::vector<Record>& records) {
    std::vector<Record*> all;
    all.reserve(records.size());
    for (auto& r : records) {
        all.push_back(&r);
    }
    return appendRecords(all);
}

std::uint32_t Table::appendRecords(const std::vector<Record*>& records) {
    auto& s = *state_;
    s.checkWritable();
    for (const Record* r : records) {
        if (r->state_ != &s) {
            throw Error("Řádek nepatří do tabulky „" + s.name() + "“.");
        }
    }
    try {
        // The count is read and written under the header lock, so no other handle, here or in
        // another process, can append between the two.
        HeaderLock lock(s.file, true);
        s.refreshCount(true);
        const std::uint32_t first = s.info.recordCount;
        std::string bytes;
        bytes.reserve(records.size() * s.info.recordLength + 1);
        for (Record* r : records) {
            s.ownMemoPointers(*r, nullptr);
            s.storeMemos(*r, nullptr);
            r->raw_[0] = ' ';
            bytes += r->raw_;
        }
        bytes += '\x1A';
        // The rows and the end mark first; the header that counts them last.
        s.file.writeAt(s.recordOffset(first), bytes);
        s.info.recordCount = first + static_cast<std::uint32_t>(records.size());
        s.writeHeaderCountAndDate();
        for (size_t i = 0; i < records.size(); ++i) {
            records[i]->recno_ = first + static_cast<std::uint32_t>(i);
            records[i]->memoEdits_.clear();
            records[i]->pointersAsRead_ = true;
        }
        return first;
    } catch (const std::system_error& e) {
        throw Error("Do tabulky „" + s.name() +
                    "“ nelze zapisovat: " + describeErrno(e.code().value()) + ".");
    }
}

void Table::setDeleted(std::uint32_t recno, bool deleted) {
    auto& s = *state_;
    s.checkWritable();
    if (recno >= s.info.recordCount) {
        s.refreshCount();
    }
    if (recno >= s.info.recordCount) {
        throw Error("Tabulka „" + s.name() + "“ nemá řádek " + std::to_string(recno + 1) + ".");
    }
    try {
        s.file.writeAt(s.recordOffset(recno), deleted ? "*" : " ");
        s.dirty = true;
    } catch (const std::system_error& e) {
        throw Error("Do tabulky „" + s.name() +
                    "“ nelze zapisovat: " + describeErrno(e.code().value()) + ".");
    }
}

void Table::close() {
    if (!state_) {
        return;
    }
    if (state_->dirty && state_->file.isOpen()) {
        // Only the date: the count belongs to whoever appended last, under the header lock.
        try {
            state_->writeHeaderDate();
        } catch (...) {
            // The rows are written; only the date of the last change is lost.
        }
    }
    state_->file.close();
    state_.reset();
}

} // namespace arkona::dbf

#include "base/codepage.h"
#include "base/dbf/table.h"
#include "base/locale.h"
#include "cli/command.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>

namespace arkona::cli {

namespace {

const char* kTableHelp = R"(Použití:
  arkona table info SOUBOR
      Vypíše strukturu tabulky: verzi, kódovou stránku, sloupce s typem, šířkou
      a počtem desetinných míst a počty řádků.
  arkona table dump SOUBOR [--csv] [--deleted]
      Vypíše řádky tabulky v UTF-8 i s poznámkami (memo). S --csv jako CSV
      s řádkem názvů sloupců, s --deleted i řádky označené ke smazání.
)";

std::string versionName(std::uint8_t v) {
    switch (v) {
    case 0x03:
        return "dBase III";
    case 0x83:
        return "dBase III s poznámkami";
    case 0x8B:
        return "dBase IV s poznámkami";
    case 0x04:
        return "dBase IV";
    case 0x30:
    case 0x31:
    case 0x32:
        return "Visual FoxPro";
    case 0xF5:
        return "FoxPro 2 s poznámkami";
    default:
        return "dBase";
    }
}

std::string codePageName(const dbf::Table& t) {
    switch (t.codePage()) {
    case text::CodePage::Windows1250:
        return "Windows-1250";
    case text::CodePage::Dos852:
        return "DOS 852";
    case text::CodePage::Windows1252:
        return "Windows-1252";
    }
    return {};
}

std::string hex(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", v);
    return buf;
}

int info(const std::string& file, Streams& io) {
    const dbf::Table t = dbf::Table::open(file, dbf::OpenMode::ReadOnly);
    const auto& i = t.info();
    std::uint32_t deleted = 0;
    t.scan(
        [&](const dbf::Record& r) {
            deleted += r.deleted() ? 1 : 0;
            return true;
        },
        true);
    io.out << "Tabulka: " << file << "\n"
           << "Verze: " << hex(i.version) << " (" << versionName(i.version) << ")\n"
           << "Kódová stránka: " << hex(i.languageDriver) << " (" << codePageName(t)
           << (i.languageDriver == 0 ? ", neuvedena" : "") << ")\n"
           << "Poslední změna: " << Locale::current().formatDate(i.lastUpdate) << "\n"
           << "Délka hlavičky: " << i.headerLength << " B, délka řádku: " << i.recordLength
           << " B\n"
           << "Řádků: " << i.recordCount << " (platných " << i.recordCount - deleted
           << ", smazaných " << deleted << ")\n";
    io.out << "Sloupce:\n";
    int n = 0;
    for (const auto& f : t.fields()) {
        std::string name = f.name;
        name.resize(std::max<size_t>(name.size(), 11), ' ');
        ++n;
        io.out << "  " << (n < 10 ? " " : "") << n << "  " << name << f.type << "  " << f.width
               << "  " << f.decimals << "\n";
    }
    return kOk;
}

// UTF-8 of every byte of the table's code page, built once: the dump converts millions of bytes.
class ByteDecoder {
public:
    explicit ByteDecoder(text::CodePage page) {
        for (int b = 0; b < 256; ++b) {
            bytes_[b] = text::toUtf8(std::string(1, static_cast<char>(b)), page);
        }
    }
    void append(std::string& out, std::string_view in) const {
        for (unsigned char c : in) {
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else {
                out += bytes_[c];
            }
        }
    }

private:
    std::array<std::string, 256> bytes_;
};

std::string_view trimBlanks(std::string_view s) {
    // Most wide columns are wholly blank: compare them in one go.
    static const std::string blanks(256, ' ');
    if (s.size() <= blanks.size() && std::memcmp(s.data(), blanks.data(), s.size()) == 0) {
        return {};
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) {
        s.remove_suffix(1);
    }
    while (!s.empty() && s.front() == ' ') {
        s.remove_prefix(1);
    }
    return s;
}

// Writes rows as text or CSV straight into one buffer: no per-field strings for the common
// column types, since a catalogue has millions of fields.
class RowWriter {
public:
    RowWriter(const dbf::Table& table, bool csv)
        : table_(table), decoder_(table.codePage()), csv_(csv) {}

    void appendRow(std::string& out, const dbf::Record& r) {
        const auto& fields = table_.fields();
        for (size_t c = 0; c < fields.size(); ++c) {
            if (csv_) {
                if (c) {
                    out += ',';
                }
            } else {
                out += fields[c].name;
                out += ": ";
            }
            appendValue(out, r, static_cast<int>(c), fields[c]);
            if (!csv_) {
                out += '\n';
            }
        }
        out += '\n';
    }

private:
    void appendValue(std::string& out, const dbf::Record& r, int col, const dbf::FieldDef& f) {
        const std::string_view raw = r.rawField(col);
        switch (f.type) {
        case 'C':
            appendText(out, trimBlanks(raw), true);
            return;
        case 'N':
        case 'F':
            out += trimBlanks(raw);
            return;
        case 'L': {
            const char v = raw.empty() ? ' ' : raw[0];
            if (std::strchr("TtYy", v)) {
                out += 'T';
            } else if (std::strchr("FfNn", v)) {
                out += 'F';
            }
            return;
        }
        case 'D':
            if (raw.size() == 8 &&
                std::all_of(raw.begin(), raw.end(),
                            [](char ch) { return ch >= '0' && ch <= '9'; }) &&
                raw != "00000000") {
                r.date(col); // reports a date that is not one
                out.append(raw.substr(0, 4))
                    .append("-")
                    .append(raw.substr(4, 2))
                    .append("-")
                    .append(raw.substr(6, 2));
                return;
            }
            break;
        case 'M': {
            memo_ = r.memo(col);
            appendText(out, memo_, false);
            return;
        }
        default:
            break;
        }
        memo_ = r.display(col);
        appendText(out, memo_, false);
    }

    // `bytes` true: raw code-page bytes still to be decoded; false: UTF-8 already.
    void appendText(std::string& out, std::string_view value, bool bytes) {
        const bool quote = csv_ && value.find_first_of(",\"\r\n") != std::string_view::npos;
        if (!quote) {
            bytes ? decoder_.append(out, value) : void(out += value);
            return;
        }
        std::string escaped;
        for (char ch : value) {
            if (ch == '"') {
                escaped += '"';
            }
            escaped += ch;
        }
        out += '"';
        bytes ? decoder_.append(out, escaped) : void(out += escaped);
        out += '"';
    }

    const dbf::Table& table_;
    ByteDecoder decoder_;
    bool csv_;
    std::string memo_;
};

int dump(const std::string& file, bool csv, bool withDeleted, Streams& io) {
    const dbf::Table t = dbf::Table::open(file, dbf::OpenMode::ReadOnly);
    RowWriter writer(t, csv);
    std::string out;
    out.reserve(2u << 20);
    auto flush = [&] {
        io.out.write(out.data(), static_cast<std::streamsize>(out.size()));
        out.clear();
    };
    if (csv) {
        if (withDeleted) {
            out += "_DELETED,";
        }
        for (size_t c = 0; c < t.fields().size(); ++c) {
            out += c ? "," : "";
            out += t.fields()[c].name;
        }
        out += '\n';
    }
    t.scan(
        [&](const dbf::Record& r) {
            if (csv && withDeleted) {
                out += r.deleted() ? "*," : ",";
            } else if (!csv) {
                out += "#" + std::to_string(r.recno() + 1) + (r.deleted() ? " (smazaný)\n" : "\n");
            }
            writer.appendRow(out, r);
            if (out.size() > (1u << 20)) {
                flush();
            }
            return true;
        },
        withDeleted);
    flush();
    return kOk;
}

} // namespace

int runTable(Arguments args, Streams& io) {
    if (args.hasHelp()) {
        io.out << kTableHelp;
        return kOk;
    }
    if (args.words.empty()) {
        return badUsage(io, "chybí podpříkaz (info nebo dump)", "table");
    }
    const std::string sub = args.words.front();
    args.words.erase(args.words.begin());
    if (sub == "info") {
        if (args.words.size() != 1 || args.words[0].starts_with("--")) {
            return badUsage(io, "table info potřebuje právě jeden soubor", "table");
        }
        return info(args.words[0], io);
    }
    if (sub == "dump") {
        const bool csv = args.takeFlag("--csv");
        const bool deleted = args.takeFlag("--deleted");
        if (args.words.size() != 1 || args.words[0].starts_with("--")) {
            return badUsage(io, "table dump potřebuje právě jeden soubor", "table");
        }
        return dump(args.words[0], csv, deleted, io);
    }
    return badUsage(io, "neznámý podpříkaz „" + sub + "“", "table");
}

} // namespace arkona::cli

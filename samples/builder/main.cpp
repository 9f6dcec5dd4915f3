// Builds a sample project ("style") from its reviewable sources:
//   arkona-sample-builder SOURCE-FOLDER OUTPUT-FOLDER
// SOURCE-FOLDER holds project/ (copied; *.ini files turned into Windows-1250 with CR LF),
// tables/*.json (rows of the project tables; every table of the project is created),
// texts/ (long texts that rows name as "@texts/..."), templates/*.json (written into _sablony),
// vzor.ini and pictures.json.
#include "base/codepage.h"
#include "base/dbf/table.h"
#include "base/error.h"
#include "pictures.h"
#include "storage/project_context.h"
#include "storage/schema.h"
#include "templates.h"

#include <array>
#include <fstream>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

namespace fs = std::filesystem;
using nlohmann::json;

namespace arkona::samples {

namespace {

std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + file.string());
    }
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeBytes(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

// Settings files are written as the program keeps them: Windows-1250, CR LF.
void writeProfile(const fs::path& source, const fs::path& target) {
    std::string text = readText(source);
    std::string crlf;
    for (char c : text) {
        if (c == '\r') {
            continue;
        }
        if (c == '\n') {
            crlf += '\r';
        }
        crlf += c;
    }
    writeBytes(target, text::fromUtf8(crlf));
}

void copyProject(const fs::path& from, const fs::path& to) {
    for (const auto& entry : fs::recursive_directory_iterator(from)) {
        const fs::path target = to / fs::relative(entry.path(), from);
        if (entry.is_directory()) {
            fs::create_directories(target);
        } else if (entry.path().extension() == ".ini") {
            writeProfile(entry.path(), target);
        } else {
            fs::create_directories(target.parent_path());
            fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing);
        }
    }
}

std::string cellText(const json& value, const fs::path& source) {
    std::string s = value.get<std::string>();
    if (s.starts_with("@")) {
        // Texts of the project are Windows texts: CR LF between lines, none after the last.
        const std::string file = readText(source / s.substr(1));
        s.clear();
        for (char c : file) {
            if (c == '\n') {
                s += '\r';
            }
            if (c != '\r') {
                s += c;
            }
        }
        while (s.ends_with("\r\n")) {
            s.resize(s.size() - 2);
        }
    }
    return s;
}

void setCell(dbf::Record& record, const std::string& column, const json& value,
             const fs::path& source) {
    const int col = record.column(column);
    if (value.is_null()) {
        record.setBlank(col);
    } else if (value.is_boolean()) {
        record.setLogical(col, value.get<bool>());
    } else if (value.is_number()) {
        record.setNumber(col, value.get<double>());
    } else if (value.is_string()) {
        const std::string s = cellText(value, source);
        if (s.size() == 10 && s[4] == '-' && s[7] == '-') {
            try {
                record.setDate(col, Date{std::stoi(s.substr(0, 4)), std::stoi(s.substr(5, 2)),
                                         std::stoi(s.substr(8, 2))});
                return;
            } catch (const Error&) {
                // not a date column: plain text
            }
        }
        record.setText(col, s);
    } else {
        throw std::runtime_error("unsupported value in column " + column);
    }
}

void buildTables(const fs::path& source, const fs::path& dbfFolder) {
    fs::create_directories(dbfFolder);
    for (const auto& schema : storage::projectTables()) {
        const fs::path file = dbfFolder / schema.fileName;
        dbf::Table::create(file, schema.fields());
        const fs::path rowsFile =
            source / "tables" / (fs::path(schema.fileName).stem().string() + ".json");
        if (!fs::exists(rowsFile)) {
            continue;
        }
        const json doc = json::parse(readText(rowsFile));
        const json defaults = doc.value("defaults", json::object());
        auto table = dbf::Table::open(file);
        for (const auto& row : doc.at("rows")) {
            auto record = table.blankRecord();
            for (const auto& [column, value] : defaults.items()) {
                setCell(record, column, value, source);
            }
            for (const auto& [column, value] : row.items()) {
                setCell(record, column, value, source);
            }
            table.append(record);
        }
    }
}

// The powered-by logo every generated page shows at its foot (85 x 28): the name in blocky
// capitals on a band.
void drawLogo(const fs::path& file) {
    static const std::map<char, std::array<const char*, 7>> glyphs = {
        {'A', {"01110", "10001", "10001", "11111", "10001", "10001", "10001"}},
        {'R', {"11110", "10001", "10001", "11110", "10100", "10010", "10001"}},
        {'K', {"10001", "10010", "10100", "11000", "10100", "10010", "10001"}},
        {'O', {"01110", "10001", "10001", "10001", "10001", "10001", "01110"}},
        {'N', {"10001", "11001", "10101", "10011", "10001", "10001", "10001"}},
    };
    Canvas logo(85, 28, colour("2F5F2F"));
    logo.fill(1, 1, 83, 26, colour("E8F0E0"));
    const std::string name = "ARKONA";
    int x = 4;
    for (char letter : name) {
        const auto& rows = glyphs.at(letter);
        for (int row = 0; row < 7; ++row) {
            for (int col = 0; col < 5; ++col) {
                if (rows[static_cast<size_t>(row)][col] == '1') {
                    logo.fill(x + col * 2, 7 + row * 2, 2, 2, colour("2F5F2F"));
                }
            }
        }
        x += 13;
    }
    writeGif(logo, file);
}

void drawPictures(const fs::path& source, const fs::path& output) {
    drawLogo(output / "WWW" / "_images" / "arlogo.gif");
    const json doc = json::parse(readText(source / "pictures.json"));
    for (const char* name : {"nav", "vyb"}) {
        const json& p = doc.at(name);
        Canvas bullet(13, 13, colour(p.at("background")));
        bullet.disc(6, 6, 4, colour(p.at("colour")));
        const Rgb bg = colour(p.at("background"));
        const fs::path file = output / (std::string(name) + ".gif");
        writeGif(bullet, file, &bg);
        fs::copy_file(file, output / "WWW" / "_images" / file.filename(),
                      fs::copy_options::overwrite_existing);
    }
    // The style's preview: navigation column, heading band and lines of text.
    const json& p = doc.at("preview");
    Canvas preview(200, 150, colour(p.at("page")));
    preview.fill(0, 0, 50, 150, colour(p.at("navigation")));
    for (int i = 0; i < 6; ++i) {
        preview.disc(8, 18 + i * 14, 3, colour(doc.at("nav").at("colour")));
        preview.fill(14, 16 + i * 14, 30, 4, colour(p.at("text")));
    }
    preview.fill(60, 10, 130, 16, colour(p.at("heading")));
    for (int i = 0; i < 8; ++i) {
        preview.fill(60, 38 + i * 12, i % 3 == 2 ? 90 : 130, 4, colour(p.at("text")));
    }
    writeJpeg(preview, output / "nahled.jpg");
}

} // namespace

int build(const fs::path& source, const fs::path& output) {
    const fs::path tmp = output.string() + ".new";
    fs::remove_all(tmp);
    fs::create_directories(tmp);
    copyProject(source / "project", tmp);
    for (const char* folder : {"_dbf", "_sablony", "_obr", "WWW/_images"}) {
        fs::create_directories(tmp / folder);
    }
    buildTables(source, tmp / "_dbf");
    buildTemplates(source, tmp);
    storage::completeProjectIni(tmp / storage::kProjectIniName);
    writeProfile(source / "vzor.ini", tmp / "vzor.ini");
    drawPictures(source, tmp);
    fs::remove_all(output);
    fs::rename(tmp, output);
    return 0;
}

} // namespace arkona::samples

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: arkona-sample-builder SOURCE-FOLDER OUTPUT-FOLDER\n";
        return 2;
    }
    try {
        return arkona::samples::build(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::cerr << "arkona-sample-builder: " << argv[1] << ": " << e.what() << "\n";
        return 1;
    }
}

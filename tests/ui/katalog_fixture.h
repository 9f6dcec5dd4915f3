#pragma once

// A project for the catalogue windows: every table, built in a temporary folder, with helpers
// to fill the catalogue tables and read them back through a fresh handle.
#include "base/dbf/table.h"
#include "base/textcase.h"
#include "catalogue/calculated_columns.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "storage/schema.h"
#include "storage/user_settings.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace arkona::uitest {

using Cell = std::variant<std::string, const char*, double, int, bool>;
using Row = std::vector<std::pair<std::string, Cell>>;
using Strings = std::vector<std::string>;

// Types into a line edit as a user does. Key events carry Latin-1 only, so letters beyond it go
// in as a paste would.
inline void typeText(QLineEdit* edit, const QString& text) {
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClicks(edit, QString(ch));
        } else {
            edit->insert(QString(ch));
        }
    }
}

// Makes a dialog the active window, so that moving the focus between its fields leaves them as
// a user's clicks would.
inline bool activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

struct KatalogProject {
    QTemporaryDir dir;
    std::filesystem::path root{dir.path().toStdString()};
    std::filesystem::path folder{root / "projekt"};
    std::filesystem::path settingsFile{root / "settings.ini"};
    storage::UserSettings settings{settingsFile};
    storage::ProjectContext context;
    storage::TData2 data;

    KatalogProject() {
        std::filesystem::create_directories(folder / "_dbf");
        std::filesystem::create_directories(folder / "_obr");
        std::ofstream(folder / "ArkonaTree.ini", std::ios::binary)
            << "[Projekt]\r\nName=Obchod\r\n[Sazby_DPH]\r\niDPH_L=5\r\niDPH_H=22\r\n"
               "[Mena]\r\nCurrency=K\xE8\r\n"; // Windows-1250
        for (const auto& schema : storage::projectTables()) {
            dbf::Table::create(folder / "_dbf" / schema.fileName, schema.fields());
        }
        context.setProjectFolder(folder);
        storage::readArkonaTree(context);
        context.projectOpen = true;
        data.SetProjectPath(folder);
        catalogue::installCalculatedColumns(data, context);
    }

    std::filesystem::path table(const char* name) const { return folder / "_dbf" / name; }

    void add(const char* name, const std::vector<Row>& rows) const {
        auto t = dbf::Table::open(table(name));
        for (const auto& row : rows) {
            auto r = t.blankRecord();
            for (const auto& [column, value] : row) {
                std::visit(
                    [&](const auto& v) {
                        using T = std::decay_t<decltype(v)>;
                        if constexpr (std::is_same_v<T, bool>) {
                            r.setLogical(column, v);
                        } else if constexpr (std::is_same_v<T, double> || std::is_same_v<T, int>) {
                            r.setNumber(column, static_cast<double>(v));
                        } else if (t.field(column).type == 'D') {
                            const std::string d(v); // "YYYYMMDD"
                            r.setDate(column,
                                      Date{std::stoi(d.substr(0, 4)), std::stoi(d.substr(4, 2)),
                                           std::stoi(d.substr(6, 2))});
                        } else {
                            r.setText(column, std::string(v));
                        }
                    },
                    value);
            }
            t.append(r);
        }
    }

    // Each live row as the given columns joined by " ".
    Strings rows(const char* name, const Strings& columns) const {
        Strings out;
        const auto t = dbf::Table::open(table(name), dbf::OpenMode::ReadOnly);
        t.scan([&](const dbf::Record& r) {
            std::string line;
            for (const auto& c : columns) {
                line += (line.empty() ? "" : " ") + std::string(text::trim(r.display(r.column(c))));
            }
            out.push_back(std::string(text::trimRight(line)));
            return true;
        });
        return out;
    }

    static Row group(int id, const std::string& name, int parent, int poradi) {
        return {{"SKUPID", id},  {"NAZEV", name}, {"PARENT", parent}, {"PORADI", poradi},
                {"N_IDPH", "H"}, {"ROUND", "0"},  {"REC_NC", true},   {"REC_DC", false},
                {"REC_M", true}, {"SLEVA", 0.0},  {"DISTID", 0}};
    }
    static Row item(int group, const std::string& code, const std::string& name, double pH = 100) {
        return {{"SKUPID", group}, {"KOD", code}, {"NAZEV", name}, {"N_IDPH", "H"},
                {"P_IDPH", "H"},   {"P_H", pH},   {"ROUND", "0"}};
    }
    static Row product(const std::string& code, const char* type, double price = 1) {
        return {{"HTMLID", "8_"}, {"SEKCEID", 1},  {"PORADI", 1},     {"TYP", type},
                {"KOD", code},    {"NAZEV", code}, {"P_CENA", price}, {"P_CENA_DPH", price},
                {"P_IDPH", "0"},  {"ROUND", "0"}};
    }
    static Row component(const std::string& code, const char* type) {
        return {{"KOD_ZB", "SADA"}, {"SKUPID", 1}, {"TYP", type}, {"KOD", code}, {"NAZEV", code}};
    }
};

} // namespace arkona::uitest

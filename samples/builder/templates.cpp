#include "templates.h"

#include "base/textcase.h"
#include "pictures.h"
#include "storage/project_context.h"
#include "templates/payment_settings.h"
#include "templates/section_template.h"
#include "templates/shop_settings.h"

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;
using nlohmann::json;

namespace arkona::samples {

namespace {

using namespace arkona::templates;

json readJson(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + file.string());
    }
    std::ostringstream s;
    s << in.rdbuf();
    try {
        return json::parse(s.str());
    } catch (const json::exception& e) {
        throw std::runtime_error(file.string() + ": " + e.what());
    }
}

// Values may be written as numbers where the file holds digits ("colspan": 3).
std::string valueText(const json& v, const std::string& key) {
    if (v.is_string()) {
        return v.get<std::string>();
    }
    if (v.is_number_integer()) {
        return std::to_string(v.get<long long>());
    }
    throw std::runtime_error("the value of " + key + " must be text or a whole number");
}

[[noreturn]] void unknownKey(const std::string& where, const std::string& key) {
    throw std::runtime_error("unknown key " + key + " in " + where);
}

// Sets the named keys of a cell or order row.
template <class Cell> void applyCellKeys(Cell& cell, const json& keys, const std::string& where) {
    for (const auto& [key, value] : keys.items()) {
        const std::string v = valueText(value, key);
        if (key == "bgcolor") {
            cell.bgcolor = v;
        } else if (key == "font") {
            cell.font = v;
        } else if (key == "item") {
            cell.item = v;
        } else if (key == "text1") {
            cell.text1 = v;
        } else if (key == "text2") {
            cell.text2 = v;
        } else if (key == "justify") {
            cell.justify = v;
        } else if (key == "colspan") {
            cell.colspan = v;
        } else if (key == "picture") {
            cell.picture = v;
        } else if constexpr (requires(Cell c) { c.exist; }) {
            if (key != "exist") {
                unknownKey(where, key);
            }
            cell.exist = v;
        } else {
            unknownKey(where, key);
        }
    }
}

// Named fonts: a cell may say "font": "@name" for a font of the file's "fonts".
void resolveFonts(json& keys, const json& fonts) {
    if (keys.contains("font") && keys["font"].is_string()) {
        const std::string f = keys["font"].get<std::string>();
        if (f.starts_with("@")) {
            keys["font"] = fonts.at(f.substr(1));
        }
    }
}

// "cells": {"0": {...}, "12": {...}} over a grid whose every cell starts as `base`.
void applyGrid(CellGrid& grid, const json& doc, const char* name, const json& fonts) {
    if (!doc.contains(name)) {
        return;
    }
    for (const auto& [number, keys] : doc.at(name).items()) {
        const int n = std::stoi(number);
        json k = keys;
        resolveFonts(k, fonts);
        applyCellKeys(grid[n], k, std::string(name) + " " + number);
    }
}

std::string text(const json& section, const char* key, const std::string& fallback) {
    return section.contains(key) ? valueText(section.at(key), key) : fallback;
}

SectionTemplate sectionTemplate(const json& doc, TemplateKind kind) {
    SectionTemplate t = newTemplate(kind);
    const json fonts = doc.value("fonts", json::object());
    // What every cell ("cell") and order row ("cell", then "row") starts from.
    if (doc.contains("cell")) {
        json base = doc.at("cell");
        resolveFonts(base, fonts);
        for (GridKind g : {GridKind::Header, GridKind::Items, GridKind::Totals}) {
            for (TemplateCell& c : t.grid(g).cells) {
                applyCellKeys(c, base, "cell");
            }
        }
        for (OrderRow& r : t.orderRows) {
            applyCellKeys(r, base, "cell");
        }
    }
    if (doc.contains("row")) {
        json base = doc.at("row");
        resolveFonts(base, fonts);
        for (OrderRow& r : t.orderRows) {
            applyCellKeys(r, base, "row");
        }
    }
    applyGrid(t.header, doc, "header", fonts);
    applyGrid(t.items, doc, "items", fonts);
    applyGrid(t.totals, doc, "totals", fonts);
    if (doc.contains("rows")) {
        for (const auto& [number, keys] : doc.at("rows").items()) {
            json k = keys;
            resolveFonts(k, fonts);
            applyCellKeys(t.orderRows.at(std::stoul(number)), k, "row " + number);
        }
    }
    for (const auto& row : doc.value("rowsOff", json::array())) {
        t.orderRows.at(row.get<std::size_t>()).exist = "False";
    }
    const json description = doc.value("Sablona", json::object());
    t.name = text(description, "Name", t.name);
    t.autor = text(description, "Autor", t.autor);
    t.spolecnost = text(description, "Spolecnost", t.spolecnost);
    const json karta = doc.value("Karta", json::object());
    t.cislo = text(karta, "cislo", t.cislo);
    t.platnost = text(karta, "platnost", t.platnost);
    t.objednavka = text(karta, "Objednavka", t.objednavka);
    const json texty = doc.value("Texty", json::object());
    t.smazatKosik = text(texty, "SmazatKosik", t.smazatKosik);
    t.neniCoObjednavat = text(texty, "NeniCoObjednavat", t.neniCoObjednavat);
    t.odebratZbozi = text(texty, "OdebratZbozi", t.odebratZbozi);
    return t;
}

bool flag(const json& v, const std::string& key) {
    if (!v.is_boolean()) {
        throw std::runtime_error(key + " must be true or false");
    }
    return v.get<bool>();
}

// Numbered keys "c3", "tC12", "tE1": the number after the prefix, or -1.
int numberAfter(const std::string& key, const std::string& prefix) {
    if (!key.starts_with(prefix) || key.size() == prefix.size()) {
        return -1;
    }
    const std::string digits = key.substr(prefix.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos) {
        return -1;
    }
    return std::stoi(digits);
}

ShopSettings shopSettings(const json& doc) {
    ShopSettings s = defaultShopSettings(Defaults::Editor);
    for (const auto& [section, keys] : doc.items()) {
        for (const auto& [key, v] : keys.items()) {
            const std::string where = section + " " + key;
            if (section == "Odskoky") {
                if (key == "Navigace") {
                    s.navigace = valueText(v, key);
                } else if (key == "Pracovni") {
                    s.pracovni = valueText(v, key);
                } else if (key == "Kosik") {
                    s.kosik = valueText(v, key);
                } else if (key == "Kosik_ano") {
                    s.kosikAno = flag(v, key);
                } else if (key == "umisteni") {
                    s.umisteni = valueText(v, key);
                } else if (key == "velikost") {
                    s.velikost = valueText(v, key);
                } else if (key == "body") {
                    s.body = flag(v, key);
                } else {
                    unknownKey(section, key);
                }
            } else if (section == "Confirm" && numberAfter(key, "c") >= 0 &&
                       numberAfter(key, "c") < kConfirmSwitches) {
                s.c[numberAfter(key, "c")] = flag(v, where);
            } else if (section == "Confirm" && numberAfter(key, "tC") >= 1 &&
                       numberAfter(key, "tC") <= kConfirmTexts) {
                s.tC[numberAfter(key, "tC")] = valueText(v, key);
            } else if (section == "Error" && numberAfter(key, "tE") >= 1 &&
                       numberAfter(key, "tE") <= 3) {
                s.tE[numberAfter(key, "tE")] = valueText(v, key);
            } else if (section == "Status" && numberAfter(key, "tS") >= 1 &&
                       numberAfter(key, "tS") <= 3) {
                s.tS[numberAfter(key, "tS")] = valueText(v, key);
            } else if (section == "FormatCisla" && key == "zaokr") {
                s.zaokr = valueText(v, key);
            } else if (section == "FormatCisla" && key == "oddelovac") {
                s.oddelovac = valueText(v, key);
            } else if (section == "FormatCisla" && key == "desetinne") {
                s.desetinne = valueText(v, key);
            } else if (section == "FormatCisla" && key == "ukoncovac") {
                s.ukoncovac = valueText(v, key);
            } else {
                unknownKey(section, key);
            }
        }
    }
    return s;
}

// The template editor saves these into ArkonaTree.ini with an order or cart template.
void writeIniSettings(const json& doc, const fs::path& ini) {
    if (!doc.contains("ArkonaTree.ini")) {
        return;
    }
    const json& settings = doc.at("ArkonaTree.ini");
    for (const auto& [section, keys] : settings.items()) {
        if (section == "Form") {
            OrderFormSettings f = initialOrderFormSettings();
            f.action = text(keys, "action", f.action);
            f.method = text(keys, "method", f.method);
            f.onSubmit = text(keys, "onSubmit", f.onSubmit);
            for (std::size_t i = 0; i < f.add.size(); ++i) {
                f.add[i] = text(keys, ("add" + std::to_string(i + 1)).c_str(), f.add[i]);
            }
            for (std::size_t i = 0; i < f.hidden.size(); ++i) {
                f.hidden[i] = text(keys, ("hidden" + std::to_string(i + 1)).c_str(), f.hidden[i]);
            }
            writeOrderFormSettings(ini, f);
        } else if (section == "Expandia" || section == "eCity") {
            const PaymentSection which =
                section == "Expandia" ? PaymentSection::Expandia : PaymentSection::ECity;
            PaymentSettings p = initialPaymentSettings(which);
            p.ebCesta = text(keys, "ebCesta", p.ebCesta);
            p.ebShopname = text(keys, "ebShopname", p.ebShopname);
            p.ebUcet = text(keys, "ebUcet", p.ebUcet);
            p.ebBanka = text(keys, "ebBanka", p.ebBanka);
            p.ebKonstSymb = text(keys, "ebKonstSymb", p.ebKonstSymb);
            p.ebMena = text(keys, "ebMena", p.ebMena);
            p.ebEmail = text(keys, "ebEmail", p.ebEmail);
            p.ebUrlOK = text(keys, "ebUrlOK", p.ebUrlOK);
            p.ebUrlFail = text(keys, "ebUrlFail", p.ebUrlFail);
            writePaymentSettings(ini, which, p);
        } else {
            unknownKey("ArkonaTree.ini", section);
        }
    }
}

// A small button picture: a cart drawn in `symbol` on a rounded `colour` plate.
void drawButton(const json& p, const fs::path& file) {
    const Rgb plate = colour(p.at("colour"));
    const Rgb symbol = colour(p.at("symbol"));
    const Rgb back = colour(p.at("background"));
    Canvas c(28, 22, back);
    c.fill(2, 0, 24, 22, plate);
    c.fill(0, 2, 28, 18, plate);
    c.disc(2, 2, 2, plate);
    c.disc(25, 2, 2, plate);
    c.disc(2, 19, 2, plate);
    c.disc(25, 19, 2, plate);
    c.fill(5, 5, 4, 2, symbol);  // handle
    c.fill(8, 7, 15, 2, symbol); // rim of the basket
    c.fill(9, 9, 13, 5, symbol); // basket
    c.fill(10, 14, 11, 1, symbol);
    c.disc(11, 17, 1, symbol); // wheels
    c.disc(20, 17, 1, symbol);
    writeGif(c, file, &back);
}

} // namespace

void buildTemplates(const fs::path& source, const fs::path& project) {
    const fs::path folder = source / "templates";
    if (!fs::exists(folder)) {
        return;
    }
    const fs::path target = project / "_sablony";
    fs::create_directories(target);
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".json") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        const std::string name = file.stem().string(); // "default.qsp"
        json doc = readJson(file);
        if (name == "buttons") {
            for (const auto& [picture, p] : doc.items()) {
                drawButton(p, target / picture);
                fs::create_directories(project / "WWW" / "_images");
                fs::copy_file(target / picture, project / "WWW" / "_images" / picture,
                              fs::copy_options::overwrite_existing);
            }
            continue;
        }
        const auto kind = kindOfName(name);
        if (!kind || withExtension(name, *kind) != name) {
            throw std::runtime_error(file.string() + ": not a template name");
        }
        try {
            if (*kind == TemplateKind::Shop) {
                writeShopSettings(target / name, shopSettings(doc));
            } else {
                writeTemplate(target / name, sectionTemplate(doc, *kind));
                writeIniSettings(doc, project / storage::kProjectIniName);
            }
        } catch (const std::exception& e) {
            throw std::runtime_error(file.string() + ": " + e.what());
        }
    }
}

} // namespace arkona::samples

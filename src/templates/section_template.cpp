#include "templates/section_template.h"

#include "base/profile.h"

#include <filesystem>

namespace arkona::templates {

namespace {

constexpr GridKind kGrids[] = {GridKind::Header, GridKind::Items, GridKind::Totals};

std::string cellSection(GridKind grid, int number) {
    return sectionLetter(grid) + std::to_string(number);
}

std::string rowSection(int row) {
    return "o" + std::to_string(row);
}

TemplateCell readCell(const ProfileFile& file, const std::string& s, const TemplateCell& d) {
    TemplateCell c;
    c.bgcolor = file.readString(s, "bgcolor", d.bgcolor);
    c.font = file.readString(s, "font", d.font);
    c.item = file.readString(s, "item", d.item);
    c.text1 = file.readString(s, "text1", d.text1);
    c.text2 = file.readString(s, "text2", d.text2);
    c.justify = file.readString(s, "justify", d.justify);
    c.colspan = file.readString(s, "colspan", d.colspan);
    c.picture = file.readString(s, "picture", d.picture);
    return c;
}

OrderRow readRow(const ProfileFile& file, const std::string& s, const OrderRow& d) {
    OrderRow r;
    r.bgcolor = file.readString(s, "bgcolor", d.bgcolor);
    r.font = file.readString(s, "font", d.font);
    r.item = file.readString(s, "item", d.item);
    r.text1 = file.readString(s, "text1", d.text1);
    r.text2 = file.readString(s, "text2", d.text2);
    r.justify = file.readString(s, "justify", d.justify);
    r.colspan = file.readString(s, "colspan", d.colspan);
    r.picture = file.readString(s, "picture", d.picture);
    r.exist = file.readString(s, "exist", d.exist);
    return r;
}

void addCell(ProfileEntries& out, const std::string& s, const TemplateCell& c) {
    out.push_back({s, "bgcolor", c.bgcolor});
    out.push_back({s, "font", c.font});
    out.push_back({s, "item", c.item});
    out.push_back({s, "text1", c.text1, true});
    out.push_back({s, "text2", c.text2, true});
    out.push_back({s, "justify", c.justify});
    out.push_back({s, "colspan", c.colspan});
    out.push_back({s, "picture", c.picture});
}

void addRow(ProfileEntries& out, const std::string& s, const OrderRow& r) {
    out.push_back({s, "bgcolor", r.bgcolor});
    out.push_back({s, "font", r.font});
    out.push_back({s, "item", r.item});
    out.push_back({s, "text1", r.text1, true});
    out.push_back({s, "text2", r.text2, true});
    out.push_back({s, "justify", r.justify});
    out.push_back({s, "colspan", r.colspan});
    out.push_back({s, "picture", r.picture});
    out.push_back({s, "exist", r.exist});
}

} // namespace

const CellGrid& SectionTemplate::grid(GridKind g) const {
    switch (g) {
    case GridKind::Header:
        return header;
    case GridKind::Items:
        return items;
    case GridKind::Totals:
        return totals;
    }
    return header;
}

CellGrid& SectionTemplate::grid(GridKind g) {
    return const_cast<CellGrid&>(static_cast<const SectionTemplate&>(*this).grid(g));
}

TemplateCell missingCell(GridKind grid, Defaults defaults) {
    TemplateCell c;
    const bool generatorHeader = grid == GridKind::Header && defaults == Defaults::Generator;
    c.bgcolor = generatorHeader ? kGeneratorHeaderBgcolor : kEditorHeaderBgcolor;
    c.justify = "0";
    c.colspan = "1";
    return c;
}

OrderRow missingOrderRow() {
    OrderRow r;
    r.bgcolor = kNoColour;
    r.justify = "0";
    r.colspan = "50";
    r.exist = "True";
    return r;
}

SectionTemplate missingTemplate(TemplateKind kind, Defaults defaults) {
    SectionTemplate t;
    t.kind = kind;
    for (GridKind g : kGrids) {
        t.grid(g).cells.fill(missingCell(g, defaults));
    }
    if (kind == TemplateKind::Order) {
        t.orderRows.assign(kOrderRows, missingOrderRow());
    }
    if (kind == TemplateKind::Cart) {
        t.smazatKosik = kDefaultSmazatKosik;
        t.neniCoObjednavat = kDefaultNeniCoObjednavat;
        t.odebratZbozi = kDefaultOdebratZbozi;
    }
    return t;
}

SectionTemplate newTemplate(TemplateKind kind) {
    SectionTemplate t = missingTemplate(kind, Defaults::Editor);
    for (GridKind g : kGrids) {
        t.grid(g).cells.fill(newTemplateCell());
    }
    if (kind == TemplateKind::Order) {
        t.orderRows = standardOrderRows();
    }
    return t;
}

SectionTemplate readTemplate(const std::filesystem::path& file, TemplateKind kind,
                             Defaults defaults) {
    SectionTemplate t = missingTemplate(kind, defaults);
    const ProfileFile profile(file);
    if (!profile.exists()) {
        return t;
    }
    for (GridKind g : kGrids) {
        const TemplateCell d = missingCell(g, defaults);
        for (int n = 0; n < kGridCells; ++n) {
            t.grid(g)[n] = readCell(profile, cellSection(g, n), d);
        }
    }
    if (kind == TemplateKind::Order) {
        const OrderRow d = missingOrderRow();
        for (int row = 0; row < kOrderRows; ++row) {
            t.orderRows[row] = readRow(profile, rowSection(row), d);
        }
        t.cislo = profile.readString("Karta", "cislo");
        t.platnost = profile.readString("Karta", "platnost");
    }
    if (kind == TemplateKind::Cart) {
        t.objednavka = profile.readString("Karta", "Objednavka");
        t.smazatKosik = profile.readString("Texty", "SmazatKosik", t.smazatKosik);
        t.neniCoObjednavat = profile.readString("Texty", "NeniCoObjednavat", t.neniCoObjednavat);
        t.odebratZbozi = profile.readString("Texty", "OdebratZbozi", t.odebratZbozi);
    }
    t.name = profile.readString("Sablona", "Name");
    t.autor = profile.readString("Sablona", "Autor");
    t.spolecnost = profile.readString("Sablona", "Spolecnost");
    return t;
}

ProfileEntries templateEntries(const SectionTemplate& t) {
    ProfileEntries out;
    out.push_back({"Sablona", "Name", t.name});
    out.push_back({"Sablona", "Autor", t.autor});
    out.push_back({"Sablona", "Spolecnost", t.spolecnost});
    for (GridKind g : kGrids) {
        for (int n = 0; n < kGridCells; ++n) {
            addCell(out, cellSection(g, n), t.grid(g)[n]);
        }
    }
    if (t.kind == TemplateKind::Order) {
        for (std::size_t row = 0; row < t.orderRows.size(); ++row) {
            addRow(out, rowSection(static_cast<int>(row)), t.orderRows[row]);
        }
        out.push_back({"Karta", "cislo", t.cislo, true});
        out.push_back({"Karta", "platnost", t.platnost, true});
    }
    if (t.kind == TemplateKind::Cart) {
        out.push_back({"Karta", "Objednavka", t.objednavka, true});
        out.push_back({"Texty", "SmazatKosik", t.smazatKosik, true});
        out.push_back({"Texty", "NeniCoObjednavat", t.neniCoObjednavat, true});
        out.push_back({"Texty", "OdebratZbozi", t.odebratZbozi, true});
    }
    return out;
}

void writeTemplate(const std::filesystem::path& file, const SectionTemplate& t) {
    ProfileFile profile(file);
    writeEntries(profile, templateEntries(t));
    profile.save();
}

} // namespace arkona::templates

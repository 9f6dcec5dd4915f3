#include "storage/data_module.h"

#include "base/error.h"
#include "base/paths.h"
#include "storage/schema.h"
#include "storage/statements.h"

namespace arkona::storage {

namespace {

ViewDefinition view(const char* name, const char* table, std::vector<std::string> parameters,
                    std::vector<std::string> order, ViewKind kind,
                    std::vector<std::string> columns = {}) {
    return {name, table, std::move(columns), std::move(parameters), std::move(order), kind};
}

Value numberOrBlank(const DataView& v, const char* column) {
    const auto n = v.current().number(column);
    return n ? Value(*n) : Value();
}

Value textValue(const DataView& v, const char* column) {
    return v.text(column);
}

Value flagValue(const DataView& v, const char* column) {
    const auto b = v.current().logical(column);
    return b ? Value(*b) : Value();
}

Value dateValue(const DataView& v, const char* column) {
    const auto d = v.current().date(column);
    return d ? Value(*d) : Value();
}

} // namespace

TData2::TData2()
    : qStruktur(view("qStruktur", kStruktur, {"HTMLID"}, {}, ViewKind::Direct)),
      qTree(view("qTree", kStruktur, {}, {"PORADI"}, ViewKind::Direct)),
      qLink(view("qLink", kStruktur, {"SRC", "LINK"}, {}, ViewKind::ReadOnly, {"HTMLID"})),
      qHtml(view("qHtml", kHtml, {"HTMLID"}, {"PORADI"}, ViewKind::Buffered)),
      qZbozi(view("qZbozi", kZbozi, {"HTMLID", "SEKCEID"}, {"PORADI"}, ViewKind::Buffered)),
      qZboziL(view("qZboziL", kZbozi, {"HTMLID", "SEKCEID"}, {"PORADI"}, ViewKind::Buffered,
                   {"KOD", "HTMLID", "SEKCEID", "NAZEV", "SLEVA", "TYP", "PORADI"})),
      qZboziUpr(view("qZboziUpr", kZbozi, {"HTMLID", "SEKCEID", "KOD"}, {}, ViewKind::Direct)),
      qSkupiny(view("qSkupiny", kSkupiny, {"SKUPID"}, {}, ViewKind::Direct)),
      qPomSkupiny(
          view("qPomSkupiny", kSkupiny, {}, {"NAZEV"}, ViewKind::Direct, {"NAZEV", "SKUPID"})),
      qKatalog(view("qKatalog", kKatalog, {"SKUPID"}, {"KOD"}, ViewKind::Buffered)),
      qKompot(view("qKompot", kKompot, {}, {"PORADI"}, ViewKind::Buffered)),
      qSestSk(view("qSestSk", kSestSk, {"KOD"}, {"PORADI"}, ViewKind::Buffered)),
      qDistrib(view("qDistrib", kDistrib, {}, {"NAZEV"}, ViewKind::Buffered)),
      qPromSystem(view("qPromSystem", kPromSys, {"HTMLID"}, {}, ViewKind::Direct)),
      qPromUser(view("qPromUser", kPromUsr, {"HTMLID"}, {}, ViewKind::Direct)),
      goodsWriter_(&qZbozi) {
    qLink.setParameter("LINK", false);
    connectCascades();
}

std::filesystem::path TData2::tableFile(std::string_view fileName) const {
    return paths::resolve(projectFolder_, "\\_dbf\\" + std::string(fileName));
}

// ---------------------------------------------------------------- binding and setters

std::vector<DataView*> TData2::views() {
    return {&qStruktur, &qTree,     &qLink,    &qHtml,       &qZbozi,
            &qZboziL,   &qZboziUpr, &qSkupiny, &qPomSkupiny, &qKatalog,
            &qKompot,   &qSestSk,   &qDistrib, &qPromSystem, &qPromUser};
}

void TData2::SetProjectPath(const std::filesystem::path& projectFolder) {
    projectFolder_ = projectFolder;
    for (DataView* v : views()) {
        v->bind(tableFile(v->definition().table));
    }
    qKatalog.setParameter("SKUPID", 0.0);
}

void TData2::CloseQuery() {
    for (DataView* v :
         {&qStruktur, &qLink, &qHtml, &qZbozi, &qZboziL, &qZboziUpr, &qSkupiny, &qPomSkupiny,
          &qKatalog, &qKompot, &qSestSk, &qDistrib, &qPromSystem, &qPromUser}) {
        v->close();
    }
}

void TData2::STRUKTUR_SetHtmlID(const std::string& id) {
    PagePanelRefreshOff refreshOff(*this);
    qStruktur.close();
    if (!id.empty()) {
        qStruktur.setFilterEnabled(true);
        qStruktur.setParameter("HTMLID", id);
    } else {
        qStruktur.setFilterEnabled(false);
    }
    qStruktur.open();
}

void TData2::HTML_SetHtmlID(const std::string& id) {
    qHtml.close();
    qHtml.setParameter("HTMLID", id);
    qHtml.open();
}

void TData2::LINK_SetSRC(const std::string& src) {
    qLink.close();
    qLink.setParameter("SRC", src);
    qLink.open();
}

void TData2::PROM_SetHtmlID(const std::string& id) {
    qPromUser.close();
    qPromUser.setParameter("HTMLID", id);
    qPromUser.open();
    qPromSystem.close();
    qPromSystem.setParameter("HTMLID", id);
    qPromSystem.open();
}

void TData2::SKUPINY_SetSkupID(int id) {
    qSkupiny.close();
    qSkupiny.setParameter("SKUPID", static_cast<double>(id));
    qSkupiny.open();
}

void TData2::KATALOG_REFRESH() {
    qKatalog.close();
    qKatalog.open();
}

// ---------------------------------------------------------------- cascades and row events

void TData2::connectCascades() {
    qStruktur.onRowChanged([this](DataView&) { strukturRowChanged(); });
    qHtml.onRowChanged([this](DataView&) { htmlRowChanged(); });
    qSkupiny.onRowChanged([this](DataView&) {
        if (!cascadeActive()) {
            return;
        }
        if (hooks.suspendCatalogueUpdates) {
            hooks.suspendCatalogueUpdates(true);
        }
        qKatalog.close();
        qKatalog.setParameter("SKUPID",
                              qSkupiny.isEmpty() ? Value(0.0) : numberOrBlank(qSkupiny, "SKUPID"));
        qKatalog.open();
        if (hooks.suspendCatalogueUpdates) {
            hooks.suspendCatalogueUpdates(false);
        }
        if (hooks.catalogueGroupChanged) {
            hooks.catalogueGroupChanged();
        }
    });
    qKatalog.onRowChanged([this](DataView&) {
        if (cascadeActive() && hooks.catalogueItemChanged) {
            hooks.catalogueItemChanged();
        }
    });
    qSestSk.onRowChanged([this](DataView&) { sestSkRowChanged(); });
    qSestSk.onClosed([this](DataView&) { qKompot.close(); });

    qStruktur.onBeforePost([](DataView& v) { v.setLogical("UPDATED", true); });
    qStruktur.onBeforeDelete([this](DataView& v) {
        // The sections of exactly this page go first, whatever qHtml showed before.
        const std::string id = v.text("HTMLID");
        if (!qHtml.isOpen() || std::get_if<std::string>(&qHtml.parameter("HTMLID")) == nullptr ||
            std::get<std::string>(qHtml.parameter("HTMLID")) != id) {
            CascadeOff off(*this);
            HTML_SetHtmlID(id);
        }
        while (!qHtml.isEmpty()) {
            qHtml.first();
            qHtml.remove();
        }
    });
    qHtml.onBeforeDelete([this](DataView&) {
        if (qHtml.text("TYP") == "p") {
            deleteSectionGoods();
        }
        HTML_UPDATE(5);
    });
    qKompot.onBeforeDelete([this](DataView&) { KOMPOT_UPDATE(5); });

    const auto clearPreview = [this](DataView&) { previewCacheKey.clear(); };
    for (DataView* v : {&qStruktur, &qHtml, &qZbozi, &qZboziL, &qZboziUpr, &qSestSk, &qKompot,
                        &qPromSystem, &qPromUser}) {
        v->onAfterPost(clearPreview);
    }
    qHtml.onAfterDelete(clearPreview);
    qZbozi.onAfterDelete(clearPreview);
}

void TData2::strukturRowChanged() {
    if (!cascadeActive()) {
        return;
    }
    const bool empty = qStruktur.isEmpty();
    LINK_SetSRC(empty ? "" : qStruktur.text("SRC"));
    HTML_SetHtmlID(empty ? "" : qStruktur.text("HTMLID"));
    if (hooks.repaintMainWindow) {
        hooks.repaintMainWindow();
    }
    if (pagePanelRefresh() && hooks.reloadPagePanel) {
        hooks.reloadPagePanel();
    }
}

void TData2::htmlRowChanged() {
    if (!cascadeActive()) {
        return;
    }
    if (!qHtml.isEmpty() && qHtml.text("TYP") == "p") {
        qZbozi.close();
        qZboziL.close();
        const Value page = qHtml.text("HTMLID");
        const Value section = numberOrBlank(qHtml, "SEKCEID");
        for (DataView* v : {&qZbozi, &qZboziL, &qZboziUpr}) {
            v->setParameter("HTMLID", page);
            v->setParameter("SEKCEID", section);
        }
        if (previewGenerating) {
            qZbozi.open();
        }
        if (!activeGoodsView().isOpen()) {
            activeGoodsView().open();
        }
    }
    if (pagePanelRefresh() && hooks.reloadSectionPanel) {
        hooks.reloadSectionPanel();
    }
}

void TData2::sestSkRowChanged() {
    if (!cascadeActive()) {
        return;
    }
    double group = 0;
    std::string set;
    if (!qSestSk.isEmpty() && !qSestSk.isBlank("SKUPID")) {
        group = qSestSk.number("SKUPID");
        set = qSestSk.text("KOD");
    }
    qKompot.close();
    qKompot.setRowFilter([group, set](const dbf::Record& r) {
        return !set.empty() && matches(r, {"SKUPID", group}) && matches(r, {"KOD_ZB", set});
    });
    qKompot.open();
}

void TData2::deleteSectionGoods() {
    DataView& goods = activeGoodsView();
    // The goods of exactly this section, whatever the goods view showed before.
    const Value page = qHtml.text("HTMLID");
    const Value section = numberOrBlank(qHtml, "SEKCEID");
    if (!goods.isOpen() || goods.parameter("HTMLID") != page ||
        goods.parameter("SEKCEID") != section) {
        goods.close();
        goods.setParameter("HTMLID", page);
        goods.setParameter("SEKCEID", section);
        goods.open();
    }
    goodsWriter_ = &goods;
    try {
        while (!goods.isEmpty()) {
            goods.first();
            ZBOZI_UPDATE(8);
            goods.dropCurrent();
        }
    } catch (...) {
        goodsWriter_ = &qZbozi;
        throw;
    }
    goodsWriter_ = &qZbozi;
}

// ---------------------------------------------------------------- write operations

void TData2::HTML_UPDATE(int kind) {
    const auto file = tableFile(kHtml);
    const std::vector<Condition> key = {{"HTMLID", textValue(qHtml, "HTMLID")},
                                        {"SEKCEID", numberOrBlank(qHtml, "SEKCEID")}};
    switch (kind) {
    case 1:
        updateOne(file, key, {{"POPIS", textValue(qHtml, "POPIS")}});
        break;
    case 2:
        // The memo of the section; a store that finds no row fails like the others.
        updateOne(file, key, {{"HTML", Value(qHtml.memo("HTML"))}});
        break;
    case 3:
        updateOne(file, key, {{"PORADI", numberOrBlank(qHtml, "PORADI")}});
        break;
    case 4:
        updateOne(file, key, {{"SABID", textValue(qHtml, "SABID")}});
        break;
    case 5:
        deleteOne(file, key);
        break;
    case 6:
        insertRow(file, {{"HTMLID", textValue(qHtml, "HTMLID")},
                         {"SEKCEID", numberOrBlank(qHtml, "SEKCEID")},
                         {"PORADI", numberOrBlank(qHtml, "PORADI")},
                         {"TYP", textValue(qHtml, "TYP")},
                         {"SABID", textValue(qHtml, "SABID")},
                         {"POPIS", textValue(qHtml, "POPIS")}});
        break;
    default:
        throw Error("HTML_UPDATE: neznámý druh " + std::to_string(kind));
    }
}

void TData2::ZBOZI_UPDATE(int kind) {
    const DataView& g = *goodsWriter_;
    const auto file = tableFile(kZbozi);
    const std::vector<Condition> byCode = {{"HTMLID", textValue(g, "HTMLID")},
                                           {"SEKCEID", numberOrBlank(g, "SEKCEID")},
                                           {"KOD", textValue(g, "KOD")}};
    switch (kind) {
    case 1:
        updateOne(file, byCode, {{"SLEVA", numberOrBlank(g, "SLEVA")}});
        break;
    case 2:
        updateOne(file, byCode, {{"PORADI", numberOrBlank(g, "PORADI")}});
        break;
    case 6:
        deleteOne(file, byCode);
        break;
    case 8:
        // Heading rows share an empty code, so each row goes by its own place in the file.
        deleteAt(file, g.current().recno(),
                 {{"HTMLID", textValue(g, "HTMLID")},
                  {"SEKCEID", numberOrBlank(g, "SEKCEID")},
                  {"PORADI", numberOrBlank(g, "PORADI")}});
        break;
    default:
        throw Error("ZBOZI_UPDATE: neznámý druh " + std::to_string(kind));
    }
}

void TData2::KOMPOT_UPDATE(int kind) {
    const auto file = tableFile(kKompot);
    const std::vector<Condition> key = {{"KOD_ZB", textValue(qKompot, "KOD_ZB")},
                                        {"SKUPID", numberOrBlank(qKompot, "SKUPID")},
                                        {"KOD", textValue(qKompot, "KOD")}};
    switch (kind) {
    case 1:
        updateOne(file, key, {{"SELECTED", flagValue(qKompot, "SELECTED")}});
        break;
    case 2:
        updateOne(file, key,
                  {{"NAZEV", textValue(qKompot, "NAZEV")},
                   {"P_IDPH", textValue(qKompot, "P_IDPH")},
                   {"P_CENA", numberOrBlank(qKompot, "P_CENA")},
                   {"P_CENA_DPH", numberOrBlank(qKompot, "P_CENA_DPH")},
                   {"POCET", numberOrBlank(qKompot, "POCET")}});
        break;
    case 3:
        updateOne(file, key, {{"PORADI", numberOrBlank(qKompot, "PORADI")}});
        break;
    case 4:
        insertRow(file, {{"HTMLID", textValue(qKompot, "HTMLID")},
                         {"SKUPID", numberOrBlank(qKompot, "SKUPID")},
                         {"KOD", textValue(qKompot, "KOD")},
                         {"NAZEV", textValue(qKompot, "NAZEV")},
                         {"P_IDPH", textValue(qKompot, "P_IDPH")},
                         {"P_CENA", numberOrBlank(qKompot, "P_CENA")},
                         {"P_CENA_DPH", numberOrBlank(qKompot, "P_CENA_DPH")},
                         {"SELECTED", flagValue(qKompot, "SELECTED")},
                         {"POCET", numberOrBlank(qKompot, "POCET")},
                         {"TYP", textValue(qKompot, "TYP")},
                         {"PORADI", numberOrBlank(qKompot, "PORADI")},
                         {"KOD_ZB", textValue(qKompot, "KOD_ZB")}});
        break;
    case 5:
        deleteOne(file, key);
        break;
    default:
        throw Error("KOMPOT_UPDATE: neznámý druh " + std::to_string(kind));
    }
}

void TData2::SESTSK_UPDATE(int kind) {
    const auto file = tableFile(kSestSk);
    const std::vector<Condition> key = {{"SKUPID", numberOrBlank(qSestSk, "SKUPID")},
                                        {"KOD", textValue(qSestSk, "KOD")}};
    switch (kind) {
    case 1:
        updateOne(file, key, {{"NAZEV", textValue(qSestSk, "NAZEV")}});
        break;
    case 2:
        updateOne(file, key, {{"PORADI", numberOrBlank(qSestSk, "PORADI")}});
        break;
    case 3:
        insertRow(file, {{"KOD", textValue(qSestSk, "KOD")},
                         {"SKUPID", numberOrBlank(qSestSk, "SKUPID")},
                         {"NAZEV", textValue(qSestSk, "NAZEV")},
                         {"PORADI", numberOrBlank(qSestSk, "PORADI")}});
        break;
    case 4:
        deleteOne(file, key);
        break;
    default:
        throw Error("SESTSK_UPDATE: neznámý druh " + std::to_string(kind));
    }
}

void TData2::DISTRIB_UPDATE(int kind) {
    const auto file = tableFile(kDistrib);
    const std::vector<Condition> key = {{"DISTID", numberOrBlank(qDistrib, "DISTID")}};
    switch (kind) {
    case 1:
        updateOne(file, key, {{"NAZEV", textValue(qDistrib, "NAZEV")}});
        break;
    case 2:
        insertRow(file, {{"NAZEV", textValue(qDistrib, "NAZEV")},
                         {"DISTID", numberOrBlank(qDistrib, "DISTID")}});
        break;
    case 3:
        deleteOne(file, key);
        break;
    default:
        throw Error("DISTRIB_UPDATE: neznámý druh " + std::to_string(kind));
    }
}

void TData2::KATALOG_UPDATE(int kind) {
    const auto file = tableFile(kKatalog);
    const DataView& k = qKatalog;
    const std::vector<Condition> key = {{"KOD", textValue(k, "KOD"), true}};
    // Every stored column but KOD; an emptied description is stored too, so it cannot come back.
    std::vector<Assignment> values = {{"SKUPID", numberOrBlank(k, "SKUPID")},
                                      {"DISTID", numberOrBlank(k, "DISTID")},
                                      {"NAZEV", textValue(k, "NAZEV")},
                                      {"N_CENA", numberOrBlank(k, "N_CENA")},
                                      {"N_CENA_DPH", numberOrBlank(k, "N_CENA_DPH")},
                                      {"N_IDPH", textValue(k, "N_IDPH")},
                                      {"D_CENA", numberOrBlank(k, "D_CENA")},
                                      {"D_CENA_DPH", numberOrBlank(k, "D_CENA_DPH")},
                                      {"MARZE", numberOrBlank(k, "MARZE")},
                                      {"P_IDPH", textValue(k, "P_IDPH")},
                                      {"P_0", numberOrBlank(k, "P_0")},
                                      {"P_L", numberOrBlank(k, "P_L")},
                                      {"P_H", numberOrBlank(k, "P_H")},
                                      {"DAT_N_UPD", dateValue(k, "DAT_N_UPD")},
                                      {"DAT_P_UPD", dateValue(k, "DAT_P_UPD")},
                                      {"DAT_Z_UPD", dateValue(k, "DAT_Z_UPD")},
                                      {"IDX_SLEVA", numberOrBlank(k, "IDX_SLEVA")},
                                      {"SLEVA", numberOrBlank(k, "SLEVA")},
                                      {"HOLD_0", flagValue(k, "HOLD_0")},
                                      {"HOLD_L", flagValue(k, "HOLD_L")},
                                      {"HOLD_H", flagValue(k, "HOLD_H")},
                                      {"ROUND", textValue(k, "ROUND")},
                                      {"REC_NC", flagValue(k, "REC_NC")},
                                      {"REC_DC", flagValue(k, "REC_DC")},
                                      {"REC_M", flagValue(k, "REC_M")},
                                      {"OBRAZEK", textValue(k, "OBRAZEK")},
                                      {"POPIS", Value(k.memo("POPIS"))}};
    switch (kind) {
    case 1:
        updateOne(file, key, values);
        break;
    case 2:
        values.insert(values.begin() + 2, {"KOD", textValue(k, "KOD")});
        insertRow(file, values);
        break;
    case 3:
        deleteOne(file, key);
        break;
    default:
        throw Error("KATALOG_UPDATE: neznámý druh " + std::to_string(kind));
    }
}

// ---------------------------------------------------------------- keys and counts

namespace {

// Largest values of numeric columns over the live rows that `take` accepts, in one pass over
// the table; 0 over none.
std::vector<int> maxOf(const std::filesystem::path& file, const std::vector<const char*>& columns,
                       const std::function<bool(const dbf::Record&)>& take = {}) {
    const auto table = dbf::Table::open(file, dbf::OpenMode::ReadOnly);
    std::vector<int> cols;
    for (const char* c : columns) {
        table.field(c); // reports a missing column
        cols.push_back(table.fieldIndex(c));
    }
    std::vector<long long> best(cols.size(), 0);
    std::vector<bool> any(cols.size(), false);
    table.scan([&](const dbf::Record& r) {
        if (take && !take(r)) {
            return true;
        }
        for (size_t i = 0; i < cols.size(); ++i) {
            if (const auto v = r.integer(cols[i])) {
                best[i] = any[i] ? std::max(best[i], *v) : *v;
                any[i] = true;
            }
        }
        return true;
    });
    return {best.begin(), best.end()};
}

int maxOf(const std::filesystem::path& file, const char* column,
          const std::function<bool(const dbf::Record&)>& take = {}) {
    return maxOf(file, std::vector<const char*>{column}, take).front();
}

int countOf(const std::filesystem::path& file, const char* column) {
    const auto table = dbf::Table::open(file, dbf::OpenMode::ReadOnly);
    table.field(column); // reports a missing column
    const int col = table.fieldIndex(column);
    int n = 0;
    table.scan([&](const dbf::Record& r) {
        n += r.isBlank(col) ? 0 : 1;
        return true;
    });
    return n;
}

} // namespace

void TData2::STRUKTUR_MAX(int& n, int& poradi) const {
    const auto m = maxOf(tableFile(kStruktur), {"N_HTMLID", "PORADI"});
    n = m[0];
    poradi = m[1];
}

void TData2::HTML_MAX(int& sekceid, int& poradi) const {
    const std::string page =
        qStruktur.isOpen() && !qStruktur.isEmpty() ? qStruktur.text("HTMLID") : "";
    const auto ofPage = [&](const dbf::Record& r) { return matches(r, {"HTMLID", page}); };
    const auto m = maxOf(tableFile(kHtml), {"SEKCEID", "PORADI"}, ofPage);
    sekceid = m[0];
    poradi = m[1];
}

int TData2::ZBOZI_MAX() const {
    if (!qHtml.isOpen() || qHtml.isEmpty()) {
        return 0;
    }
    const std::vector<Condition> section = {{"HTMLID", textValue(qHtml, "HTMLID")},
                                            {"SEKCEID", numberOrBlank(qHtml, "SEKCEID")}};
    return maxOf(tableFile(kZbozi), "PORADI",
                 [&](const dbf::Record& r) { return matchesAll(r, section); });
}

void TData2::SESTSK_MAX(int& skupid, int& poradi) const {
    const std::string set = qZboziUpr.isOpen() && !qZboziUpr.isEmpty() ? qZboziUpr.text("KOD") : "";
    const auto ofSet = [&](const dbf::Record& r) { return matches(r, {"KOD", set}); };
    const auto m = maxOf(tableFile(kSestSk), {"SKUPID", "PORADI"}, ofSet);
    skupid = m[0];
    poradi = m[1];
}

int TData2::DISTRIB_MAX() const {
    return maxOf(tableFile(kDistrib), "DISTID");
}

int TData2::SKUPINY_MAX_SKUPID() const {
    return maxOf(tableFile(kSkupiny), "SKUPID",
                 [](const dbf::Record& r) { return r.integerOr("SKUPID", 0) < kImportGroup; });
}

int TData2::SKUPINY_MAX_PORADI() const {
    return maxOf(tableFile(kSkupiny), "PORADI", [](const dbf::Record& r) {
        return !r.isBlank("SKUPID") && r.integerOr("SKUPID", 0) < kImportGroup;
    });
}

int TData2::STRUKTUR_COUNT() const {
    return countOf(tableFile(kStruktur), "HTMLID");
}

int TData2::KATALOG_COUNT() const {
    return countOf(tableFile(kKatalog), "KOD");
}

int TData2::ZBOZISKUP(const std::string& code) const {
    const auto table = dbf::Table::open(tableFile(kKatalog), dbf::OpenMode::ReadOnly);
    int group = 0;
    table.scan([&](const dbf::Record& r) {
        if (matches(r, {"KOD", code, true})) {
            group = static_cast<int>(r.integerOr("SKUPID", 0));
            return false;
        }
        return true;
    });
    return group;
}

} // namespace arkona::storage

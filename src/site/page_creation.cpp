#include "base/codepage.h"
#include "base/error.h"
#include "base/paths.h"
#include "base/textcase.h"
#include "site/file_names.h"
#include "site/page_rows.h"
#include "site/site_structure.h"
#include "storage/schema.h"

namespace arkona::site {

namespace {

constexpr size_t kTitleWidth = 50;   // POPIS
constexpr size_t kSrcWidth = 50;     // SRC
constexpr size_t kFolderWidth = 254; // PATH and DISK
constexpr const char* kFramePage = "1_";

size_t storedLength(std::string_view utf8) {
    return text::fromUtf8(utf8).size();
}

void requireTitle(const std::string& title) {
    if (storedLength(title) > kTitleWidth) {
        throw Error("Název stránky „" + title + "“ je delší než " + std::to_string(kTitleWidth) +
                    " znaků. Zkraťte ho, prosím.");
    }
}

// The look a new page copies from its template page.
const char* const kCopiedFields[] = {
    "HD",         "FT",         "TXT_COLOR", "TXT_FONT", "TAB",        "TAB_WIDTH",  "L1_OM",
    "L1_OV",      "L1_TXT",     "L2_OM",     "L2_OV",    "L2_TXT",     "L3_OM",      "L3_OV",
    "L3_TXT",     "L4_OM",      "L4_OV",     "L4_TXT",   "L5_OM",      "L5_OV",      "L5_TXT",
    "L6_OM",      "L6_OV",      "L6_TXT",    "TOP_MRG",  "LEFT_MRG",   "BOTTOM_MRG", "RIGHT_MRG",
    "MRG_HEIGHT", "MRG_WIDTH",  "TOP_BRD",   "LEFT_BRD", "BOTTOM_BRD", "RIGHT_BRD",  "TOP_PAD",
    "LEFT_PAD",   "BOTTOM_PAD", "RIGHT_PAD"};
const char* const kCopiedTrimmed[] = {"BGCOLOR", "LINK_C", "ALINK_C", "VLINK_C", "TD1_C"};

void copyLook(dbf::Record& row, const dbf::Record& from, const dbf::Table& table) {
    for (const char* name : kCopiedFields) {
        const int col = table.fieldIndex(name);
        if (col < 0) {
            continue;
        }
        if (table.fields()[static_cast<size_t>(col)].isMemo()) {
            // A memo gets blocks of its own; two rows never share one.
            row.setMemo(col, from.memo(col));
        } else {
            row.copyField(col, from);
        }
    }
    for (const char* name : kCopiedTrimmed) {
        const int col = table.fieldIndex(name);
        if (col >= 0) {
            row.setText(col, text::trim(from.text(col)));
        }
    }
}

// The product template a new product section starts with.
std::string productTemplate(const std::string& lastUsed) {
    if (lastUsed.empty()) {
        return "default.qsp";
    }
    // A name without an extension (the settings' own default "default") names no file.
    return lastUsed.find('.') == std::string::npos ? lastUsed + ".qsp" : lastUsed;
}

void createFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder)) {
        throw Error("Složka " + paths::forDisplay(folder) + " nelze vytvořit!");
    }
}

} // namespace

NewPageDraft SiteStructure::prepareNewPage(NewPageKind kind) const {
    NewPageDraft draft;
    draft.kind = kind;
    draft.number = largestPageNumber(data_.projectFolder()) + 1;
    draft.order = largestOrder(strukturFile()) + 1;
    if (kind == NewPageKind::Section) {
        draft.parentId = kTopLevel;
        draft.templateId = kFramePage;
        return draft;
    }
    const PageNode* parent = selectedNode();
    if (!parent) {
        throw Error("Není vybrána žádná stránka, pod kterou by nová stránka patřila.");
    }
    if (parent->link) {
        throw Error("Pod odkaz na stránku nelze přidávat další stránky.");
    }
    draft.parentId = parent->id;
    draft.templateId = parent->id;
    return draft;
}

const PageNode& SiteStructure::createPage(const NewPageDraft& draft, const std::string& title,
                                          std::string fileName, Prompter& prompter) {
    const std::string cleanTitle(text::trim(title));
    if (text::trim(fileName).empty()) {
        fileName = deriveFileName(draft.number, title);
    }
    requireTitle(cleanTitle);
    if (storedLength(fileName) > kSrcWidth) {
        throw Error("Jméno souboru „" + fileName + "“ je delší než " + std::to_string(kSrcWidth) +
                    " znaků. Zkraťte ho, prosím.");
    }
    const bool section = draft.kind == NewPageKind::Section;
    PageNode* parent = section ? nullptr : tree_.find(draft.parentId);
    if (!section && (!parent || parent->link)) {
        throw Error("Stránka " + draft.parentId + ", pod kterou měla nová stránka vzniknout, " +
                    "již ve stromu není.");
    }
    const std::string path =
        section ? "" : std::string(text::trim(parent->path + "/" + parent->src));
    const std::string disk =
        section ? "" : std::string(text::trim(parent->disk + "\\" + parent->src));
    if (storedLength(path) > kFolderWidth || storedLength(disk) > kFolderWidth) {
        throw Error("Stránku nelze vnořit tak hluboko: cesta „" + path + "/" + fileName +
                    ".htm“ by byla delší než " + std::to_string(kFolderWidth) + " znaků.");
    }
    const std::string id = pageIdentifier(draft.number);
    if (tree_.find(id)) {
        throw Error("Stránka " + id + " již existuje.");
    }

    // The row is filled completely before anything is written: a refused value writes nothing.
    // The data module's view of the current page lets go of the table first, so that it never
    // writes a record count older than this row.
    data_.qStruktur.close();
    PageRowWriter writer(strukturFile());
    dbf::Record row = writer.blankRecord();
    if (const PageNode* look = tree_.find(draft.templateId)) {
        if (const auto from = writer.read(look->recno, look->id)) {
            copyLook(row, *from, writer.table());
        }
    }
    row.setText("HTMLID", id);
    row.setNumber("N_HTMLID", static_cast<double>(draft.number));
    row.setLogical("UPDATED", true);
    row.setNumber("PORADI", draft.order);
    row.setText("PARENT", section ? kTopLevel : parent->id);
    row.setText("PATH", path);
    row.setText("DISK", disk);
    row.setLogical("NAVIGACE", !section);
    row.setText("POPIS", cleanTitle);
    row.setLogical("LINK", false);
    row.setText("SRC", fileName);
    row.setNumber("TYPTREE", 1);
    row.setText("BACKGROUND", "");
    row.setText("VLASTNIK", "");
    if (!section) {
        createFolder(paths::resolve(context_.siteFolder, disk));
    }
    const std::uint32_t recno = writer.append(row);

    PageNode node;
    node.id = id;
    node.title = cleanTitle;
    node.src = fileName;
    node.path = path;
    node.disk = disk;
    node.number = draft.number;
    node.order = draft.order;
    node.recno = recno;
    const PageNode& added = tree_.insert(std::move(node), parent);
    if (parent) {
        tree_.setExpanded(*parent, true);
    }
    changed_ = true;
    data_.previewCacheKey.clear();
    select(added.id, true, prompter);
    addFirstSection(added, draft.kind == NewPageKind::ProductSubPage);
    return added;
}

void SiteStructure::addFirstSection(const PageNode& page, bool product) {
    int sekceid = 0;
    int poradi = 0;
    data_.HTML_MAX(sekceid, poradi);
    {
        storage::TData2::CascadeOff off(data_);
        data_.HTML_SetHtmlID(page.id);
        auto& sections = data_.qHtml;
        sections.insert();
        sections.setText("HTMLID", page.id);
        sections.setNumber("SEKCEID", sekceid + 1);
        sections.setNumber("PORADI", poradi + 1);
        sections.setText("TYP", product ? "p" : "t");
        sections.setText("SABID", product ? productTemplate(context_.lastTemplate) : "");
        sections.setText("POPIS", "");
        sections.post();
        data_.HTML_UPDATE(6);
    }
    // Read again with the cascades, so the section panel shows the new section.
    data_.HTML_SetHtmlID(page.id);
}

const PageNode& SiteStructure::createLink(const std::string& targetId, const std::string& title,
                                          Prompter& prompter) {
    PageNode* under = tree_.find(selected_);
    if (!under) {
        throw Error("Není vybrána žádná stránka, pod kterou by odkaz patřil.");
    }
    if (under->link) {
        throw Error("Pod odkaz na stránku nelze přidávat další stránky.");
    }
    const PageNode* target = tree_.find(targetId);
    if (!target) {
        throw Error("Stránka " + targetId + ", na kterou má odkaz ukazovat, již ve stromu není.");
    }
    if (text::trim(title).empty()) {
        throw Error("Název odkazu nesmí být prázdný.");
    }
    requireTitle(title);
    const long long number = largestPageNumber(data_.projectFolder()) + 1;
    const double order = largestOrder(strukturFile()) + 1;
    const std::string id = pageIdentifier(number);

    std::uint32_t recno = 0;
    {
        storage::TData2::CascadeOff off(data_);
        data_.qStruktur.close();
        PageRowWriter writer(strukturFile());
        dbf::Record row = writer.blankRecord();
        row.setText("HTMLID", id);
        row.setNumber("N_HTMLID", static_cast<double>(number));
        row.setLogical("UPDATED", true);
        row.setNumber("PORADI", order);
        row.setText("SRC", target->src);
        row.setText("PATH", target->path);
        row.setLogical("LINK", true);
        row.setText("POPIS", title);
        row.setLogical("NAVIGACE", true);
        row.setText("PARENT", under->id);
        recno = writer.append(row);
    }
    PageNode node;
    node.id = id;
    node.title = std::string(text::trim(title));
    node.src = target->src;
    node.path = target->path;
    node.link = true;
    node.number = number;
    node.order = order;
    node.recno = recno;
    const PageNode& added = tree_.insert(std::move(node), under);
    tree_.setExpanded(*under, true);
    // The link sits inside the walk, not at its end: the order numbers are stale until the
    // next renumbering, which this mark makes due.
    changed_ = true;
    data_.previewCacheKey.clear();
    select(added.id, true, prompter);
    return added;
}

} // namespace arkona::site

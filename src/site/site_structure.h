#pragma once

#include "base/progress.h"
#include "base/prompter.h"
#include "site/page_tree.h"
#include "site/tree_loader.h"
#include "storage/data_module.h"
#include "storage/project_context.h"

#include <string>
#include <vector>

namespace arkona::site {

// Kinds of renumbering; each shows its own text in the progress window.
enum class OptimiseKind {
    AfterRepair = 1,      // loading repaired rows
    AfterChanges = 2,     // before another project, save-as, closing, page preview
    BeforeGeneration = 3, // before the whole site is generated
    FromMenu = 4,         // "&Optimalizace stromu WWW"
};

// Where a dragged page goes relative to the page it was dropped on.
enum class MoveKind { After = 2, Before = 3, Under = 4 };

enum class NewPageKind {
    Section,        // "oddíl": a top-level page that copies the look of page "1_"
    SubPage,        // under the selected page, copying its look
    ProductSubPage, // the same with an empty product section instead of a text section
};

// A new page as the dialog opens it: its number and order, and where it goes.
struct NewPageDraft {
    NewPageKind kind = NewPageKind::SubPage;
    long long number = 0; // N: the page becomes "N_"
    double order = 0;     // P
    std::string parentId; // "0_" for a section
    std::string templateId;
};

// The selected node is a link page whose target is the current page.
struct LinkState {
    bool active = false;
    std::string linkId;
    std::string linkTitle;
    std::string targetId; // the node that shows the target picture; empty for none
};

// What the page commands may do for the current selection and what the status panel says.
struct PageCommandState {
    bool canDelete = false;
    bool canAddUnder = false; // sub-pages and links under the selection
    std::string status;       // third status panel
};

// The page tree of the open project with everything that changes it: loading with repair,
// selection (the current page of the data module), new pages and links, renaming, moving,
// deleting, renumbering and the expansion state. No window: the main window shows the tree
// through a PageTreeObserver, the command line prints it, the generator finds pages in it.
//
// Every operation either finishes or throws arkona::Error with the message for the user; the
// checks that can refuse run before anything is written.
class SiteStructure {
public:
    SiteStructure(storage::TData2& data, const storage::ProjectContext& context);

    const PageTree& tree() const { return tree_; }
    // The view of the tree; kept across loads.
    void setObserver(PageTreeObserver* observer);

    // ------------------------------------------------------------ loading
    // Builds the tree of the bound project, repairing broken rows; after a repair the whole tree
    // is renumbered with the progress shown in `window`. Clears the tree-changed mark, unless the
    // stored order is not the tree order (the next renumbering is then due).
    LoadReport load(const LoadDisplay& display, Progress& window);
    // What the last loading repaired.
    const LoadReport& lastLoad() const { return lastLoad_; }
    void clear();

    // The tree-changed mark: set by new pages and links, moves and deletions; cleared by every
    // renumbering. While it is set, renumber before a preview, a generation or closing.
    bool changed() const { return changed_; }

    // ------------------------------------------------------------ selection
    // Makes the page of node `id` the current page of the data module (its sections and panels
    // follow by the cascades). `force` re-reads it even when it is current already. A link page
    // makes its target current; a link without a target warns and stays current itself.
    void select(const std::string& id, bool force, Prompter& prompter);
    const std::string& selectedId() const { return selected_; }
    const PageNode* selectedNode() const { return tree_.find(selected_); }
    const LinkState& linkState() const { return link_; }
    // The page whose rows the panels show: the target of a selected link, else the selection.
    const PageNode* shownNode() const;
    PageCommandState commandState() const;
    std::string pageCountText() const; // "Počet stran: " + nodes - 6

    // ------------------------------------------------------------ new pages and links
    NewPageDraft prepareNewPage(NewPageKind kind) const;
    // Writes the row, creates the page's folder, adds the node, selects it and gives the page
    // its first section. An empty file name is derived from the title.
    const PageNode& createPage(const NewPageDraft& draft, const std::string& title,
                               std::string fileName, Prompter& prompter);
    // A link page to `targetId` as the last child of the selected page; selected afterwards.
    const PageNode& createLink(const std::string& targetId, const std::string& title,
                               Prompter& prompter);

    // ------------------------------------------------------------ changes
    // A new title for a page or, for a link page, for the link row itself.
    void rename(const std::string& id, const std::string& title);
    // The drop kinds offered for dropping `dragged` on `target` (empty: the drop is refused).
    std::vector<MoveKind> dropKinds(const std::string& draggedId,
                                    const std::string& targetId) const;
    void move(const std::string& draggedId, const std::string& targetId, MoveKind kind);
    // Deletes the selected page (or the selected link page) with its sub-pages, their sections
    // and goods, and the link pages that show any of them, after asking twice. Refuses when a
    // fixed page would go. Returns whether anything was deleted.
    bool deleteSelected(Prompter& prompter);
    // Renumbers every page 1..n in tree order; kind 2 first removes link pages without target.
    void optimise(OptimiseKind kind, Progress& progress);
    // Stores which nodes are expanded (one reset, then one statement per 100 pages).
    void saveExpansion(Progress& progress);
    void setExpanded(const std::string& id, bool expanded);

private:
    std::filesystem::path strukturFile() const;
    std::string currentPageId() const;
    void makeCurrent(const std::string& id);
    void removeLinkPage(PageNode& link);
    void deletePageRow(PageNode& node);
    void addFirstSection(const PageNode& page, bool product);

    storage::TData2& data_;
    const storage::ProjectContext& context_;
    PageTree tree_;
    std::string selected_;
    LinkState link_;
    bool changed_ = false;
    LoadReport lastLoad_;
};

// Texts of the page commands.
inline constexpr const char* kTreeOptimisationTitle = "Optimalizace stromové struktury WWW";
inline constexpr const char* kTargetMissing =
    "Zdrojová stránka, na kterou tato stránka odkazuje nebyla nalezena!";
inline constexpr const char* kDeleteQuestion = "Opravdu chcete vymazat stránku ze struktury?";
inline constexpr const char* kDeleteWarning =
    "Pokud opravdu chcete vymazat stránku ze struktury, potvrďte tlačítko OK!\r"
    "Zároveň s vybranou stránkou se smažou i všechny podstránky!!!\r\rToto je nevratná operace!";
std::string optimisationText(OptimiseKind kind);
// Batches of expanded identifiers as saveExpansion writes them, in tree order.
std::vector<std::vector<std::string>> expansionBatches(const PageTree& tree);

} // namespace arkona::site

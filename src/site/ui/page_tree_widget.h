#pragma once

#include "site/page_tree.h"

#include <QTreeWidget>
#include <string>
#include <unordered_map>

namespace arkona::site {
class SiteStructure;
}

namespace arkona::site::ui {

// The private drag format: the HTMLID of the dragged page.
inline constexpr const char* kPageMimeType = "application/x-arkona-page";

// The identifier a page item carries.
std::string pageIdOf(const QTreeWidgetItem* item);
// Fills a tree widget with a copy of the page tree: texts, pictures, expanded nodes; the item of
// `selectedId` becomes current. Returns the items by page.
std::unordered_map<std::string, QTreeWidgetItem*>
fillPageItems(QTreeWidget* widget, const PageTree& tree, const std::string& selectedId);

// The page tree of the main window ("tvTree"): it shows the pages of a SiteStructure and follows
// every change of it, stores expansions in it, edits titles in place, drags pages and reports
// what the user asked for. It changes nothing itself.
class PageTreeWidget : public QTreeWidget, public PageTreeObserver {
    Q_OBJECT
public:
    PageTreeWidget(SiteStructure& structure, QWidget* parent = nullptr);
    ~PageTreeWidget() override;

    QTreeWidgetItem* itemOf(const std::string& id) const;
    std::string currentPageId() const { return pageIdOf(currentItem()); }
    // Makes the page's item current without reporting it as the user's choice.
    void showCurrent(const std::string& id);
    // Sets the pictures after the selection changed: link pages, the target of the selected link.
    void refreshPictures();
    // While held, changes of the current item are not reported (operations that remove items).
    void setQuiet(bool quiet) { quiet_ = quiet; }
    // Starts the in-place editor on the current page.
    void editCurrentTitle();

    // PageTreeObserver
    void treeReset() override;
    void nodeInserted(const PageNode& node) override;
    void nodeMoved(const PageNode& node) override;
    void nodeRemoving(const PageNode& node) override;
    void nodeChanged(const PageNode& node) override;

signals:
    // The user chose a page with the mouse (`onItem`: the click hit its text or picture) or the
    // program changed the current item.
    void pageChosen(const QString& id, bool onItem);
    // An arrow key, Home or End moved the current item.
    void keyboardMoved();
    void deleteKeyPressed();
    void insertKeyPressed();
    void titleEdited(const QString& id, const QString& title);
    void pageDropped(const QString& draggedId, const QString& targetId, const QPoint& globalPos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions actions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;

private:
    QTreeWidgetItem* makeItem(const PageNode& node);
    void place(QTreeWidgetItem* item, const PageNode& node);
    void applyExpansion(const PageNode& node);
    void forget(const PageNode& node);
    bool overExpandButton(QTreeWidgetItem* item, const QPoint& pos) const;
    QString draggedId(const QMimeData* mime) const;

    SiteStructure& structure_;
    std::unordered_map<const PageNode*, QTreeWidgetItem*> items_;
    int updating_ = 0;   // the program changes items: no reports
    bool quiet_ = false; // an operation runs: no reports of current-item changes
    bool keyboardMove_ = false;
    bool mousePressed_ = false;
    int dragOverCount_ = 0;
    std::string pictureTarget_; // the node that shows the target picture
};

} // namespace arkona::site::ui

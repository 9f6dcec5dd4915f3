#pragma once

#include "site/anchor.h"
#include "site/page_tree.h"

#include <QDialog>
#include <optional>
#include <string>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace arkona::app {
class MainStatusBar;
}

namespace arkona::site::ui {

// What the anchor mode of the picker works on.
struct AnchorRequest {
    std::string currentId;       // the page being edited: selected unless the anchor names one
    std::string existingAnchor;  // the anchor being edited ("<A HREF=..."), empty for a new one
    std::string selectedText;    // a new anchor wraps this text
    bool openingTagOnly = false; // the goods link field keeps the opening tag alone
};

// "Strom": a copy of the page tree to pick a page from. In owner mode it returns the page; in
// anchor mode it also edits HREF, TARGET and ONMOUSEOVER and returns the anchor it built.
class TfrmStrom : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Owner, Anchor };

    TfrmStrom(Mode mode, const PageTree& tree, QWidget* parent = nullptr);

    // Owner mode ("Najít logický parent stránky"): the chosen page's identifier.
    static std::optional<std::string> chooseOwner(QWidget* parent, const PageTree& tree,
                                                  const std::string& currentId,
                                                  app::MainStatusBar* status = nullptr);
    // Anchor mode: the anchor text to put in place of the old one or the selection.
    static std::optional<std::string> editAnchor(QWidget* parent, const PageTree& tree,
                                                 const AnchorRequest& request,
                                                 app::MainStatusBar* status = nullptr);

    void selectPage(const std::string& id);
    // Anchor mode: fills the fields for a new anchor or from an existing one.
    void startAnchor(const AnchorRequest& request);
    std::string chosenId() const;
    AnchorFields fields() const;
    std::string result() const; // the anchor text OK hands back

private:
    void pageClicked(QTreeWidgetItem* item);

    Mode mode_;
    const PageTree& tree_;
    AnchorRequest request_;
    std::string fromPath_;
    QTreeWidget* tvStrom_;
    QGroupBox* gbHref_;
    QGroupBox* gbTarget_;
    QGroupBox* gbOnMouseOver_;
    QLineEdit* txtHref_;
    QLineEdit* txtTarget_;
    QLineEdit* txtOnMouseOver_;
    QPushButton* pbOK_;
    QPushButton* pbStorno_;
};

} // namespace arkona::site::ui

#include "site/ui/page_picker_dialog.h"

#include "app/main_status_bar.h"
#include "site/ui/page_tree_widget.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace arkona::site::ui {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QGroupBox* fieldGroup(QWidget* parent, const char* name, const char* caption, QLineEdit*& field,
                      const char* fieldName) {
    auto* group = new QGroupBox(QString::fromUtf8(caption), parent);
    group->setObjectName(QString::fromLatin1(name));
    field = new QLineEdit(group);
    field->setObjectName(QString::fromLatin1(fieldName));
    (new QVBoxLayout(group))->addWidget(field);
    return group;
}

// The main window's third status panel while the copy of the tree is built; the text it showed
// comes back at the end.
class LoadingStatus {
public:
    explicit LoadingStatus(app::MainStatusBar* status)
        : status_(status), before_(status ? status->panel(3) : QString()) {
        show("Načítám strom stránek (tato činnost může trvat delší dobu) ...");
    }
    ~LoadingStatus() {
        if (status_) {
            status_->setPanel(3, before_);
        }
    }
    void show(const char* text) {
        if (status_) {
            status_->setPanel(3, QString::fromUtf8(text));
        }
    }

private:
    app::MainStatusBar* status_;
    QString before_;
};

} // namespace

TfrmStrom::TfrmStrom(Mode mode, const PageTree& tree, QWidget* parent)
    : QDialog(parent), mode_(mode), tree_(tree) {
    setObjectName(QStringLiteral("TfrmStrom"));
    setWindowTitle(QStringLiteral("Strom"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    tvStrom_ = new QTreeWidget(this);
    tvStrom_->setObjectName(QStringLiteral("tvStrom"));
    tvStrom_->setHeaderHidden(true);
    tvStrom_->setUniformRowHeights(true);
    gbHref_ = fieldGroup(this, "gbHref", " Cíl odkazu   HREF= ", txtHref_, "txtHref");
    gbTarget_ =
        fieldGroup(this, "gbTarget", " Cílový rám prohlížeče   TARGET= ", txtTarget_, "txtTarget");
    gbOnMouseOver_ =
        fieldGroup(this, "gbOnMouseOver",
                   " Akce spouštěná při pohybu myši nad odkazem   ONMOUSEOVER= ", txtOnMouseOver_,
                   "txtOnMouseOver");
    txtTarget_->setText(QString::fromLatin1(kDefaultAnchorTarget));
    pbOK_ = new QPushButton(QStringLiteral("OK"), this);
    pbOK_->setObjectName(QStringLiteral("pbOK"));
    pbOK_->setDefault(true);
    pbStorno_ = new QPushButton(QStringLiteral("Storno"), this);
    pbStorno_->setObjectName(QStringLiteral("pbStorno"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(pbOK_);
    buttons->addWidget(pbStorno_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tvStrom_, 1);
    layout->addWidget(gbHref_);
    layout->addWidget(gbTarget_);
    layout->addWidget(gbOnMouseOver_);
    layout->addLayout(buttons);
    const bool anchor = mode_ == Mode::Anchor;
    for (QWidget* group : {gbHref_, gbTarget_, gbOnMouseOver_}) {
        group->setVisible(anchor);
    }
    resize(anchor ? 480 : 360, anchor ? 560 : 440);

    fillPageItems(tvStrom_, tree_, {});
    connect(pbOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(pbStorno_, &QPushButton::clicked, this, &QDialog::reject);
    connect(tvStrom_, &QTreeWidget::itemClicked, this, &TfrmStrom::pageClicked);
    connect(tvStrom_, &QTreeWidget::itemDoubleClicked, this, &TfrmStrom::pageClicked);
}

void TfrmStrom::selectPage(const std::string& id) {
    for (QTreeWidgetItemIterator it(tvStrom_); *it; ++it) {
        if (pageIdOf(*it) == id) {
            for (QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent()) {
                up->setExpanded(true);
            }
            tvStrom_->setCurrentItem(*it);
            tvStrom_->scrollToItem(*it);
            return;
        }
    }
}

void TfrmStrom::startAnchor(const AnchorRequest& request) {
    request_ = request;
    const PageNode* current = tree_.find(request.currentId);
    fromPath_ = current ? current->path : std::string();
    selectPage(request.currentId);
    if (request.existingAnchor.empty()) {
        return;
    }
    const ParsedAnchor parsed = parseAnchor(request.existingAnchor);
    txtHref_->setText(q(parsed.fields.href));
    txtTarget_->setText(q(parsed.fields.target));
    txtOnMouseOver_->setText(q(parsed.fields.onMouseOver));
    if (const PageNode* page = pageForFileName(tree_, parsed.fileName)) {
        selectPage(page->id);
        txtHref_->setText(q(anchorHref(fromPath_, *page)));
    }
}

void TfrmStrom::pageClicked(QTreeWidgetItem* item) {
    if (mode_ != Mode::Anchor) {
        return;
    }
    if (const PageNode* page = tree_.find(pageIdOf(item))) {
        txtHref_->setText(q(anchorHref(fromPath_, *page)));
    }
}

std::string TfrmStrom::chosenId() const {
    return pageIdOf(tvStrom_->currentItem());
}

AnchorFields TfrmStrom::fields() const {
    AnchorFields f;
    f.href = txtHref_->text().toStdString();
    f.target = txtTarget_->text().toStdString();
    f.onMouseOver = txtOnMouseOver_->text().toStdString();
    return f;
}

std::string TfrmStrom::result() const {
    if (request_.openingTagOnly) {
        return anchorResult(AnchorUse::OpeningTag, fields(), {});
    }
    if (!request_.existingAnchor.empty()) {
        return anchorResult(AnchorUse::EditExisting, fields(), request_.existingAnchor);
    }
    return anchorResult(AnchorUse::WrapSelection, fields(), request_.selectedText);
}

std::optional<std::string> TfrmStrom::chooseOwner(QWidget* parent, const PageTree& tree,
                                                  const std::string& currentId,
                                                  app::MainStatusBar* status) {
    std::optional<TfrmStrom> picker;
    {
        LoadingStatus loading(status);
        picker.emplace(Mode::Owner, tree, parent);
        loading.show("Nastavuji vzhled stromu stránek (tato činnost může trvat delší dobu) ...");
        picker->selectPage(currentId);
    }
    if (picker->exec() != QDialog::Accepted || picker->chosenId().empty()) {
        return std::nullopt;
    }
    return picker->chosenId();
}

std::optional<std::string> TfrmStrom::editAnchor(QWidget* parent, const PageTree& tree,
                                                 const AnchorRequest& request,
                                                 app::MainStatusBar* status) {
    std::optional<TfrmStrom> picker;
    {
        LoadingStatus loading(status);
        picker.emplace(Mode::Anchor, tree, parent);
        loading.show("Nastavuji vzhled stromu stránek (tato činnost může trvat delší dobu) ...");
        picker->startAnchor(request);
    }
    if (picker->exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return picker->result();
}

} // namespace arkona::site::ui

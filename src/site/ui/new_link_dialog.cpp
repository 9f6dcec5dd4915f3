#include "site/ui/new_link_dialog.h"

#include "site/ui/page_tree_widget.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace arkona::site::ui {

TfrmNovyOdkaz::TfrmNovyOdkaz(const PageTree& tree, const std::string& selectedId, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TfrmNovyOdkaz"));
    setWindowTitle(QStringLiteral("Vytvoření nového odkazu"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    tvStrom_ = new QTreeWidget(this);
    tvStrom_->setObjectName(QStringLiteral("tvStrom"));
    tvStrom_->setHeaderHidden(true);
    tvStrom_->setUniformRowHeights(true);
    tvStrom_->setToolTip(QStringLiteral("Stránka, na kterou bude odkaz ukazovat"));
    fillPageItems(tvStrom_, tree, selectedId);

    gbNazev_ = new QGroupBox(QStringLiteral(" Název odkazu "), this);
    gbNazev_->setObjectName(QStringLiteral("gbNazev"));
    txtNazev_ = new QLineEdit(gbNazev_);
    txtNazev_->setObjectName(QStringLiteral("txtNazev"));
    txtNazev_->setMaxLength(50);
    (new QVBoxLayout(gbNazev_))->addWidget(txtNazev_);

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
    layout->addWidget(gbNazev_);
    layout->addLayout(buttons);
    resize(360, 440);

    connect(pbOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(pbStorno_, &QPushButton::clicked, this, &QDialog::reject);
    connect(txtNazev_, &QLineEdit::textChanged, this, &TfrmNovyOdkaz::updateOk);
    connect(tvStrom_, &QTreeWidget::currentItemChanged, this, &TfrmNovyOdkaz::updateOk);
    connect(tvStrom_, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (pbOK_->isEnabled()) {
            accept();
        }
    });
    updateOk();
    txtNazev_->setFocus();
}

void TfrmNovyOdkaz::updateOk() {
    pbOK_->setEnabled(!txtNazev_->text().trimmed().isEmpty() && tvStrom_->currentItem());
}

std::string TfrmNovyOdkaz::targetId() const {
    return pageIdOf(tvStrom_->currentItem());
}

std::string TfrmNovyOdkaz::linkTitle() const {
    return txtNazev_->text().toStdString();
}

} // namespace arkona::site::ui

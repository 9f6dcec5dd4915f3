#include "catalogue/ui/distributor_dialog.h"

#include "app/message_box.h"
#include "base/error.h"
#include "catalogue/ui/input_box.h"
#include "catalogue/ui/ui_text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace arkona::catalogue::ui {

using app::Messages;

namespace {
constexpr int kNameBytes = 50;
}

TfrmDistr::TfrmDistr(storage::TData2& data, const storage::ProjectContext& project, int current,
                     QWidget* parent)
    : QDialog(parent), list_(data, project) {
    setObjectName(QStringLiteral("TfrmDistr"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(QStringLiteral("Seznam distributorů"));

    grdDistributori_ = named(new QTreeWidget(this), "grdDistributori");
    grdDistributori_->setHeaderLabels({QStringLiteral("Název distributora")});
    grdDistributori_->setRootIsDecorated(false);
    grdDistributori_->setMinimumSize(320, 260);
    auto* pbPridat = named(new QPushButton(QStringLiteral("&Přidat"), this), "pbPridat");
    pbUpravit_ = named(new QPushButton(QStringLiteral("&Upravit"), this), "pbUpravit");
    pbOdstranit_ = named(new QPushButton(QStringLiteral("O&dstranit"), this), "pbOdstranit");
    auto* pbZavrit = named(new QPushButton(QStringLiteral("&Zavřít"), this), "pbZavrit");
    for (QPushButton* b : {pbPridat, pbUpravit_, pbOdstranit_}) {
        b->setAutoDefault(false);
    }
    pbZavrit->setDefault(true);
    connect(pbPridat, &QPushButton::clicked, this, &TfrmDistr::addCommand);
    connect(pbUpravit_, &QPushButton::clicked, this, &TfrmDistr::editCommand);
    connect(pbOdstranit_, &QPushButton::clicked, this, &TfrmDistr::deleteCommand);
    connect(pbZavrit, &QPushButton::clicked, this, &QDialog::accept);
    connect(grdDistributori_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) {
                if (item) {
                    list_.select(item->data(0, Qt::UserRole).toInt());
                }
            });
    connect(grdDistributori_, &QTreeWidget::itemDoubleClicked, this, &TfrmDistr::editCommand);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(pbPridat);
    buttons->addWidget(pbUpravit_);
    buttons->addWidget(pbOdstranit_);
    buttons->addStretch();
    buttons->addWidget(pbZavrit);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(grdDistributori_, 1);
    layout->addLayout(buttons);

    try {
        list_.open();
        list_.select(current);
    } catch (const Error& e) {
        Messages::error(e.what());
    }
    fill();
}

void TfrmDistr::fill() {
    const int current = list_.currentId();
    grdDistributori_->blockSignals(true);
    grdDistributori_->clear();
    QTreeWidgetItem* selected = nullptr;
    for (const Distributor& d : list_.rows()) {
        auto* item = new QTreeWidgetItem(grdDistributori_, {q(d.name)});
        item->setData(0, Qt::UserRole, d.id);
        if (d.id == current) {
            selected = item;
        }
    }
    grdDistributori_->blockSignals(false);
    if (!selected && grdDistributori_->topLevelItemCount() > 0) {
        selected = grdDistributori_->topLevelItem(0);
    }
    grdDistributori_->setCurrentItem(selected);
    updateButtons();
}

void TfrmDistr::updateButtons() {
    const bool any = list_.count() > 0;
    pbUpravit_->setEnabled(any);
    pbOdstranit_->setEnabled(any);
}

void TfrmDistr::addCommand() {
    const auto name = TfrmInput::ask(this, QStringLiteral("Nový distributor"),
                                     QStringLiteral("Název"), {}, kNameBytes);
    if (!name) {
        return;
    }
    try {
        list_.add(*name);
    } catch (const Error& e) {
        Messages::error(e.what());
    }
    fill();
}

void TfrmDistr::editCommand() {
    if (list_.count() == 0) {
        return;
    }
    const auto* item = grdDistributori_->currentItem();
    const auto name =
        TfrmInput::ask(this, QStringLiteral("Upravit název distributora"), QStringLiteral("Název"),
                       item ? item->text(0) : QString(), kNameBytes);
    if (!name) {
        return;
    }
    try {
        list_.rename(*name);
    } catch (const Error& e) {
        Messages::error(e.what());
    }
    fill();
}

void TfrmDistr::deleteCommand() {
    if (list_.count() == 0 || !Messages::questionYesNo(kDeleteDistributorQuestion)) {
        return;
    }
    try {
        list_.remove();
    } catch (const Error& e) {
        Messages::error(e.what());
    }
    fill();
}

} // namespace arkona::catalogue::ui

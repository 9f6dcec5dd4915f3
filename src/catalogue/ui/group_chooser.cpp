#include "catalogue/ui/group_chooser.h"

#include "app/message_box.h"
#include "base/error.h"
#include "catalogue/item_list.h"
#include "catalogue/ui/ui_text.h"
#include "storage/data_module.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace arkona::catalogue::ui {

TfrmZmSk::TfrmZmSk(storage::TData2& data, int shownGroup, std::function<void()> addItem,
                   QWidget* parent)
    : QDialog(parent), data_(data), shownGroup_(shownGroup), addItem_(std::move(addItem)) {
    setObjectName(QStringLiteral("TfrmZmSk"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(QStringLiteral("Seznam skupin"));

    grdSkupiny_ = named(new QTreeWidget(this), "grdSkupiny");
    grdSkupiny_->setHeaderLabels({QStringLiteral("Název skupiny")});
    grdSkupiny_->setRootIsDecorated(false);
    grdSkupiny_->setMinimumSize(300, 300);
    auto* lblHledat = new QLabel(QStringLiteral("Rychlé hledání názvu skupiny"), this);
    txtHledat_ = named(new QLineEdit(this), "txtHledat");
    lblHledat->setBuddy(txtHledat_);
    pbOK_ = named(new QPushButton(QStringLiteral("OK"), this), "pbOK");
    pbOK_->setDefault(true);
    auto* pbStorno = named(new QPushButton(QStringLiteral("Storno"), this), "pbStorno");
    auto* pbPridat = named(new QPushButton(QStringLiteral("&Přidat"), this), "pbPridat");
    pbStorno->setAutoDefault(false);
    pbPridat->setAutoDefault(false);
    pbPridat->setEnabled(static_cast<bool>(addItem_));
    connect(pbOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(pbStorno, &QPushButton::clicked, this, &QDialog::reject);
    connect(pbPridat, &QPushButton::clicked, this, [this] {
        addItem_();
        select(shownGroup_);
    });
    connect(grdSkupiny_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(txtHledat_, &QLineEdit::textChanged, this, &TfrmZmSk::search);
    connect(grdSkupiny_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { pbOK_->setEnabled(item != nullptr); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(pbPridat);
    buttons->addStretch();
    buttons->addWidget(pbOK_);
    buttons->addWidget(pbStorno);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grdSkupiny_, 1);
    layout->addWidget(lblHledat);
    layout->addWidget(txtHledat_);
    layout->addLayout(buttons);

    fill();
    select(shownGroup_);
    txtHledat_->setFocus();
}

void TfrmZmSk::fill() {
    grdSkupiny_->clear();
    try {
        data_.qPomSkupiny.close();
        data_.qPomSkupiny.open();
        for (const auto& row : data_.qPomSkupiny.rows()) {
            auto* item = new QTreeWidgetItem(grdSkupiny_, {q(row.text("NAZEV"))});
            item->setData(0, Qt::UserRole, static_cast<int>(row.integerOr("SKUPID", 0)));
        }
        data_.qPomSkupiny.close();
    } catch (const Error& e) {
        app::Messages::error(e.what());
    }
    pbOK_->setEnabled(grdSkupiny_->currentItem() != nullptr);
}

void TfrmZmSk::select(int group) {
    for (int i = 0; i < grdSkupiny_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = grdSkupiny_->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toInt() == group) {
            grdSkupiny_->setCurrentItem(item);
            grdSkupiny_->scrollToItem(item);
            return;
        }
    }
}

void TfrmZmSk::search(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    for (int i = 0; i < grdSkupiny_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = grdSkupiny_->topLevelItem(i);
        if (startsWithNoCase(s(item->text(0)), s(text))) {
            grdSkupiny_->setCurrentItem(item);
            grdSkupiny_->scrollToItem(item);
            return;
        }
    }
}

int TfrmZmSk::chosenGroup() const {
    const QTreeWidgetItem* item = grdSkupiny_->currentItem();
    return item ? item->data(0, Qt::UserRole).toInt() : 0;
}

} // namespace arkona::catalogue::ui

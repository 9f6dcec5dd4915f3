#include "site/ui/sort_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace arkona::site::ui {

namespace {

constexpr int kKeyRole = Qt::UserRole + 1;

} // namespace

TfrmSort::TfrmSort(const QString& title, const QString& label, const QStringList& headers,
                   const std::vector<Row>& rows, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TfrmSort"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* lblSeznam = new QLabel(label, this);
    lblSeznam->setObjectName(QStringLiteral("lblSeznam"));
    layout->addWidget(lblSeznam);

    grdSort_ = new QTreeWidget(this);
    grdSort_->setObjectName(QStringLiteral("grdSort"));
    grdSort_->setRootIsDecorated(false);
    grdSort_->setColumnCount(static_cast<int>(headers.size()) + 1);
    grdSort_->setHeaderLabels(QStringList{QString()} + headers);
    grdSort_->setDragDropMode(QAbstractItemView::InternalMove);
    grdSort_->setSelectionMode(QAbstractItemView::SingleSelection);
    grdSort_->setToolTip(QStringLiteral("Stisknutím levého tlačítka myši a tažením můžete změnit "
                                        "pořadí jednotlivých položek"));
    grdSort_->header()->setStretchLastSection(true);
    for (const Row& r : rows) {
        auto* item = new QTreeWidgetItem(grdSort_, QStringList{QString()} + r.cells);
        item->setData(0, kKeyRole, r.key);
        // Rows are dragged between rows, never into one another.
        item->setFlags(item->flags() & ~Qt::ItemIsDropEnabled);
    }
    grdSort_->invisibleRootItem()->setFlags(grdSort_->invisibleRootItem()->flags() |
                                            Qt::ItemIsDropEnabled);
    renumber();
    grdSort_->resizeColumnToContents(0);
    grdSort_->resizeColumnToContents(1);
    if (grdSort_->topLevelItemCount() > 0) {
        grdSort_->setCurrentItem(grdSort_->topLevelItem(0));
    }
    connect(grdSort_->model(), &QAbstractItemModel::rowsMoved, this, [this] { renumber(); });
    // Beside the list, two buttons for those who move rows from the keyboard.
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(grdSort_, 1);
    auto* moves = new QVBoxLayout;
    auto* up = new QPushButton(QStringLiteral("Posunout &nahoru"), this);
    up->setObjectName(QStringLiteral("pbNahoru"));
    auto* down = new QPushButton(QStringLiteral("Posunout &dolů"), this);
    down->setObjectName(QStringLiteral("pbDolu"));
    moves->addWidget(up);
    moves->addWidget(down);
    moves->addStretch(1);
    listRow->addLayout(moves);
    layout->addLayout(listRow, 1);

    auto* hint = new QLabel(grdSort_->toolTip(), this);
    hint->setWordWrap(true);
    hint->setEnabled(false);
    layout->addWidget(hint);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("pbOK"));
    auto* cancel = buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("pbStorno"));
    connect(up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(520, 360);
}

void TfrmSort::renumber() {
    for (int i = 0; i < grdSort_->topLevelItemCount(); ++i) {
        grdSort_->topLevelItem(i)->setText(0, QString::number(i + 1));
    }
}

void TfrmSort::moveSelected(int step) {
    QTreeWidgetItem* item = grdSort_->currentItem();
    if (!item) {
        return;
    }
    const int from = grdSort_->indexOfTopLevelItem(item);
    const int to = from + step;
    if (to < 0 || to >= grdSort_->topLevelItemCount()) {
        return;
    }
    grdSort_->takeTopLevelItem(from);
    grdSort_->insertTopLevelItem(to, item);
    grdSort_->setCurrentItem(item);
    renumber();
}

std::vector<int> TfrmSort::keys() const {
    std::vector<int> keys;
    for (int i = 0; i < grdSort_->topLevelItemCount(); ++i) {
        keys.push_back(grdSort_->topLevelItem(i)->data(0, kKeyRole).toInt());
    }
    return keys;
}

} // namespace arkona::site::ui

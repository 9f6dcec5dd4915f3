#include "catalogue/ui/item_list_model.h"

#include <QDropEvent>
#include <QMimeData>

namespace arkona::catalogue::ui {

int ItemListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.size();
}

int ItemListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant ItemListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= list_.size() ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
        return {};
    }
    const ListedItem& item = list_.at(index.row());
    return QString::fromStdString(index.column() == 0 ? item.kod : item.nazev);
}

QVariant ItemListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    return section == 0 ? QStringLiteral("Kód") : QStringLiteral("Název");
}

Qt::ItemFlags ItemListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled
                           : Qt::NoItemFlags;
}

QStringList ItemListModel::mimeTypes() const {
    return {QString::fromLatin1(kItemsMime)};
}

QMimeData* ItemListModel::mimeData(const QModelIndexList&) const {
    // The window moves what is marked; the drag only says that items travel.
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kItemsMime), QByteArray("1"));
    return data;
}

GroupTreeWidget::GroupTreeWidget(QWidget* parent) : QTreeWidget(parent) {
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
}

QStringList GroupTreeWidget::mimeTypes() const {
    return {QString::fromLatin1(kGroupMime), QString::fromLatin1(kItemsMime)};
}

QMimeData* GroupTreeWidget::mimeData(const QList<QTreeWidgetItem*>& items) const {
    if (items.isEmpty()) {
        return nullptr;
    }
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kGroupMime),
                  QByteArray::number(items.front()->data(0, Qt::UserRole).toInt()));
    return data;
}

void GroupTreeWidget::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasFormat(QString::fromLatin1(kGroupMime)) ||
        data->hasFormat(QString::fromLatin1(kItemsMime))) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
        return;
    }
    event->ignore();
}

void GroupTreeWidget::dragMoveEvent(QDragMoveEvent* event) {
    QTreeWidget::dragMoveEvent(event);
    if (itemAt(event->position().toPoint())) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void GroupTreeWidget::dropEvent(QDropEvent* event) {
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    const QMimeData* data = event->mimeData();
    // The tree is never rearranged by the view itself: the window decides and rebuilds it.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (!target) {
        return;
    }
    const QPoint global = viewport()->mapToGlobal(event->position().toPoint());
    if (data->hasFormat(QString::fromLatin1(kGroupMime))) {
        if (groupDropped) {
            groupDropped(data->data(QString::fromLatin1(kGroupMime)).toInt(), target, global);
        }
    } else if (data->hasFormat(QString::fromLatin1(kItemsMime)) && itemsDropped) {
        itemsDropped(target);
    }
}

} // namespace arkona::catalogue::ui

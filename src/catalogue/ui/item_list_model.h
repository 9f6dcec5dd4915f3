#pragma once

#include "catalogue/item_list.h"

#include <QAbstractTableModel>
#include <QTableView>
#include <QTreeWidget>

namespace arkona::catalogue::ui {

// Drag formats inside the catalogue window: marked items, and one group (its number).
inline constexpr const char* kItemsMime = "application/x-arkona-zbozi";
inline constexpr const char* kGroupMime = "application/x-arkona-skupina";

// The item list of the catalogue window: "Kód" and "Název" of an ItemList, read only.
class ItemListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ItemListModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    ItemList& list() { return list_; }
    const ItemList& list() const { return list_; }
    // Call around changes of the list.
    void beginChange() { beginResetModel(); }
    void endChange() { endResetModel(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }

private:
    ItemList list_;
};

// The group tree: drops of groups (moves) and of items (to another group) are handed to the
// window through these callbacks.
class GroupTreeWidget : public QTreeWidget {
    Q_OBJECT
public:
    explicit GroupTreeWidget(QWidget* parent = nullptr);

    std::function<void(int group, QTreeWidgetItem* target, const QPoint& globalPos)> groupDropped;
    std::function<void(QTreeWidgetItem* target)> itemsDropped;

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

} // namespace arkona::catalogue::ui

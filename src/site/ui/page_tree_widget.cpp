#include "site/ui/page_tree_widget.h"

#include "site/site_structure.h"
#include "site/ui/page_pictures.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace arkona::site::ui {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QIcon pictureOf(const PageNode& node, bool target) {
    return pagePicture(node.link ? PagePicture::Link
                       : target  ? PagePicture::Target
                                 : PagePicture::Page);
}

QTreeWidgetItem* newItem(const PageNode& node) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, q(node.title));
    item->setData(0, Qt::UserRole, q(node.id));
    item->setIcon(0, pictureOf(node, false));
    return item;
}

} // namespace

std::string pageIdOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, Qt::UserRole).toString().toStdString() : std::string();
}

std::unordered_map<std::string, QTreeWidgetItem*>
fillPageItems(QTreeWidget* widget, const PageTree& tree, const std::string& selectedId) {
    std::unordered_map<std::string, QTreeWidgetItem*> items;
    widget->clear();
    QList<QTreeWidgetItem*> top;
    for (const PageNode* node : tree.preorder()) {
        QTreeWidgetItem* item = newItem(*node);
        items.emplace(node->id, item);
        if (node->parent) {
            items.at(node->parent->id)->addChild(item);
        } else {
            top.push_back(item);
        }
    }
    widget->addTopLevelItems(top);
    for (const PageNode* node : tree.preorder()) {
        if (node->expanded && !node->children.empty()) {
            items.at(node->id)->setExpanded(true);
        }
    }
    if (const auto it = items.find(selectedId); it != items.end()) {
        widget->setCurrentItem(it->second);
        widget->scrollToItem(it->second);
    }
    return items;
}

PageTreeWidget::PageTreeWidget(SiteStructure& structure, QWidget* parent)
    : QTreeWidget(parent), structure_(structure) {
    setObjectName(QStringLiteral("tvTree"));
    setHeaderHidden(true);
    setToolTip(QStringLiteral("Struktura stránek projektu"));
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setAutoExpandDelay(-1);
    structure_.setObserver(this);

    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (updating_ || quiet_ || keyboardMove_ || mousePressed_ || !item) {
            return;
        }
        emit pageChosen(q(pageIdOf(item)), false);
    });
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (!updating_) {
            structure_.setExpanded(pageIdOf(item), true);
        }
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (!updating_) {
            structure_.setExpanded(pageIdOf(item), false);
        }
    });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) {
        if (!updating_) {
            emit titleEdited(q(pageIdOf(item)), item->text(0));
        }
    });
}

PageTreeWidget::~PageTreeWidget() {
    if (structure_.tree().observer() == this) {
        structure_.setObserver(nullptr);
    }
}

QTreeWidgetItem* PageTreeWidget::itemOf(const std::string& id) const {
    const PageNode* node = structure_.tree().find(id);
    const auto it = node ? items_.find(node) : items_.end();
    return it == items_.end() ? nullptr : it->second;
}

void PageTreeWidget::showCurrent(const std::string& id) {
    QTreeWidgetItem* item = itemOf(id);
    if (!item) {
        return;
    }
    ++updating_;
    setCurrentItem(item);
    scrollToItem(item);
    --updating_;
}

void PageTreeWidget::refreshPictures() {
    const std::string& target = structure_.linkState().targetId;
    if (target == pictureTarget_) {
        return;
    }
    ++updating_;
    for (const std::string& id : {pictureTarget_, target}) {
        if (const PageNode* node = structure_.tree().find(id)) {
            if (QTreeWidgetItem* item = itemOf(id)) {
                item->setIcon(0, pictureOf(*node, id == target));
            }
        }
    }
    pictureTarget_ = target;
    --updating_;
}

void PageTreeWidget::editCurrentTitle() {
    if (QTreeWidgetItem* item = currentItem()) {
        ++updating_;
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        --updating_;
        editItem(item, 0);
    }
}

// ---------------------------------------------------------------- following the tree

QTreeWidgetItem* PageTreeWidget::makeItem(const PageNode& node) {
    QTreeWidgetItem* item = newItem(node);
    items_[&node] = item;
    return item;
}

void PageTreeWidget::place(QTreeWidgetItem* item, const PageNode& node) {
    QTreeWidgetItem* parent = node.parent ? items_.at(node.parent) : invisibleRootItem();
    parent->insertChild(static_cast<int>(structure_.tree().indexInParent(node)), item);
}

void PageTreeWidget::applyExpansion(const PageNode& node) {
    for (const PageNode* n : structure_.tree().subtree(node)) {
        if (QTreeWidgetItem* item = items_.at(n); item->isExpanded() != n->expanded) {
            item->setExpanded(n->expanded);
        }
    }
}

void PageTreeWidget::forget(const PageNode& node) {
    for (const PageNode* n : structure_.tree().subtree(node)) {
        items_.erase(n);
        if (n->id == pictureTarget_) {
            pictureTarget_.clear();
        }
    }
}

void PageTreeWidget::treeReset() {
    ++updating_;
    items_.clear();
    pictureTarget_.clear();
    const auto byId = fillPageItems(this, structure_.tree(), {});
    for (const PageNode* node : structure_.tree().preorder()) {
        items_[node] = byId.at(node->id);
    }
    --updating_;
}

void PageTreeWidget::nodeInserted(const PageNode& node) {
    ++updating_;
    place(makeItem(node), node);
    --updating_;
}

void PageTreeWidget::nodeMoved(const PageNode& node) {
    QTreeWidgetItem* item = items_.at(&node);
    const bool wasCurrent = item == currentItem();
    ++updating_;
    QTreeWidgetItem* from = item->parent() ? item->parent() : invisibleRootItem();
    from->takeChild(from->indexOfChild(item));
    place(item, node);
    applyExpansion(node);
    if (wasCurrent) {
        setCurrentItem(item);
    }
    --updating_;
}

void PageTreeWidget::nodeRemoving(const PageNode& node) {
    const auto it = items_.find(&node);
    if (it == items_.end()) {
        return;
    }
    QTreeWidgetItem* item = it->second;
    forget(node);
    delete item; // the next item becomes current, reported unless an operation holds quiet
}

void PageTreeWidget::nodeChanged(const PageNode& node) {
    const auto it = items_.find(&node);
    if (it == items_.end()) {
        return;
    }
    ++updating_;
    if (it->second->text(0) != q(node.title)) {
        it->second->setText(0, q(node.title));
    }
    if (it->second->isExpanded() != node.expanded) {
        it->second->setExpanded(node.expanded);
    }
    --updating_;
}

// ---------------------------------------------------------------- keyboard and mouse

void PageTreeWidget::keyPressEvent(QKeyEvent* event) {
    if (state() == QAbstractItemView::EditingState) {
        QTreeWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Delete:
        emit deleteKeyPressed();
        event->accept();
        return;
    case Qt::Key_Insert:
        emit insertKeyPressed();
        event->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        keyboardMove_ = true;
        QTreeWidget::keyPressEvent(event);
        keyboardMove_ = false;
        emit keyboardMoved();
        return;
    default:
        QTreeWidget::keyPressEvent(event);
    }
}

void PageTreeWidget::mousePressEvent(QMouseEvent* event) {
    // The right button opens the popup, which takes the release: its choice applies at once.
    mousePressed_ = event->button() == Qt::LeftButton;
    QTreeWidget::mousePressEvent(event);
}

void PageTreeWidget::mouseReleaseEvent(QMouseEvent* event) {
    QTreeWidget::mouseReleaseEvent(event);
    if (!mousePressed_) {
        return;
    }
    mousePressed_ = false;
    const QPoint pos = event->position().toPoint();
    QTreeWidgetItem* item = itemAt(pos);
    if (!item || item != currentItem() || quiet_) {
        return;
    }
    // The text and the picture, not the empty rest of the row.
    QRect hit = visualItemRect(item);
    hit.setWidth(iconSize().width() + fontMetrics().horizontalAdvance(item->text(0)) + 12);
    emit pageChosen(q(pageIdOf(item)), hit.contains(pos));
}

// ---------------------------------------------------------------- dragging

QStringList PageTreeWidget::mimeTypes() const {
    return {QString::fromLatin1(kPageMimeType)};
}

QMimeData* PageTreeWidget::mimeData(const QList<QTreeWidgetItem*>& items) const {
    auto* mime = new QMimeData;
    if (!items.isEmpty()) {
        mime->setData(QString::fromLatin1(kPageMimeType),
                      QByteArray::fromStdString(pageIdOf(items.front())));
    }
    return mime;
}

QString PageTreeWidget::draggedId(const QMimeData* mime) const {
    if (!mime || !mime->hasFormat(QString::fromLatin1(kPageMimeType))) {
        return {};
    }
    const std::string id = mime->data(QString::fromLatin1(kPageMimeType)).toStdString();
    return structure_.tree().find(id) ? q(id) : QString();
}

void PageTreeWidget::startDrag(Qt::DropActions) {
    QTreeWidgetItem* item = currentItem();
    mousePressed_ = false;
    if (!item) {
        return;
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(mimeData({item}));
    drag->setPixmap(item->icon(0).pixmap(iconSize()));
    dragOverCount_ = 0;
    const Qt::DropAction done = drag->exec(Qt::MoveAction);
    if (done == Qt::IgnoreAction) {
        // No drop: the pressed page is the selection now.
        emit pageChosen(q(pageIdOf(currentItem())), false);
    }
}

bool PageTreeWidget::overExpandButton(QTreeWidgetItem* item, const QPoint& pos) const {
    const QRect row = visualItemRect(item);
    return pos.y() >= row.top() && pos.y() <= row.bottom() && pos.x() < row.left() &&
           pos.x() >= row.left() - indentation();
}

void PageTreeWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (draggedId(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void PageTreeWidget::dragMoveEvent(QDragMoveEvent* event) {
    QTreeWidget::dragMoveEvent(event); // scrolling near the edges, the drop indicator
    const QPoint pos = event->position().toPoint();
    QTreeWidgetItem* item = itemAt(pos);
    if (item && item->childCount() > 0 && overExpandButton(item, pos) && ++dragOverCount_ >= 11) {
        item->setExpanded(!item->isExpanded());
        dragOverCount_ = 0;
    }
    const QString dragged = draggedId(event->mimeData());
    if (!item || dragged.isEmpty() ||
        structure_.dropKinds(dragged.toStdString(), pageIdOf(item)).empty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void PageTreeWidget::dropEvent(QDropEvent* event) {
    const QPoint pos = event->position().toPoint();
    QTreeWidgetItem* item = itemAt(pos);
    const QString dragged = draggedId(event->mimeData());
    if (!item || dragged.isEmpty() || dragged == q(pageIdOf(item))) {
        event->ignore();
        return;
    }
    // The rows change only after the user chose where the page goes; nothing moves here.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit pageDropped(dragged, q(pageIdOf(item)), viewport()->mapToGlobal(pos));
}

} // namespace arkona::site::ui

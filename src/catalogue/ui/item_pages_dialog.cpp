#include "catalogue/ui/item_pages_dialog.h"

#include "app/message_box.h"
#include "base/error.h"
#include "catalogue/catalogue_settings.h"
#include "catalogue/item_pages.h"
#include "catalogue/ui/ui_text.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace arkona::catalogue::ui {

TfrmZarazZbozi::TfrmZarazZbozi(storage::UserSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Tool), settings_(settings) {
    setObjectName(QStringLiteral("TfrmZarazZbozi"));
    lbStranky_ = named(new QListWidget(this), "lbStranky");
    lbStranky_->setSelectionMode(QAbstractItemView::SingleSelection);
    lblPocet_ = named(new QLabel(this), "lblPocet");
    lblPocet_->setFrameShape(QFrame::StyledPanel);
    lblPocet_->setFrameShadow(QFrame::Sunken);
    lblPocet_->setContentsMargins(3, 1, 3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(lbStranky_, 1);
    layout->addWidget(lblPocet_);
    resize(kDefaultWidth, kDefaultHeight);
}

TfrmZarazZbozi::~TfrmZarazZbozi() = default;

void TfrmZarazZbozi::showPages(const std::string& itemName, const std::vector<std::string>& pages) {
    setWindowTitle(q(itemName));
    lbStranky_->clear();
    for (const std::string& title : pages) {
        lbStranky_->addItem(q(title));
    }
    lblPocet_->setText(q(pageCountText(pages.size())));
}

void TfrmZarazZbozi::clearPages() {
    setWindowTitle(QString());
    lbStranky_->clear();
    lblPocet_->clear();
}

void TfrmZarazZbozi::open(const QWidget* beside) {
    if (!placed_) {
        placed_ = true;
        PagesWindowPlace place;
        try {
            place = readPagesWindowPlace(settings_);
        } catch (const Error& e) {
            app::Messages::error(e.what());
        }
        if (place.width && place.height) {
            resize(*place.width, *place.height);
        }
        if (place.left && place.top) {
            move(*place.left, *place.top);
        } else if (beside) {
            const QRect frame = beside->frameGeometry();
            move(frame.right() + 1, frame.top());
        }
    }
    show();
    raise();
}

QStringList TfrmZarazZbozi::pages() const {
    QStringList out;
    for (int i = 0; i < lbStranky_->count(); ++i) {
        out << lbStranky_->item(i)->text();
    }
    return out;
}

QString TfrmZarazZbozi::statusText() const {
    return lblPocet_->text();
}

void TfrmZarazZbozi::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closedByUser();
}

void TfrmZarazZbozi::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        storePlace();
    }
}

void TfrmZarazZbozi::storePlace() {
    PagesWindowPlace place;
    place.top = pos().y();
    place.left = pos().x();
    place.width = width();
    place.height = height();
    try {
        writePagesWindowPlace(settings_, place);
    } catch (const Error& e) {
        app::Messages::error(e.what());
    }
}

} // namespace arkona::catalogue::ui

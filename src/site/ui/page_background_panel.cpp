#include "site/ui/page_background_panel.h"

#include "site/page_look.h"
#include "site/page_look_colour.h"
#include "site/ui/page_picture_dialog.h"
#include "storage/project_context.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace arkona::site::ui {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QToolButton* speedButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                         const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolTip(hint);
    return b;
}

} // namespace

// The picture tiled over the page colour, as a browser shows a background.
class BackgroundPreview : public QFrame {
public:
    explicit BackgroundPreview(QWidget* parent) : QFrame(parent) {
        setObjectName(QStringLiteral("imgPozadi"));
        setFrameShape(QFrame::StyledPanel);
        setFrameShadow(QFrame::Sunken);
        setMinimumSize(200, 120);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        showPicture({}, {}, {});
    }
    void showPicture(const QPixmap& picture, const QColor& page, const QString& note) {
        picture_ = picture;
        page_ = page;
        note_ = note;
        setProperty("hasPicture", !picture.isNull());
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        {
            QPainter p(this);
            const QRect r = contentsRect();
            p.fillRect(r, page_.isValid() ? page_ : palette().base().color());
            if (!picture_.isNull()) {
                p.drawTiledPixmap(r, picture_);
            } else if (!note_.isEmpty()) {
                p.drawText(r, Qt::AlignCenter, note_);
            }
        }
        QFrame::paintEvent(event);
    }

private:
    QPixmap picture_;
    QColor page_;
    QString note_;
};

PageBackgroundPanel::PageBackgroundPanel(PageLook& look, PagePanelHooks& hooks, QWidget* parent)
    : PagePanel(look, hooks, parent) {
    setObjectName(QStringLiteral("tsPozadi"));

    txtPozadi_ = new QLineEdit(this);
    txtPozadi_->setObjectName(QStringLiteral("txtPozadi"));
    txtPozadi_->setReadOnly(true);
    sbVybratPozadi_ = speedButton(this, "sbVybratPozadi", QStyle::SP_DialogOpenButton,
                                  QStringLiteral("Výbrat obrázek na pozadí stránky"));
    sbOdstranitPozadi_ = speedButton(this, "sbOdstranitPozadi", QStyle::SP_DialogResetButton,
                                     QStringLiteral("Odstranit obrázek na pozadí stránky"));
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(txtPozadi_, 1);
    pictureRow->addWidget(sbVybratPozadi_);
    pictureRow->addWidget(sbOdstranitPozadi_);

    txtVlastnosti_ = new QLineEdit(this);
    txtVlastnosti_->setObjectName(QStringLiteral("txtVlastnosti"));
    txtVlastnosti_->setMaxLength(50);
    txtVlastnosti_->installEventFilter(this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("obrázek na pozadí:"), pictureRow);
    auto* background = new QLabel(QStringLiteral("(BACKGROUND)"), this);
    background->setEnabled(false);
    form->addRow(QString(), background);
    form->addRow(QStringLiteral("vlastnosti obrázku:"), txtVlastnosti_);
    auto* properties = new QLabel(QStringLiteral("(BGPROPERTIES)"), this);
    properties->setEnabled(false);
    form->addRow(QString(), properties);

    imgPozadi_ = new BackgroundPreview(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(imgPozadi_, 1);

    connect(sbVybratPozadi_, &QToolButton::clicked, this, &PageBackgroundPanel::choosePicture);
    connect(sbOdstranitPozadi_, &QToolButton::clicked, this,
            [this] { write([this] { look_.clearPicture("BACKGROUND"); }); });
    connect(txtVlastnosti_, &QLineEdit::returnPressed, this, [this] {
        write([this] { look_.writeBackgroundProperties(txtVlastnosti_->text().toStdString()); });
    });
}

void PageBackgroundPanel::showPage() {
    txtPozadi_->setText(q(look_.text("BACKGROUND")));
    txtVlastnosti_->setText(q(look_.text("BGPROP")));
    const auto file = look_.picture("BACKGROUND");
    const auto rgb = colourRgb(look_.text(kPageColour));
    const QColor page = rgb ? QColor(rgb->red, rgb->green, rgb->blue) : QColor();
    if (file.empty()) {
        imgPozadi_->showPicture({}, page,
                                look_.text("BACKGROUND").empty()
                                    ? QString()
                                    : QStringLiteral("Obrázek není ve složce _images."));
        return;
    }
    imgPozadi_->showPicture(QPixmap(QString::fromStdString(file.string())), page, {});
}

void PageBackgroundPanel::clear() {
    txtPozadi_->clear();
    txtVlastnosti_->clear();
    imgPozadi_->showPicture({}, {}, {});
}

void PageBackgroundPanel::choosePicture() {
    if (!look_.hasPage()) {
        return;
    }
    const auto file = choosePictureFile(window(), look_.context().projectFolder);
    if (!file.empty()) {
        write([&] { look_.choosePicture("BACKGROUND", file); }, true);
    }
}

bool PageBackgroundPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtVlastnosti_ && event->type() == QEvent::FocusOut) {
        write([this] { look_.writeBackgroundProperties(txtVlastnosti_->text().toStdString()); });
    }
    return PagePanel::eventFilter(watched, event);
}

} // namespace arkona::site::ui

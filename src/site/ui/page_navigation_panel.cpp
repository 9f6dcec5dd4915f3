#include "site/ui/page_navigation_panel.h"

#include "site/page_look.h"
#include "site/page_look_colour.h"
#include "site/ui/colour_field.h"
#include "site/ui/page_picture_dialog.h"
#include "storage/project_context.h"
#include "templates/font_tag.h"
#include "templates/ui/font_tag_dialog.h"
#include "templates/ui/font_tag_preview.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace arkona::site::ui {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QColor colourOf(const std::string& value) {
    const auto rgb = colourRgb(value);
    return rgb ? QColor(rgb->red, rgb->green, rgb->blue) : QColor();
}

} // namespace

// The navigation column beside the page, drawn to scale on a page 800 pixels wide.
class NavigationWidthPreview : public QWidget {
public:
    explicit NavigationWidthPreview(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("pbSirka"));
        setMinimumSize(160, 60);
        setToolTip(QStringLiteral("Šířka navigace na stránce"));
    }
    void showWidth(NavigationWidth width, QColor page, QColor navigation) {
        width_ = width;
        page_ = page;
        navigation_ = navigation;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect r = rect().adjusted(0, 0, -1, -1);
        p.fillRect(r, page_.isValid() ? page_ : QColor(Qt::white));
        const double share = width_.unit == WidthUnit::Percent
                                 ? width_.number / 100.0
                                 : width_.number / double(maximumOf(WidthUnit::Pixels));
        QRect column = r;
        column.setWidth(static_cast<int>(r.width() * share));
        if (navigation_.isValid()) {
            p.fillRect(column, navigation_);
        } else {
            p.fillRect(column, QBrush(QColor(160, 160, 160), Qt::BDiagPattern));
        }
        p.setPen(QColor(96, 96, 96));
        p.drawRect(column);
        p.drawRect(r);
    }

private:
    NavigationWidth width_;
    QColor page_;
    QColor navigation_;
};

PageNavigationPanel::PageNavigationPanel(PageLook& look, PagePanelHooks& hooks, QWidget* parent)
    : PagePanel(look, hooks, parent) {
    setObjectName(QStringLiteral("tsNavigace"));

    chbZaradit_ = new QCheckBox(QStringLiteral("Zařadit stránku do navigace"), this);
    chbZaradit_->setObjectName(QStringLiteral("chbZaradit"));
    chbZobrazit_ = new QCheckBox(QStringLiteral("Zobrazit navigaci na stránce"), this);
    chbZobrazit_->setObjectName(QStringLiteral("chbZobrazit"));

    pnNavigace_ = new QWidget(this);
    pnNavigace_->setObjectName(QStringLiteral("pnNavigace"));

    seSirka_ = new QSpinBox(pnNavigace_);
    seSirka_->setObjectName(QStringLiteral("seSirka"));
    seSirka_->setRange(0, maximumOf(WidthUnit::Percent));
    rbProcenta_ = new QRadioButton(QStringLiteral("%"), pnNavigace_);
    rbProcenta_->setObjectName(QStringLiteral("rbProcenta"));
    rbBody_ = new QRadioButton(QStringLiteral("body"), pnNavigace_);
    rbBody_->setObjectName(QStringLiteral("rbBody"));
    rbProcenta_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    rbBody_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    seSirka_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* units = new QButtonGroup(this);
    units->addButton(rbProcenta_);
    units->addButton(rbBody_);
    tbSirka_ = new QSlider(Qt::Horizontal, pnNavigace_);
    tbSirka_->setObjectName(QStringLiteral("tbSirka"));
    tbSirka_->setRange(0, 100);
    tbSirka_->setTickInterval(10);
    tbSirka_->setTickPosition(QSlider::TicksBelow);
    lbl0_ = new QLabel(QStringLiteral("0 %"), pnNavigace_);
    lbl0_->setObjectName(QStringLiteral("lbl0"));
    lbl100_ = new QLabel(QStringLiteral("100 %"), pnNavigace_);
    lbl100_->setObjectName(QStringLiteral("lbl100"));
    pbSirka_ = new NavigationWidthPreview(pnNavigace_);

    colour_ =
        new ColourField(QString::fromLatin1(kNavigationColour),
                        QStringLiteral("Kliknutím můžete upravit barvu navigace"), pnNavigace_);
    seOdsazeni_ = new QSpinBox(pnNavigace_);
    seOdsazeni_->setObjectName(QStringLiteral("seOdsazeni"));
    seOdsazeni_->setRange(0, kIndentMax);
    seOdsazeni_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    auto* widthRow = new QHBoxLayout;
    widthRow->addWidget(seSirka_);
    widthRow->addWidget(rbProcenta_);
    widthRow->addWidget(rbBody_);
    widthRow->addSpacing(12);
    widthRow->addWidget(lbl0_);
    widthRow->addWidget(tbSirka_, 1);
    widthRow->addWidget(lbl100_);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Šířka navigace:"), widthRow);
    form->addRow(QStringLiteral("Barva navigace:"), colour_);
    form->addRow(QStringLiteral("Odsazení obrázků:"), seOdsazeni_);
    auto* top = new QHBoxLayout;
    top->addLayout(form, 1);
    top->addWidget(pbSirka_);

    pnDetail_ = new QGroupBox(pnNavigace_);
    pnDetail_->setObjectName(QStringLiteral("pnDetail"));
    auto* grid = new QGridLayout(pnDetail_);
    auto* inactiveTitle = new QLabel(QStringLiteral(" Neaktivní odkazy "), pnDetail_);
    auto* activeTitle = new QLabel(QStringLiteral(" Aktivní (vybrané) odkazy "), pnDetail_);
    for (QLabel* title : {inactiveTitle, activeTitle}) {
        QFont f = title->font();
        f.setBold(true);
        title->setFont(f);
    }
    grid->addWidget(inactiveTitle, 0, 1, 1, 2);
    grid->addWidget(activeTitle, 0, 3, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("obrázek"), pnDetail_), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("obrázek"), pnDetail_), 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("písmo"), pnDetail_), 1, 5);
    for (int i = 0; i < kNavigationLevels; ++i) {
        const auto fields = navigationLevel(i + 1);
        auto pictureField = [this](const std::string& column) {
            auto* e = new QLineEdit(pnDetail_);
            e->setObjectName(QStringLiteral("txt") + q(column));
            e->setReadOnly(true);
            e->setMaximumWidth(130);
            e->setToolTip(QStringLiteral("Dvojklikem vyberete obrázek"));
            e->setProperty("column", q(column));
            e->installEventFilter(this);
            return e;
        };
        auto preview = [this, i](const char* kind) {
            auto* p = new templates::ui::FontTagPreview(
                QStringLiteral("lbl%1%2").arg(QLatin1String(kind)).arg(i + 1), pnDetail_);
            p->setFrameShape(QFrame::NoFrame);
            p->setMargin(1);
            p->setMinimumWidth(200);
            p->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            p->setToolTip(QStringLiteral("Kliknutím můžete upravit písmo"));
            connect(p, &templates::ui::FontTagPreview::clicked, this,
                    [this, i] { chooseFont(i + 1); });
            return p;
        };
        Level& level = levels_[static_cast<std::size_t>(i)];
        level.inactive = pictureField(fields.inactivePicture);
        level.active = pictureField(fields.activePicture);
        level.inactivePreview = preview("Neaktivni");
        level.activePreview = preview("Aktivni");
        level.font = new QToolButton(pnDetail_);
        level.font->setObjectName(QStringLiteral("sbL%1_TXT").arg(i + 1));
        level.font->setText(QStringLiteral("F"));
        level.font->setToolTip(QStringLiteral("Upravit písmo úrovně %1").arg(i + 1));
        connect(level.font, &QToolButton::clicked, this, [this, i] { chooseFont(i + 1); });
        const int row = i + 2;
        grid->addWidget(new QLabel(QStringLiteral("%1.").arg(i + 1), pnDetail_), row, 0);
        grid->addWidget(level.inactive, row, 1);
        grid->addWidget(level.inactivePreview, row, 2);
        grid->addWidget(level.active, row, 3);
        grid->addWidget(level.activePreview, row, 4);
        grid->addWidget(level.font, row, 5);
    }
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(kNavigationLevels + 2, 1);

    auto* navigationLayout = new QVBoxLayout(pnNavigace_);
    navigationLayout->setContentsMargins(0, 0, 0, 0);
    navigationLayout->addLayout(top);
    navigationLayout->addWidget(pnDetail_);
    navigationLayout->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chbZaradit_);
    layout->addWidget(chbZobrazit_);
    layout->addWidget(pnNavigace_, 1);

    connect(chbZaradit_, &QCheckBox::toggled, this,
            [this](bool on) { write([&] { look_.writeFlag("NAVIGACE", on); }); });
    connect(chbZobrazit_, &QCheckBox::toggled, this,
            [this](bool on) { write([&] { look_.writeFlag("TAB", on); }); });
    connect(rbProcenta_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            unitChosen(WidthUnit::Percent);
        }
    });
    connect(rbBody_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            unitChosen(WidthUnit::Pixels);
        }
    });
    connect(seSirka_, &QSpinBox::valueChanged, this, [this](int value) {
        write([&] { look_.writeNavigationWidth({shownUnit_, value}); });
    });
    connect(tbSirka_, &QSlider::valueChanged, this, [this](int value) {
        if (shownUnit_ == WidthUnit::Percent) {
            write([&] { look_.writeNavigationWidth({WidthUnit::Percent, value}); });
        }
    });
    connect(seOdsazeni_, &QSpinBox::valueChanged, this,
            [this](int value) { write([&] { look_.writeIndent(value); }); });
    connect(colour_, &ColourField::left, this, [this](const QString& typed) {
        write([&] { look_.leaveColourField(kNavigationColour, typed.toStdString()); });
    });
    connect(colour_, &ColourField::chosen, this, [this](const QString& value) {
        write([&] { look_.writeColour(kNavigationColour, value.toStdString()); });
    });
}

void PageNavigationPanel::showWidth(NavigationWidth width) {
    shownUnit_ = width.unit;
    rbProcenta_->setChecked(width.unit == WidthUnit::Percent);
    rbBody_->setChecked(width.unit == WidthUnit::Pixels);
    seSirka_->setMaximum(maximumOf(width.unit));
    seSirka_->setValue(width.number);
    tbSirka_->setValue(sliderPosition(width));
    const bool percent = width.unit == WidthUnit::Percent;
    tbSirka_->setVisible(percent);
    lbl0_->setVisible(percent);
    lbl100_->setVisible(percent);
}

void PageNavigationPanel::unitChosen(WidthUnit unit) {
    if (loading() || !look_.hasPage() || unit == shownUnit_) {
        return;
    }
    // What the switch shows is what is stored, so that nothing shown is lost.
    const NavigationWidth width = switchUnit({shownUnit_, seSirka_->value()}, unit);
    write([&] { look_.writeNavigationWidth(width); });
}

void PageNavigationPanel::showNavigationEnabled(bool on) {
    pnNavigace_->setEnabled(on);
}

void PageNavigationPanel::showPage() {
    chbZaradit_->setChecked(look_.flag("NAVIGACE"));
    const bool tab = look_.flag("TAB");
    chbZobrazit_->setChecked(tab);
    showNavigationEnabled(tab);
    const NavigationWidth width = look_.navigationWidth();
    showWidth(width);
    seOdsazeni_->setValue(look_.indent());
    const std::string navigation = look_.text(kNavigationColour);
    colour_->setValue(q(navigation));
    const std::string page = look_.text(kPageColour);
    pbSirka_->showWidth(width, colourOf(page),
                        navigation == kNoNavigationColour ? QColor() : colourOf(navigation));
    for (int i = 0; i < kNavigationLevels; ++i) {
        const auto fields = navigationLevel(i + 1);
        const Level& level = levels_[static_cast<std::size_t>(i)];
        level.inactive->setText(q(look_.text(fields.inactivePicture)));
        level.active->setText(q(look_.text(fields.activePicture)));
    }
    levelsStale_ = true;
    if (isVisible()) {
        showLevels();
    }
}

void PageNavigationPanel::showLevels() {
    levelsStale_ = false;
    if (!look_.hasPage()) {
        return;
    }
    const std::string navigation = look_.text(kNavigationColour);
    const QString background =
        q(navigation.size() == 6 && navigation != kNoNavigationColour ? navigation
                                                                      : look_.text(kPageColour));
    const QString link = q(look_.text(kLinkColour));
    const int indent = look_.indent();
    for (int i = 0; i < kNavigationLevels; ++i) {
        const auto fields = navigationLevel(i + 1);
        const Level& level = levels_[static_cast<std::size_t>(i)];
        const auto font = templates::parseFontTag(look_.text(fields.font));
        const QString text =
            templates::ui::fontTagHtml(font, QString::fromUtf8(fields.caption), link);
        QString spaces;
        for (int k = 0; k < i * indent; ++k) {
            spaces += QStringLiteral("&nbsp;");
        }
        auto entry = [&](const std::string& column) {
            const auto file = look_.picture(column);
            const QString picture =
                file.empty() ? QString()
                             : QStringLiteral("<img src=\"%1\" style=\"vertical-align:middle\">")
                                   .arg(QUrl::fromLocalFile(q(file.string())).toString());
            return QStringLiteral("<nobr>%1%2%3</nobr>").arg(spaces, picture, text);
        };
        level.inactivePreview->showHtml(entry(fields.inactivePicture), background);
        level.activePreview->showHtml(entry(fields.activePicture), background);
        level.inactivePreview->setToolTip(q(look_.text(fields.font)));
        level.activePreview->setToolTip(q(look_.text(fields.font)));
    }
}

void PageNavigationPanel::clear() {
    chbZaradit_->setChecked(false);
    chbZobrazit_->setChecked(false);
    showWidth({});
    seOdsazeni_->setValue(0);
    colour_->setValue(QString());
    for (const Level& level : levels_) {
        level.inactive->clear();
        level.active->clear();
        level.inactivePreview->showHtml(QString());
        level.activePreview->showHtml(QString());
    }
}

void PageNavigationPanel::showEvent(QShowEvent* event) {
    PagePanel::showEvent(event);
    if (levelsStale_) {
        showLevels();
    }
}

void PageNavigationPanel::choosePicture(const QString& column) {
    if (!look_.hasPage()) {
        return;
    }
    const auto file = choosePictureFile(window(), look_.context().projectFolder);
    if (!file.empty()) {
        write([&] { look_.choosePicture(column.toStdString(), file); }, true);
    }
}

void PageNavigationPanel::chooseFont(int level) {
    if (!look_.hasPage()) {
        return;
    }
    const std::string column = navigationLevel(level).font;
    if (const auto tag = templates::ui::TfrmFnt::choose(window(), look_.text(column))) {
        write([&] { look_.writeText(column, *tag); });
    }
}

bool PageNavigationPanel::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field && field->property("column").isValid() && field->isEnabled()) {
        const QString column = field->property("column").toString();
        if (event->type() == QEvent::MouseButtonDblClick) {
            choosePicture(column);
            return true;
        }
        if (event->type() == QEvent::ContextMenu) {
            QMenu menu(field);
            QAction* choose = menu.addAction(QStringLiteral("Vybrat obrázek ..."));
            QAction* remove = menu.addAction(QStringLiteral("Odstranit obrázek"));
            remove->setEnabled(!field->text().isEmpty());
            QAction* chosen = menu.exec(static_cast<QContextMenuEvent*>(event)->globalPos());
            if (chosen == choose) {
                choosePicture(column);
            } else if (chosen == remove) {
                write([&] { look_.clearPicture(column.toStdString()); });
            }
            return true;
        }
    }
    return PagePanel::eventFilter(watched, event);
}

} // namespace arkona::site::ui

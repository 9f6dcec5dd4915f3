#include "templates/ui/font_tag_dialog.h"

#include "site/page_look_colour.h"
#include "site/ui/colour_field.h"
#include "templates/ui/font_tag_preview.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace arkona::templates::ui {

namespace {

constexpr const char* kSample = "Příliš žluťoučký kůň úpěl ďábelské ódy";

QToolButton* styleButton(QWidget* parent, const char* name, const QString& text,
                         const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(hint);
    b->setCheckable(true);
    b->setFixedWidth(28);
    QFont f = b->font();
    if (text == QLatin1String("B")) {
        f.setBold(true);
    } else if (text == QLatin1String("I")) {
        f.setItalic(true);
    } else {
        f.setUnderline(true);
    }
    b->setFont(f);
    return b;
}

} // namespace

TfrmFnt::TfrmFnt(const std::string& tag, QWidget* parent)
    : QDialog(parent), initial_(parseFontTag(tag)) {
    setObjectName(QStringLiteral("TfrmFnt"));
    setWindowTitle(QStringLiteral("Výběr fontu"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    cbPismo_ = new QComboBox(this);
    cbPismo_->setObjectName(QStringLiteral("cbPismo"));
    for (const auto& face : fontFaces()) {
        cbPismo_->addItem(QString::fromUtf8(face.entry));
    }
    initialFace_ = faceIndex(initial_.face);
    if (initialFace_ < 0) {
        // A face written by hand or by another program stays choosable, so OK keeps it.
        cbPismo_->addItem(QString::fromStdString(initial_.face));
        initialFace_ = cbPismo_->count() - 1;
    }
    cbPismo_->setCurrentIndex(initialFace_);

    cbVelikost_ = new QComboBox(this);
    cbVelikost_->setObjectName(QStringLiteral("cbVelikost"));
    for (const char* size : fontSizeEntries()) {
        cbVelikost_->addItem(QString::fromUtf8(size));
    }
    cbVelikost_->setCurrentIndex(initial_.size - kMinSize);

    colour_ = new site::ui::ColourField(QStringLiteral("Barva"),
                                        QStringLiteral("Kliknutím můžete upravit barvu"), this);
    colour_->setSwatchFollowsTyping(true);
    colour_->setValue(QString::fromStdString(initial_.colour));

    sbTucne_ = styleButton(this, "sbTucne", QStringLiteral("B"), QStringLiteral("Tučné písmo"));
    sbKurziva_ = styleButton(this, "sbKurziva", QStringLiteral("I"), QStringLiteral("Kurzíva"));
    sbPodtrzene_ =
        styleButton(this, "sbPodtrzene", QStringLiteral("U"), QStringLiteral("Podtržené písmo"));
    sbTucne_->setChecked(initial_.bold);
    sbKurziva_->setChecked(initial_.italic);
    sbPodtrzene_->setChecked(initial_.underline);
    auto* styles = new QHBoxLayout;
    styles->addWidget(sbTucne_);
    styles->addWidget(sbKurziva_);
    styles->addWidget(sbPodtrzene_);
    styles->addStretch(1);

    lblVzorek_ = new FontTagPreview(QStringLiteral("lblVzorek"), this);
    lblVzorek_->setCursor(Qt::ArrowCursor);
    lblVzorek_->setMinimumSize(520, 90);
    lblVzorek_->setAlignment(Qt::AlignCenter);
    lblVzorek_->setWordWrap(true);

    txtZapis_ = new QLineEdit(this);
    txtZapis_->setObjectName(QStringLiteral("txtZapis"));
    txtZapis_->setReadOnly(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Písmo:"), cbPismo_);
    form->addRow(QStringLiteral("Velikost:"), cbVelikost_);
    form->addRow(QStringLiteral("Barva:"), colour_);
    form->addRow(QStringLiteral("Styl:"), styles);
    form->addRow(QStringLiteral("Náhled:"), lblVzorek_);
    form->addRow(QStringLiteral("HTML zápis:"), txtZapis_);

    pbOK_ = new QPushButton(QStringLiteral("OK"), this);
    pbOK_->setObjectName(QStringLiteral("pbOK"));
    pbOK_->setDefault(true);
    pbStorno_ = new QPushButton(QStringLiteral("Storno"), this);
    pbStorno_->setObjectName(QStringLiteral("pbStorno"));
    pbStorno_->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(pbOK_);
    buttons->addWidget(pbStorno_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(pbOK_, &QPushButton::clicked, this, &TfrmFnt::accept);
    connect(pbStorno_, &QPushButton::clicked, this, &TfrmFnt::reject);
    connect(cbPismo_, &QComboBox::currentIndexChanged, this, &TfrmFnt::showPreview);
    connect(cbVelikost_, &QComboBox::currentIndexChanged, this, &TfrmFnt::showPreview);
    for (QToolButton* b : {sbTucne_, sbKurziva_, sbPodtrzene_}) {
        connect(b, &QToolButton::toggled, this, &TfrmFnt::showPreview);
    }
    connect(colour_, &site::ui::ColourField::left, this, &TfrmFnt::leaveColour);
    connect(colour_, &site::ui::ColourField::chosen, this, &TfrmFnt::showPreview);
    connect(colour_->edit(), &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.size() == site::kColourLength) {
            showPreview();
        }
    });
    showPreview();
}

FontTag TfrmFnt::font() const {
    FontTag font;
    const int face = cbPismo_->currentIndex();
    if (face == initialFace_) {
        font.face = initial_.face; // unchanged: written as it was
    } else if (face >= 0 && face < static_cast<int>(fontFaces().size())) {
        font.face = fontFaces()[static_cast<std::size_t>(face)].written;
    }
    font.size = cbVelikost_->currentIndex() + kMinSize;
    font.colour = site::normaliseColour(colour_->value().toStdString());
    font.bold = sbTucne_->isChecked();
    font.italic = sbKurziva_->isChecked();
    font.underline = sbPodtrzene_->isChecked();
    return font;
}

std::string TfrmFnt::tag() const {
    return buildFontTag(font());
}

void TfrmFnt::leaveColour() {
    const QString value =
        QString::fromStdString(site::normaliseColour(colour_->value().toStdString()));
    colour_->setValue(value);
    showPreview();
}

void TfrmFnt::showPreview() {
    const FontTag f = font();
    lblVzorek_->showFont(f, QString::fromUtf8(kSample));
    txtZapis_->setText(QString::fromStdString(buildFontTag(f)));
    txtZapis_->setCursorPosition(0);
}

void TfrmFnt::accept() {
    leaveColour();
    QDialog::accept();
}

std::optional<std::string> TfrmFnt::choose(QWidget* parent, const std::string& tag) {
    TfrmFnt dialog(tag, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.tag();
}

} // namespace arkona::templates::ui

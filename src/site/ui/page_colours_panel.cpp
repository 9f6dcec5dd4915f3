#include "site/ui/page_colours_panel.h"

#include "site/page_look.h"
#include "site/ui/colour_field.h"
#include "templates/font_tag.h"
#include "templates/ui/font_tag_dialog.h"
#include "templates/ui/font_tag_preview.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace arkona::site::ui {

namespace {

constexpr const char* kSample = "Vzorek písma . . .";

struct ColourRow {
    const char* column;
    const char* caption;
    const char* attribute;
};
constexpr std::array<ColourRow, 5> kRows = {{
    {kPageColour, "barva stránky ", "BGCOLOR"},
    {kTextColour, "barva textu ", "TEXT"},
    {kLinkColour, "odkaz", "LINK"},
    {kVisitedLinkColour, "použitý odkaz", "VLINK"},
    {kActiveLinkColour, "aktivní odkaz", "ALINK"},
}};

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

PageColoursPanel::PageColoursPanel(PageLook& look, PagePanelHooks& hooks, QWidget* parent)
    : PagePanel(look, hooks, parent) {
    setObjectName(QStringLiteral("tsBarvy"));

    auto* gbBarvy = new QGroupBox(QStringLiteral(" Barvy "), this);
    gbBarvy->setObjectName(QStringLiteral("gbBarvy"));
    auto* grid = new QGridLayout(gbBarvy);
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const auto& row = kRows[i];
        auto* field = new ColourField(QString::fromLatin1(row.column),
                                      QStringLiteral("Kliknutím můžete upravit barvu"), gbBarvy);
        colours_[i] = {row.column, field};
        auto* caption = new QLabel(QString::fromUtf8(row.caption), gbBarvy);
        caption->setBuddy(field->edit());
        auto* attribute =
            new QLabel(QStringLiteral("(%1)").arg(QLatin1String(row.attribute)), gbBarvy);
        attribute->setEnabled(false);
        const int r = static_cast<int>(i);
        grid->addWidget(caption, r, 0);
        grid->addWidget(attribute, r, 1);
        grid->addWidget(field, r, 2);
        const char* column = row.column;
        connect(field, &ColourField::left, this, [this, column](const QString& typed) {
            write([&] { look_.leaveColourField(column, typed.toStdString()); });
        });
        connect(field, &ColourField::chosen, this, [this, column](const QString& value) {
            write([&] { look_.writeColour(column, value.toStdString()); });
        });
    }
    grid->setColumnStretch(3, 1);

    auto* gbPismo = new QGroupBox(QStringLiteral(" Písmo "), this);
    gbPismo->setObjectName(QStringLiteral("gbPismo"));
    lblVzorek_ = new templates::ui::FontTagPreview(QStringLiteral("lblVzorek"), gbPismo);
    lblVzorek_->setToolTip(QStringLiteral("Upravit vlastnosti písma stránky"));
    lblVzorek_->setMinimumHeight(56);
    sbPismo_ = new QToolButton(gbPismo);
    sbPismo_->setObjectName(QStringLiteral("sbPismo"));
    sbPismo_->setText(QStringLiteral("F"));
    sbPismo_->setToolTip(QStringLiteral("Upravit vlastnosti písma stránky"));
    QFont bold = sbPismo_->font();
    bold.setBold(true);
    sbPismo_->setFont(bold);
    txtPismo_ = new QLineEdit(gbPismo);
    txtPismo_->setObjectName(QStringLiteral("txtPismo"));
    txtPismo_->setReadOnly(true);
    auto* sampleRow = new QHBoxLayout;
    sampleRow->addWidget(lblVzorek_, 1);
    sampleRow->addWidget(sbPismo_, 0, Qt::AlignTop);
    auto* fontLayout = new QVBoxLayout(gbPismo);
    fontLayout->addLayout(sampleRow);
    fontLayout->addWidget(new QLabel(QStringLiteral("HTML zápis písma"), gbPismo));
    fontLayout->addWidget(txtPismo_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbBarvy);
    layout->addWidget(gbPismo);
    layout->addStretch(1);

    connect(lblVzorek_, &templates::ui::FontTagPreview::clicked, this,
            &PageColoursPanel::chooseFont);
    connect(sbPismo_, &QToolButton::clicked, this, &PageColoursPanel::chooseFont);
}

void PageColoursPanel::showPage() {
    for (const auto& c : colours_) {
        c.field->setValue(q(look_.text(c.column))); // the swatch only for a complete colour
    }
    const std::string tag = look_.text("TXT_FONT");
    lblVzorek_->showFont(templates::parseFontTag(tag), QString::fromUtf8(kSample),
                         q(look_.text(kPageColour)));
    txtPismo_->setText(q(tag));
}

void PageColoursPanel::clear() {
    for (const auto& c : colours_) {
        c.field->setValue(QString());
    }
    lblVzorek_->showHtml(QString());
    txtPismo_->clear();
}

void PageColoursPanel::chooseFont() {
    if (!look_.hasPage()) {
        return;
    }
    if (const auto tag = templates::ui::TfrmFnt::choose(window(), look_.text("TXT_FONT"))) {
        write([&] { look_.writeText("TXT_FONT", *tag); });
    }
}

} // namespace arkona::site::ui

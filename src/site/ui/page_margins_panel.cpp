#include "site/ui/page_margins_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

namespace arkona::site::ui {

PageMarginsPanel::PageMarginsPanel(PageLook& look, PagePanelHooks& hooks, const QString& name,
                                   std::span<const MarginSetting> settings, QWidget* parent)
    : PagePanel(look, hooks, parent) {
    setObjectName(name);
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (const auto& setting : settings) {
        auto* spin = new QSpinBox(this);
        spin->setObjectName(QStringLiteral("se") + QLatin1String(setting.column));
        spin->setRange(kMarginNotSet, kMarginMax);
        spin->setToolTip(QStringLiteral("-1 = nenastaveno"));
        auto* caption = new QLabel(QString::fromUtf8(setting.caption), this);
        caption->setBuddy(spin);
        grid->addWidget(caption, row, 0);
        if (std::string_view(setting.caption) != setting.attribute) {
            auto* attribute =
                new QLabel(QStringLiteral("(%1)").arg(QLatin1String(setting.attribute)), this);
            attribute->setEnabled(false);
            grid->addWidget(attribute, row, 1);
        }
        grid->addWidget(spin, row, 2);
        const char* column = setting.column;
        connect(spin, &QSpinBox::valueChanged, this,
                [this, column](int value) { write([&] { look_.writeMargin(column, value); }); });
        fields_.push_back({setting.column, spin});
        ++row;
    }
    auto* note =
        new QLabel(QStringLiteral("-1 = nenastaveno, atribut se do stránky nezapíše"), this);
    note->setEnabled(false);
    grid->addWidget(note, row, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(row + 1, 1);
}

void PageMarginsPanel::showPage() {
    for (const auto& f : fields_) {
        f.spin->setValue(look_.margin(f.column));
    }
}

void PageMarginsPanel::clear() {
    for (const auto& f : fields_) {
        f.spin->setValue(kMarginNotSet);
    }
}

} // namespace arkona::site::ui

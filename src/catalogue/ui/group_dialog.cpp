#include "catalogue/ui/group_dialog.h"

#include "app/message_box.h"
#include "base/error.h"
#include "catalogue/distributors.h"
#include "catalogue/ui/distributor_dialog.h"
#include "catalogue/ui/ui_text.h"
#include "catalogue/vat.h"
#include "storage/project_context.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace arkona::catalogue::ui {

TfrmSkup::TfrmSkup(const Group& group, storage::TData2& data,
                   const storage::ProjectContext& project, QWidget* parent)
    : QDialog(parent), group_(group), data_(data), project_(project) {
    setObjectName(QStringLiteral("TfrmSkup"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(QStringLiteral("Skupina"));

    auto* lblNazev = new QLabel(QStringLiteral("Název skupiny"), this);
    txtNazev_ = named(new QLineEdit(q(group.nazev), this), "txtNazev");
    txtNazev_->setValidator(new ColumnValidator(40, false, txtNazev_));
    lblNazev->setBuddy(txtNazev_);

    auto* gbZbozi =
        named(new QGroupBox(QStringLiteral("Přednastavení pro zboží"), this), "gbPrednastaveni");
    cbDistributor_ = named(new QComboBox(gbZbozi), "cbDistributor");
    cbDistributor_->setMinimumWidth(220);
    auto* pbDistrib = named(new QPushButton(QStringLiteral(". . ."), gbZbozi), "pbDistrib");
    pbDistrib->setAutoDefault(false);
    connect(pbDistrib, &QPushButton::clicked, this, &TfrmSkup::chooseDistributor);
    connect(cbDistributor_, &QComboBox::activated, this, [this] { unknownDistributor_ = 0; });
    const VatRates rates = VatRates::of(project);
    cbDPH_ = named(new QComboBox(gbZbozi), "cbDPH");
    for (int position = 0; position < 3; ++position) {
        cbDPH_->addItem(q(vatCaption(codeAtListPosition(position), rates)));
    }
    cbDPH_->setCurrentIndex(std::max(0, listPosition(vatCode(group.nIdph))));
    txtSleva_ = named(new QDoubleSpinBox(gbZbozi), "txtSleva");
    txtSleva_->setRange(0, 100);
    txtSleva_->setDecimals(2);
    txtSleva_->setSuffix(QStringLiteral(" %"));
    txtSleva_->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    txtSleva_->setValue(group.sleva);
    auto* distributor = new QHBoxLayout;
    distributor->addWidget(cbDistributor_, 1);
    distributor->addWidget(pbDistrib);
    auto* zbozi = new QFormLayout(gbZbozi);
    zbozi->addRow(QStringLiteral("Distributor:"), distributor);
    zbozi->addRow(QStringLiteral("DPH:"), cbDPH_);
    zbozi->addRow(QStringLiteral("Sleva:"), txtSleva_);

    auto* gbPrepocty =
        named(new QGroupBox(QStringLiteral("Přednastavení přepočtů"), this), "gbPrepocty");
    chbRecNC_ = named(
        new QCheckBox(QStringLiteral("prod. cenu dle nákup. ceny a marže při změně nákup. ceny"),
                      gbPrepocty),
        "chbRecNC");
    chbRecDC_ = named(
        new QCheckBox(QStringLiteral("prod. cenu dle doporučené ceny při změně doporuč. ceny"),
                      gbPrepocty),
        "chbRecDC");
    chbRecM_ = named(
        new QCheckBox(QStringLiteral("prodejní cenu dle nákupní ceny a marže při změně marže"),
                      gbPrepocty),
        "chbRecM");
    chbRecNC_->setChecked(group.recNc);
    chbRecDC_->setChecked(group.recDc);
    chbRecM_->setChecked(group.recM);
    auto* prepocty = new QVBoxLayout(gbPrepocty);
    prepocty->addWidget(chbRecNC_);
    prepocty->addWidget(chbRecDC_);
    prepocty->addWidget(chbRecM_);

    auto* gbZaokr =
        named(new QGroupBox(QStringLiteral("Přednastavení zaokrouhlování prodejní ceny"), this),
              "gbZaokrouhleni");
    rbZadne_ = named(new QRadioButton(QStringLiteral("žádné"), gbZaokr), "rbZadne");
    rbDesetniky_ = named(new QRadioButton(QStringLiteral("na desetníky"), gbZaokr), "rbDesetniky");
    rbKoruny_ = named(new QRadioButton(QStringLiteral("na koruny"), gbZaokr), "rbKoruny");
    (group.round == "1"   ? rbDesetniky_
     : group.round == "2" ? rbKoruny_
                          : rbZadne_)
        ->setChecked(true);
    auto* zaokr = new QHBoxLayout(gbZaokr);
    zaokr->addWidget(rbZadne_);
    zaokr->addWidget(rbDesetniky_);
    zaokr->addWidget(rbKoruny_);

    pbOK_ = named(new QPushButton(QStringLiteral("OK"), this), "pbOK");
    pbOK_->setDefault(true);
    auto* pbStorno = named(new QPushButton(QStringLiteral("Storno"), this), "pbStorno");
    pbStorno->setAutoDefault(false);
    connect(pbOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(pbStorno, &QPushButton::clicked, this, &QDialog::reject);
    const auto updateOk = [this] { pbOK_->setEnabled(!txtNazev_->text().trimmed().isEmpty()); };
    connect(txtNazev_, &QLineEdit::textChanged, this, updateOk);
    updateOk();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(pbOK_);
    buttons->addWidget(pbStorno);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblNazev);
    layout->addWidget(txtNazev_);
    layout->addWidget(gbZbozi);
    layout->addWidget(gbPrepocty);
    layout->addWidget(gbZaokr);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    fillDistributors(group.distId);
    txtNazev_->setFocus();
}

void TfrmSkup::fillDistributors(int current) {
    cbDistributor_->clear();
    cbDistributor_->addItem(QString(), 0);
    try {
        for (const Distributor& d : readDistributors(project_)) {
            cbDistributor_->addItem(q(d.name), d.id);
        }
    } catch (const Error& e) {
        app::Messages::error(e.what());
    }
    const int index = cbDistributor_->findData(current);
    cbDistributor_->setCurrentIndex(std::max(0, index));
    unknownDistributor_ = index < 0 ? current : 0;
}

void TfrmSkup::chooseDistributor() {
    const int before = group().distId;
    TfrmDistr list(data_, project_, before, this);
    fillDistributors(list.exec() == QDialog::Accepted ? list.currentId() : before);
}

Group TfrmSkup::group() const {
    Group g = group_;
    g.nazev = s(txtNazev_->text());
    const int distributor = cbDistributor_->currentData().toInt();
    g.distId =
        distributor == 0 && cbDistributor_->currentIndex() == 0 ? unknownDistributor_ : distributor;
    g.nIdph = codeText(codeAtListPosition(cbDPH_->currentIndex()));
    g.sleva = txtSleva_->value();
    g.recNc = chbRecNC_->isChecked();
    g.recDc = chbRecDC_->isChecked();
    g.recM = chbRecM_->isChecked();
    const char rounding = rbDesetniky_->isChecked() ? '1' : rbKoruny_->isChecked() ? '2' : '0';
    g.round = std::string(1, rounding);
    return g;
}

} // namespace arkona::catalogue::ui

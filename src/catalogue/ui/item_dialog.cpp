#include "catalogue/ui/item_dialog.h"

#include "app/message_box.h"
#include "base/error.h"
#include "base/picture_size.h"
#include "catalogue/distributors.h"
#include "catalogue/picture_files.h"
#include "catalogue/rounding.h"
#include "catalogue/tables.h"
#include "catalogue/ui/distributor_dialog.h"
#include "catalogue/ui/picture_chooser.h"
#include "catalogue/ui/ui_text.h"
#include "storage/project_context.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace arkona::catalogue::ui {

using app::Messages;

namespace {

constexpr const char* kRecalcHint = "Automaticky přepočítávat prodejní cenu dle nákupní ceny a "
                                    "marže";
const QSize kPictureBox(150, 110);

QLabel* label(QWidget* parent, const char* text) {
    return new QLabel(QString::fromUtf8(text), parent);
}

QLabel* valueLabel(QWidget* parent, const char* name) {
    return ui::valueLabel(parent, name, 70);
}

EditorField fieldOf(PriceField field) {
    switch (field) {
    case PriceField::N_CENA:
        return EditorField::N_CENA;
    case PriceField::N_CENA_DPH:
        return EditorField::N_CENA_DPH;
    case PriceField::D_CENA:
        return EditorField::D_CENA;
    case PriceField::D_CENA_DPH:
        return EditorField::D_CENA_DPH;
    case PriceField::MARZE:
        return EditorField::MARZE;
    case PriceField::MARZE_KC:
        return EditorField::MARZE_KC;
    case PriceField::P_CENA_DPH:
        return EditorField::P_CENA_DPH;
    case PriceField::SLEVA:
        return EditorField::SLEVA;
    case PriceField::SLEVA_KC:
        return EditorField::SLEVA_KC;
    case PriceField::P_0:
        return EditorField::P_0;
    case PriceField::P_L:
        return EditorField::P_L;
    case PriceField::P_H:
        return EditorField::P_H;
    case PriceField::L:
        return EditorField::L;
    case PriceField::H:
        return EditorField::H;
    default:
        return EditorField::P_CENA;
    }
}

} // namespace

TfrmZboz::TfrmZboz(const storage::ProjectContext& project, storage::TData2& data, StoredItem item,
                   ItemEditor::Options options, QWidget* parent)
    : QDialog(parent), project_(project), data_(data),
      editor_(std::move(item), options, VatRates::of(project), Messages::prompter(), Date::today(),
              [&project](std::string_view code) { return codeStatus(project, code); }),
      currency_(project.currency.empty() ? QStringLiteral("Kč") : q(project.currency)) {
    setObjectName(QStringLiteral("TfrmZboz"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(QStringLiteral("Vlastnosti zboží"));

    auto* prices = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(buildPurchaseArea());
    left->addWidget(buildRecommendedArea());
    left->addStretch();
    prices->addLayout(left);
    prices->addWidget(buildMarginArea(), 0, Qt::AlignTop);
    prices->addWidget(buildSaleArea(), 1);

    pbOK_ = named(new QPushButton(QStringLiteral("OK"), this), "pbOK");
    pbOK_->setDefault(true);
    auto* pbStorno = named(new QPushButton(QStringLiteral("Storno"), this), "pbStorno");
    pbStorno->setAutoDefault(false);
    connect(pbOK_, &QPushButton::clicked, this, &TfrmZboz::okCommand);
    connect(pbStorno, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(pbOK_);
    buttons->addWidget(pbStorno);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildItemArea());
    layout->addLayout(prices);
    layout->addLayout(buttons);

    fillDistributors();
    showValues();
    showPicture();
    updateOk();
    if (editor_.codeEditable()) {
        txtKod_->setFocus();
    } else {
        txtNazev_->setFocus();
    }
}

// ---------------------------------------------------------------- building

QWidget* TfrmZboz::buildItemArea() {
    auto* box = named(new QGroupBox(QStringLiteral("Údaje o zboží"), this), "gbUdaje");
    txtKod_ = named(new QLineEdit(q(editor_.item().kod), box), "txtKod");
    txtKod_->setValidator(new ColumnValidator(40, true, txtKod_));
    txtKod_->setReadOnly(!editor_.codeEditable());
    txtKod_->installEventFilter(this);
    // The upper-casing validator resets isModified() on every key, so typing is tracked here.
    connect(txtKod_, &QLineEdit::textEdited, this, [this] {
        codeEdited_ = true;
        pbOK_->setEnabled(false);
    });
    txtNazev_ = named(new QLineEdit(q(editor_.item().nazev), box), "txtNazev");
    txtNazev_->setValidator(new ColumnValidator(100, false, txtNazev_));
    connect(txtNazev_, &QLineEdit::textEdited, this,
            [this](const QString& t) { editor_.setName(s(t)); });
    txtPopis_ = named(new QPlainTextEdit(q(editor_.popis()), box), "txtPopis");
    txtPopis_->setTabChangesFocus(true);
    txtPopis_->setFixedHeight(60);
    connect(txtPopis_, &QPlainTextEdit::textChanged, this,
            [this] { editor_.setDescription(s(txtPopis_->toPlainText())); });
    cbDistributor_ = named(new QComboBox(box), "cbDistributor");
    connect(cbDistributor_, &QComboBox::activated, this,
            [this] { editor_.setDistributor(cbDistributor_->currentData().toInt()); });
    auto* pbDistrib = named(new QPushButton(QStringLiteral("..."), box), "pbDistrib");
    pbDistrib->setToolTip(QStringLiteral("Přidat nového distributora do seznamu"));
    pbDistrib->setAutoDefault(false);
    connect(pbDistrib, &QPushButton::clicked, this, &TfrmZboz::chooseDistributor);
    txtObrazek_ = named(new QLineEdit(box), "txtObrazek");
    txtObrazek_->setReadOnly(true);
    txtObrazek_->setToolTip(QStringLiteral("Název souboru s obrázkem"));
    auto* sbVyhledat = named(new QToolButton(box), "sbVyhledat");
    sbVyhledat->setText(QStringLiteral("..."));
    sbVyhledat->setToolTip(QStringLiteral("Vyhledat soubor s obrázkem"));
    connect(sbVyhledat, &QToolButton::clicked, this, &TfrmZboz::choosePicture);
    auto* sbOdstranit = named(new QToolButton(box), "sbOdstranit");
    sbOdstranit->setText(QStringLiteral("×"));
    sbOdstranit->setToolTip(QStringLiteral("Odstranit obrázek"));
    connect(sbOdstranit, &QToolButton::clicked, this, [this] {
        editor_.removePicture();
        showPicture();
    });
    imgObrazek_ = named(new QLabel(box), "imgObrazek");
    imgObrazek_->setToolTip(QStringLiteral("Obrázek zboží"));
    imgObrazek_->setFixedSize(kPictureBox);
    imgObrazek_->setAlignment(Qt::AlignCenter);

    auto* grid = new QGridLayout(box);
    grid->addWidget(label(box, "kód:"), 0, 0);
    grid->addWidget(txtKod_, 0, 1, 1, 3);
    grid->addWidget(label(box, "název:"), 1, 0);
    grid->addWidget(txtNazev_, 1, 1, 1, 3);
    grid->addWidget(label(box, "popis:"), 2, 0, Qt::AlignTop);
    grid->addWidget(txtPopis_, 2, 1, 1, 3);
    grid->addWidget(label(box, "distributor:"), 3, 0);
    grid->addWidget(cbDistributor_, 3, 1, 1, 2);
    grid->addWidget(pbDistrib, 3, 3);
    grid->addWidget(label(box, "obrázek:"), 4, 0);
    grid->addWidget(txtObrazek_, 4, 1);
    grid->addWidget(sbVyhledat, 4, 2);
    grid->addWidget(sbOdstranit, 4, 3);
    grid->addWidget(imgObrazek_, 0, 4, 5, 1, Qt::AlignCenter);
    grid->setColumnStretch(1, 1);
    return box;
}

QLineEdit* TfrmZboz::numberInput(QWidget* parent, const char* name, EditorField field) {
    auto* edit = named(new QLineEdit(parent), name);
    edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(90);
    edit->setMaximumWidth(110);
    edit->installEventFilter(this);
    inputs_[field] = edit;
    return edit;
}

QLabel* TfrmZboz::currencyLabel(QWidget* parent) {
    return new QLabel(currency_, parent);
}

QWidget* TfrmZboz::buildPurchaseArea() {
    auto* box = named(new QGroupBox(QStringLiteral("Nákupní cena"), this), "gbNakupni");
    const VatRates& rates = editor_.rates();
    cbNDPH_ = named(new QComboBox(box), "cbNDPH");
    for (int position = 0; position < 3; ++position) {
        cbNDPH_->addItem(q(vatCaption(codeAtListPosition(position), rates)));
    }
    connect(cbNDPH_, &QComboBox::activated, this,
            [this](int position) { apply(editor_.setPurchaseCode(position)); });
    chbRecNC_ = named(new QCheckBox(box), "chbRecNC");
    chbRecNC_->setToolTip(q(kRecalcHint));
    connect(chbRecNC_, &QCheckBox::clicked, this, [this](bool on) { editor_.setRecNc(on); });
    auto* grid = new QGridLayout(box);
    grid->addWidget(label(box, "sazba DPH:"), 0, 0);
    grid->addWidget(cbNDPH_, 0, 1, 1, 2);
    grid->addWidget(label(box, "bez DPH:"), 1, 0);
    grid->addWidget(numberInput(box, "txtNCena", EditorField::N_CENA), 1, 1);
    grid->addWidget(currencyLabel(box), 1, 2);
    grid->addWidget(label(box, "s DPH:"), 2, 0);
    grid->addWidget(numberInput(box, "txtNCenaDPH", EditorField::N_CENA_DPH), 2, 1);
    grid->addWidget(currencyLabel(box), 2, 2);
    grid->addWidget(chbRecNC_, 3, 1, 1, 2);
    return box;
}

QWidget* TfrmZboz::buildMarginArea() {
    auto* box = named(new QGroupBox(QStringLiteral("Marže"), this), "gbMarze");
    lblAMarze_ = valueLabel(box, "lblAMarze");
    lblAMarzeKc_ = valueLabel(box, "lblAMarzeKc");
    chbRecM_ = named(new QCheckBox(box), "chbRecM");
    chbRecM_->setToolTip(q(kRecalcHint));
    connect(chbRecM_, &QCheckBox::clicked, this, [this](bool on) { editor_.setRecM(on); });
    auto* pbPrepocet =
        named(new QPushButton(QStringLiteral("Přepočítat prodejní cenu dle marže"), box),
              "pbPrepocetProdejni");
    pbPrepocet->setAutoDefault(false);
    connect(pbPrepocet, &QPushButton::clicked, this, [this] {
        if (editing_) {
            leaveField(*editing_);
        }
        apply(editor_.recountSale());
    });
    auto* grid = new QGridLayout(box);
    grid->addWidget(label(box, "pevná"), 0, 0);
    grid->addWidget(numberInput(box, "txtMarze", EditorField::MARZE), 0, 1);
    grid->addWidget(label(box, "%"), 0, 2);
    grid->addWidget(numberInput(box, "txtMarzeKc", EditorField::MARZE_KC), 1, 1);
    grid->addWidget(currencyLabel(box), 1, 2);
    grid->addWidget(label(box, "aktuální"), 2, 0);
    grid->addWidget(lblAMarze_, 2, 1);
    grid->addWidget(label(box, "%"), 2, 2);
    grid->addWidget(lblAMarzeKc_, 3, 1);
    grid->addWidget(currencyLabel(box), 3, 2);
    grid->addWidget(chbRecM_, 4, 1, 1, 2);
    grid->addWidget(pbPrepocet, 5, 0, 1, 3);
    return box;
}

QWidget* TfrmZboz::buildRecommendedArea() {
    auto* box = named(new QGroupBox(QStringLiteral("Doporučená cena (EU)"), this), "gbDoporucena");
    chbRecDC_ = named(new QCheckBox(box), "chbRecDC");
    chbRecDC_->setToolTip(
        QStringLiteral("Automaticky přepočítávat prodejní cenu dle doporučené ceny"));
    connect(chbRecDC_, &QCheckBox::clicked, this, [this](bool on) { editor_.setRecDc(on); });
    auto* grid = new QGridLayout(box);
    grid->addWidget(label(box, "bez DPH:"), 0, 0);
    grid->addWidget(numberInput(box, "txtDCena", EditorField::D_CENA), 0, 1);
    grid->addWidget(currencyLabel(box), 0, 2);
    grid->addWidget(label(box, "s DPH:"), 1, 0);
    grid->addWidget(numberInput(box, "txtDCenaDPH", EditorField::D_CENA_DPH), 1, 1);
    grid->addWidget(currencyLabel(box), 1, 2);
    grid->addWidget(chbRecDC_, 2, 1, 1, 2);
    return box;
}

QWidget* TfrmZboz::buildSaleArea() {
    auto* box = named(new QGroupBox(QStringLiteral("Prodejní cena"), this), "gbProdejni");
    const VatRates& rates = editor_.rates();
    auto* pbMarze =
        named(new QPushButton(QStringLiteral("Přepočítat marži dle prodejní ceny"), box),
              "pbPrepocetMarze");
    pbMarze->setAutoDefault(false);
    connect(pbMarze, &QPushButton::clicked, this, [this] {
        if (editing_) {
            leaveField(*editing_);
        }
        apply(editor_.recountMargin());
    });
    pcProdejni_ = named(new QTabWidget(box), "pcProdejni");

    auto* tsZakladni = named(new QWidget, "tsZakladni");
    cbPDPH_ = named(new QComboBox(tsZakladni), "cbPDPH");
    for (int position = 0; position < 4; ++position) {
        cbPDPH_->addItem(q(vatCaption(codeAtListPosition(position), rates)));
    }
    connect(cbPDPH_, &QComboBox::activated, this,
            [this](int position) { apply(editor_.setSaleCode(position)); });
    auto* zakladni = new QGridLayout(tsZakladni);
    zakladni->addWidget(label(tsZakladni, "sazba DPH:"), 0, 0);
    zakladni->addWidget(cbPDPH_, 0, 1, 1, 3);
    zakladni->addWidget(label(tsZakladni, "bez DPH:"), 1, 0);
    zakladni->addWidget(numberInput(tsZakladni, "txtPCena", EditorField::P_CENA), 1, 1);
    zakladni->addWidget(currencyLabel(tsZakladni), 1, 2);
    zakladni->addWidget(label(tsZakladni, "s DPH:"), 2, 0);
    zakladni->addWidget(numberInput(tsZakladni, "txtPCenaDPH", EditorField::P_CENA_DPH), 2, 1);
    zakladni->addWidget(currencyLabel(tsZakladni), 2, 2);
    zakladni->addWidget(label(tsZakladni, "sleva:"), 3, 0);
    zakladni->addWidget(numberInput(tsZakladni, "txtSleva", EditorField::SLEVA), 3, 1);
    zakladni->addWidget(label(tsZakladni, "%"), 3, 2);
    zakladni->addWidget(numberInput(tsZakladni, "txtSlevaKc", EditorField::SLEVA_KC), 4, 1);
    zakladni->addWidget(currencyLabel(tsZakladni), 4, 2);
    zakladni->setRowStretch(5, 1);
    pcProdejni_->addTab(tsZakladni, QStringLiteral(" základní "));

    auto* tsZaokr = named(new QWidget, "tsZaokrouhlovani");
    auto* gbZaokr = new QGroupBox(QStringLiteral("Zaokrouhlování prodejní ceny "), tsZaokr);
    rbZadne_ = named(new QRadioButton(QStringLiteral("žádné"), gbZaokr), "rbZadne");
    rbDesetniky_ = named(new QRadioButton(QStringLiteral("na desetníky"), gbZaokr), "rbDesetniky");
    rbKoruny_ = named(new QRadioButton(QStringLiteral("na koruny"), gbZaokr), "rbKoruny");
    const std::pair<QRadioButton*, const char*> roundings[] = {
        {rbZadne_, "0"}, {rbDesetniky_, "1"}, {rbKoruny_, "2"}};
    auto* zaokr = new QVBoxLayout(gbZaokr);
    for (const auto& [button, code] : roundings) {
        zaokr->addWidget(button);
        connect(button, &QRadioButton::clicked, this, [this, code = code] {
            editor_.setRounding(code);
            showValues();
        });
    }
    (new QVBoxLayout(tsZaokr))->addWidget(gbZaokr);
    pcProdejni_->addTab(tsZaokr, QStringLiteral(" zaokrouhlování "));

    auto* tsRozpis = named(new QWidget, "tsRozpis");
    auto* rozpis = new QGridLayout(tsRozpis);
    const char* heads[] = {"Základ", "DPH", "Celkem", "Pevná"};
    for (int c = 0; c < 4; ++c) {
        rozpis->addWidget(label(tsRozpis, heads[c]), 0, c + 1, Qt::AlignCenter);
    }
    rozpis->addWidget(new QLabel(QStringLiteral("0 %"), tsRozpis), 1, 0);
    rozpis->addWidget(new QLabel(q(rates.reducedCaption), tsRozpis), 2, 0);
    rozpis->addWidget(new QLabel(q(rates.baseCaption), tsRozpis), 3, 0);
    rozpis->addWidget(numberInput(tsRozpis, "txtP0", EditorField::P_0), 1, 1);
    rozpis->addWidget(numberInput(tsRozpis, "txtPL", EditorField::P_L), 2, 1);
    rozpis->addWidget(numberInput(tsRozpis, "txtPH", EditorField::P_H), 3, 1);
    auto* dph0 = valueLabel(tsRozpis, "lblDPH0");
    dph0->setText(q(formatAmount(0)));
    rozpis->addWidget(dph0, 1, 2);
    lblDPHL_ = valueLabel(tsRozpis, "lblDPHL");
    lblDPHH_ = valueLabel(tsRozpis, "lblDPHH");
    rozpis->addWidget(lblDPHL_, 2, 2);
    rozpis->addWidget(lblDPHH_, 3, 2);
    lblP0Celkem_ = valueLabel(tsRozpis, "lblP0Celkem");
    rozpis->addWidget(lblP0Celkem_, 1, 3);
    rozpis->addWidget(numberInput(tsRozpis, "txtL", EditorField::L), 2, 3);
    rozpis->addWidget(numberInput(tsRozpis, "txtH", EditorField::H), 3, 3);
    const char* holds[] = {"chbHold0", "chbHoldL", "chbHoldH"};
    for (int i = 0; i < 3; ++i) {
        chbHold_[i] = named(new QCheckBox(tsRozpis), holds[i]);
        chbHold_[i]->setToolTip(QStringLiteral("Nastavit fixní částku"));
        rozpis->addWidget(chbHold_[i], i + 1, 4, Qt::AlignCenter);
        connect(chbHold_[i], &QCheckBox::clicked, this, [this, i](bool on) {
            if (editing_) {
                leaveField(*editing_);
            }
            apply(editor_.setHold(static_cast<PricePart>(i), on));
        });
    }
    lblPCena_ = valueLabel(tsRozpis, "lblPCenaCelkem");
    lblPDPH_ = valueLabel(tsRozpis, "lblPDPH");
    lblPCenaDPH_ = valueLabel(tsRozpis, "lblPCenaDPHCelkem");
    rozpis->addWidget(label(tsRozpis, "Celkem"), 4, 0);
    rozpis->addWidget(lblPCena_, 4, 1);
    rozpis->addWidget(lblPDPH_, 4, 2);
    rozpis->addWidget(lblPCenaDPH_, 4, 3);
    rozpis->setRowStretch(5, 1);
    pcProdejni_->addTab(tsRozpis, QStringLiteral(" rozpis DPH "));
    connect(pcProdejni_, &QTabWidget::currentChanged, this, [this] { showValues(); });

    auto* layout = new QVBoxLayout(box);
    layout->addWidget(pbMarze);
    layout->addWidget(pcProdejni_);
    return box;
}

// ---------------------------------------------------------------- showing the item

void TfrmZboz::showValues() {
    const Item& item = editor_.item();
    const ItemDerived d = editor_.derived();
    for (const auto& [field, edit] : inputs_) {
        edit->setText(q(editor_.shownText(field))); // also marks the input unchanged
    }
    cbNDPH_->setCurrentIndex(editor_.purchasePosition());
    cbPDPH_->setCurrentIndex(editor_.salePosition());
    chbRecNC_->setChecked(item.recNc);
    chbRecDC_->setChecked(item.recDc);
    chbRecM_->setChecked(item.recM);
    chbHold_[0]->setChecked(item.hold0);
    chbHold_[1]->setChecked(item.holdL);
    chbHold_[2]->setChecked(item.holdH);
    const Rounding r = rounding(item.round);
    (r == Rounding::Tenths  ? rbDesetniky_
     : r == Rounding::Units ? rbKoruny_
                            : rbZadne_)
        ->setChecked(true);
    lblAMarze_->setText(q(formatAmount(d.A_MARZE)));
    lblAMarzeKc_->setText(q(formatAmount(d.A_MARZE_KC)));
    lblP0Celkem_->setText(q(formatAmount(item.p0)));
    lblDPHL_->setText(q(formatAmount(d.DPH_L)));
    lblDPHH_->setText(q(formatAmount(d.DPH_H)));
    lblPCena_->setText(q(formatAmount(d.P_CENA)));
    lblPDPH_->setText(q(formatAmount(d.P_DPH)));
    lblPCenaDPH_->setText(q(formatAmount(d.P_CENA_DPH)));
}

void TfrmZboz::showPicture() {
    const std::string& obrazek = editor_.item().obrazek;
    txtObrazek_->setText(q(obrazek));
    const auto file = itemPicturePath(pictureFolder(project_), obrazek);
    std::error_code ec;
    if (obrazek.empty() || !std::filesystem::is_regular_file(file, ec)) {
        ui::showPicture(imgObrazek_, QString(), kPictureBox);
        return;
    }
    ui::showPicture(imgObrazek_, toQt(file), kPictureBox);
}

void TfrmZboz::fillDistributors() {
    cbDistributor_->clear();
    cbDistributor_->addItem(QString(), 0);
    try {
        for (const Distributor& d : readDistributors(project_)) {
            cbDistributor_->addItem(q(d.name), d.id);
        }
    } catch (const Error& e) {
        Messages::error(e.what());
    }
    cbDistributor_->setCurrentIndex(std::max(0, cbDistributor_->findData(editor_.item().distId)));
}

void TfrmZboz::updateOk() {
    pbOK_->setEnabled(editor_.okEnabled());
}

// ---------------------------------------------------------------- fields left

bool TfrmZboz::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        if (watched == txtKod_) {
            if (event->type() == QEvent::FocusOut && codeEdited_) {
                leaveCode();
            }
            return false;
        }
        for (const auto& [field, edit] : inputs_) {
            if (edit != watched) {
                continue;
            }
            if (event->type() == QEvent::FocusIn) {
                editing_ = field;
            } else if (editing_ == field) {
                editing_.reset();
                leaveField(field);
            }
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmZboz::leaveField(EditorField field) {
    if (busy_) {
        return;
    }
    busy_ = true;
    QLineEdit* edit = inputs_.at(field);
    const Outcome outcome = editor_.leave(field, s(edit->text()), edit->isModified());
    busy_ = false;
    apply(outcome);
}

void TfrmZboz::apply(const Outcome& outcome) {
    showValues();
    if (outcome.focus != PriceField::None) {
        focusField(outcome.focus);
    }
}

void TfrmZboz::focusField(PriceField field) {
    QWidget* target = nullptr;
    if (field == PriceField::HOLD_0 || field == PriceField::HOLD_L || field == PriceField::HOLD_H) {
        return; // the box is already shown cleared
    }
    target = inputs_.at(fieldOf(field));
    // The tab that holds the field comes forward first.
    for (int i = 0; i < pcProdejni_->count(); ++i) {
        if (pcProdejni_->widget(i)->isAncestorOf(target)) {
            pcProdejni_->setCurrentIndex(i);
        }
    }
    focusLater(target);
}

void TfrmZboz::leaveCode() {
    if (busy_) {
        return;
    }
    busy_ = true;
    codeEdited_ = false;
    editor_.leaveCode(s(txtKod_->text()));
    txtKod_->setText(q(editor_.item().kod));
    busy_ = false;
    updateOk();
}

// ---------------------------------------------------------------- commands

void TfrmZboz::chooseDistributor() {
    TfrmDistr list(data_, project_, editor_.item().distId, this);
    if (list.exec() == QDialog::Accepted && list.currentId() != 0) {
        editor_.setDistributor(list.currentId());
    }
    fillDistributors();
}

void TfrmZboz::choosePicture() {
    const auto folder = pictureFolder(project_);
    const std::string& obrazek = editor_.item().obrazek;
    const auto current = itemPicturePath(folder, obrazek);
    std::error_code ec;
    const QString start =
        !obrazek.empty() && std::filesystem::exists(current, ec) ? toQt(current) : toQt(folder);
    const QString chosen = choosePictureFile(this, start, itemPictureFilters());
    if (chosen.isEmpty()) {
        return;
    }
    try {
        readPictureSize(fromQt(chosen));
    } catch (const Error& e) {
        Messages::error(e.what());
        return;
    }
    if (editor_.choosePicture(fromQt(chosen), folder)) {
        showPicture();
    }
}

void TfrmZboz::okCommand() {
    if (editing_) {
        const EditorField field = *editing_;
        editing_.reset();
        leaveField(field);
    }
    // A field changed without being left (the focus never reached another one) runs too.
    for (const auto& [field, edit] : inputs_) {
        if (edit->isModified()) {
            leaveField(field);
        }
    }
    if (codeEdited_) {
        leaveCode();
    }
    if (!editor_.okEnabled()) {
        return;
    }
    pbOK_->setFocus();
    const ItemEditor::OkResult result = editor_.ok();
    switch (result.closing) {
    case ItemEditor::Closing::Ok:
        accept();
        return;
    case ItemEditor::Closing::Storno:
        reject();
        return;
    case ItemEditor::Closing::StayOpen:
        (result.focusCode ? static_cast<QWidget*>(txtKod_) : txtNazev_)->setFocus();
        return;
    }
}

} // namespace arkona::catalogue::ui

#include "catalogue/ui/product_dialog.h"

#include "app/main_status_bar.h"
#include "app/message_box.h"
#include "app/progress_window.h"
#include "base/error.h"
#include "base/paths.h"
#include "base/picture_size.h"
#include "base/textcase.h"
#include "catalogue/groups.h"
#include "catalogue/product_editor.h"
#include "catalogue/rounding.h"
#include "catalogue/tables.h"
#include "catalogue/ui/catalogue_window.h"
#include "catalogue/ui/item_dialog.h"
#include "catalogue/ui/picture_chooser.h"
#include "catalogue/ui/ui_text.h"
#include "site/page_tree.h"
#include "site/ui/page_picker_dialog.h"
#include "storage/project_context.h"
#include "templates/ui/font_tag_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

namespace arkona::catalogue::ui {

using app::Messages;

namespace {

const QSize kPictureBox(160, 120);

QLabel* label(QWidget* parent, const char* text, const char* name = nullptr) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    if (name) {
        l->setObjectName(QString::fromLatin1(name));
    }
    return l;
}

QLabel* valueLabel(QWidget* parent, const char* name) {
    return ui::valueLabel(parent, name, 80);
}

QToolButton* toolButton(QWidget* parent, const char* name, const char* text, const char* hint) {
    auto* b = named(new QToolButton(parent), name);
    b->setText(QString::fromUtf8(text));
    b->setToolTip(QString::fromUtf8(hint));
    return b;
}

// The VAT list of the price panel: "rozepsaná daň" is shown for a row copied from a split
// catalogue item but never offered while the list is open for a choice.
class VatList : public QComboBox {
public:
    VatList(QWidget* parent, std::function<int()> position)
        : QComboBox(parent), position_(std::move(position)) {}

    void showPopup() override {
        if (count() > 3) {
            const QSignalBlocker block(this);
            split_ = itemText(3);
            removeItem(3);
        }
        QComboBox::showPopup();
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        if (count() == 3 && !split_.isEmpty()) {
            const QSignalBlocker block(this);
            addItem(split_);
            setCurrentIndex(position_());
        }
    }

private:
    std::function<int()> position_;
    QString split_;
};

// The page's folder in the site folder, where the row's picture lies.
std::filesystem::path pageFolderOf(const ProductDialogContext& context) {
    const site::PageNode* page = context.tree.find(context.htmlId);
    const std::string disk = page ? page->disk : std::string();
    return paths::resolve(context.project.siteFolder, std::string(text::trim(disk)));
}

} // namespace

// ---------------------------------------------------------------- opening

ProductDialogResult TfrmProd::addRow(QWidget* parent, const ProductDialogContext& context,
                                     char typ) {
    try {
        auto editor = std::make_unique<ProductEditor>(
            ProductEditor::newRow(context.project, Messages::prompter(), context.htmlId,
                                  context.sekceId, typ, pageFolderOf(context)));
        TfrmProd dialog(context, std::move(editor), parent);
        if (dialog.exec() != QDialog::Accepted) {
            return {};
        }
        return dialog.rowResult();
    } catch (const Error& e) {
        Messages::error(e.what());
        return {};
    }
}

ProductDialogResult TfrmProd::editRow(QWidget* parent, const ProductDialogContext& context,
                                      std::uint32_t recno, const std::string& kod, int poradi) {
    try {
        std::unique_ptr<ProductEditor> editor;
        {
            std::optional<ProductEditor> read =
                ProductEditor::editRow(context.project, Messages::prompter(), context.htmlId,
                                       context.sekceId, recno, kod, poradi, pageFolderOf(context));
            if (!read) {
                Messages::error("Položka již v produktové sekci není.");
                return {};
            }
            if (context.status) {
                context.status->show("Načítám informace o zboží " + read->nazev() + "...");
                QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            }
            editor = std::make_unique<ProductEditor>(std::move(*read));
        }
        TfrmProd dialog(context, std::move(editor), parent);
        if (context.status) {
            context.status->show({});
        }
        if (dialog.exec() != QDialog::Accepted) {
            return {};
        }
        return dialog.rowResult();
    } catch (const Error& e) {
        if (context.status) {
            context.status->show({});
        }
        Messages::error(e.what());
        return {};
    }
}

TfrmProd::TfrmProd(const ProductDialogContext& context, std::unique_ptr<ProductEditor> editor,
                   QWidget* parent)
    : QDialog(parent), context_(context), editor_(std::move(editor)),
      currency_(context.project.currency.empty() ? QStringLiteral("Kč")
                                                 : q(context.project.currency)) {
    setObjectName(QStringLiteral("TfrmProd"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    pcProd_ = named(new QTabWidget(this), "pcProd");
    pcProd_->addTab(buildRowPage(), editor_->isHeading() ? QStringLiteral("Nadpis")
                                    : editor_->isSet()   ? QStringLiteral("Sestava")
                                                         : QStringLiteral("Zboží"));
    if (editor_->isSet()) {
        // The breakdown of the set into groups of components plugs in here with the sets.
        auto* tsRozpis = named(new QWidget, "tsRozpis");
        pcProd_->addTab(tsRozpis, QStringLiteral("Rozpis sestavy"));
    }

    pbOK_ = named(new QPushButton(QStringLiteral("OK"), this), "pbOK");
    pbOK_->setDefault(true);
    auto* pbStorno = named(new QPushButton(QStringLiteral("Storno"), this), "pbStorno");
    pbStorno->setAutoDefault(false);
    connect(pbOK_, &QPushButton::clicked, this, &TfrmProd::okCommand);
    connect(pbStorno, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(pbOK_);
    buttons->addWidget(pbStorno);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pcProd_);
    layout->addLayout(buttons);

    showRow();
    (editor_->codeEditable() ? static_cast<QWidget*>(txtKod_) : txtNazev_)->setFocus();
}

TfrmProd::~TfrmProd() = default;

// ---------------------------------------------------------------- building

QWidget* TfrmProd::buildRowPage() {
    auto* page = named(new QWidget, "tsZbozi");
    const bool heading = editor_->isHeading();

    lblKod_ = label(page, "Kód:", "lblKod");
    txtKod_ = named(new QLineEdit(page), "txtKod");
    txtKod_->setValidator(new ColumnValidator(80, true, txtKod_));
    txtKod_->setReadOnly(!editor_->codeEditable());
    txtKod_->installEventFilter(this);
    // The upper-casing validator resets isModified() on every key, so typing is tracked here.
    connect(txtKod_, &QLineEdit::textEdited, this, [this] {
        codeEdited_ = true;
        pbOK_->setEnabled(false);
    });
    lblNazev_ = label(page, heading ? "Nadpis:" : "Název:", "lblNazev");
    txtNazev_ = named(new QLineEdit(page), "txtNazev");
    txtNazev_->setValidator(new ColumnValidator(100, false, txtNazev_));
    connect(txtNazev_, &QLineEdit::textEdited, this,
            [this](const QString& t) { editor_->setName(s(t)); });
    auto* sbFontNaz = toolButton(page, "sbFontNaz", "F", "Upravit písmo nadpisu");
    connect(sbFontNaz, &QToolButton::clicked, this, [this] { chooseFont(true); });
    // The description is HTML typed as text; the link and picture tools of the source editor
    // (its pop-up menu and the delayed colouring) come with that editor.
    txtPopis_ = named(new QPlainTextEdit(page), "txtPopis");
    txtPopis_->setTabChangesFocus(true);
    connect(txtPopis_, &QPlainTextEdit::textChanged, this,
            [this] { editor_->setDescription(s(txtPopis_->toPlainText())); });
    auto* sbFontPop = toolButton(page, "sbFontPop", "F", "Upravit písmo popisu");
    connect(sbFontPop, &QToolButton::clicked, this, [this] { chooseFont(false); });

    auto* grid = new QGridLayout;
    grid->addWidget(lblKod_, 0, 0);
    grid->addWidget(txtKod_, 0, 1);
    grid->addWidget(lblNazev_, 1, 0);
    grid->addWidget(txtNazev_, 1, 1);
    grid->addWidget(sbFontNaz, 1, 2);
    grid->addWidget(label(page, "Popis:"), 2, 0, Qt::AlignTop);
    grid->addWidget(txtPopis_, 2, 1);
    grid->addWidget(sbFontPop, 2, 2, Qt::AlignTop);
    grid->addWidget(buildPicturePanel(page), 3, 0, 1, 3);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);
    lblKod_->setVisible(!heading);
    txtKod_->setVisible(!heading);

    auto* right = new QVBoxLayout;
    right->addWidget(buildPricePanel(page));
    pbKatalog_ =
        named(new QPushButton(QStringLiteral("Upravit cenu v &katalogu ..."), page), "pbKatalog");
    pbKatalog_->setAutoDefault(false);
    connect(pbKatalog_, &QPushButton::clicked, this, &TfrmProd::catalogueCommand);
    right->addWidget(pbKatalog_);
    right->addWidget(buildOrderPanel(page));
    right->addStretch();
    gbProdejni_->setVisible(!heading);
    pbKatalog_->setVisible(editor_->fromCatalogue());
    gbObjednavka_->setVisible(!heading);

    auto* layout = new QHBoxLayout(page);
    layout->addLayout(grid, 1);
    layout->addLayout(right); // empty for a heading: its panels are hidden
    return page;
}

QWidget* TfrmProd::buildPicturePanel(QWidget* parent) {
    auto* box = named(new QGroupBox(QStringLiteral("Obrázek"), parent), "gbObrazek");
    txtObrazek_ = named(new QLineEdit(box), "txtObrazek");
    txtObrazek_->setReadOnly(true);
    txtObrazek_->setToolTip(QStringLiteral("Název souboru s obrázkem"));
    auto* sbObrazek = toolButton(box, "sbObrazek", "...", "Vyhledat soubor s obrázkem");
    connect(sbObrazek, &QToolButton::clicked, this, &TfrmProd::choosePicture);
    auto* sbOdstranitObrazek = toolButton(box, "sbOdstranitObrazek", "×", "Odstranit obrázek");
    connect(sbOdstranitObrazek, &QToolButton::clicked, this, [this] {
        editor_->removePicture();
        showPicture();
    });
    imgObrazek_ = named(new QLabel(box), "imgObrazek");
    imgObrazek_->setToolTip(QStringLiteral("Obrázek zboží"));
    imgObrazek_->setFixedSize(kPictureBox);
    imgObrazek_->setAlignment(Qt::AlignCenter);

    pnOdkaz_ = named(new QWidget(box), "pnOdkaz");
    txtOdkaz_ = named(new QLineEdit(pnOdkaz_), "txtOdkaz");
    txtOdkaz_->setReadOnly(true);
    txtOdkaz_->setToolTip(QStringLiteral("Odkaz obrázku"));
    auto* sbOdkaz = toolButton(pnOdkaz_, "sbOdkaz", "...", "Vybrat odkaz obrázku");
    connect(sbOdkaz, &QToolButton::clicked, this, &TfrmProd::chooseLink);
    sbOdstranitOdkaz_ = toolButton(pnOdkaz_, "sbOdstranitOdkaz", "×", "Odstranit odkaz");
    connect(sbOdstranitOdkaz_, &QToolButton::clicked, this, [this] {
        editor_->removeLink();
        showLink();
    });
    auto* link = new QHBoxLayout(pnOdkaz_);
    link->setContentsMargins(0, 0, 0, 0);
    link->addWidget(label(pnOdkaz_, "Odkaz:"));
    link->addWidget(txtOdkaz_, 1);
    link->addWidget(sbOdkaz);
    link->addWidget(sbOdstranitOdkaz_);

    auto* grid = new QGridLayout(box);
    grid->addWidget(label(box, "Soubor:"), 0, 0);
    grid->addWidget(txtObrazek_, 0, 1);
    grid->addWidget(sbObrazek, 0, 2);
    grid->addWidget(sbOdstranitObrazek, 0, 3);
    grid->addWidget(pnOdkaz_, 1, 0, 1, 4);
    grid->addWidget(imgObrazek_, 2, 0, 1, 4, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    return box;
}

QLineEdit* TfrmProd::priceInput(QWidget* parent, const char* name, RowPriceField field) {
    auto* edit = named(new QLineEdit(parent), name);
    edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(90);
    edit->setMaximumWidth(110);
    edit->installEventFilter(this);
    prices_[field] = edit;
    return edit;
}

QLabel* TfrmProd::currencyLabel(QWidget* parent) const {
    return new QLabel(currency_, parent);
}

QWidget* TfrmProd::buildPricePanel(QWidget* parent) {
    gbProdejni_ = named(new QGroupBox(QStringLiteral("Prodejní cena"), parent), "gbProdejni");
    auto* box = gbProdejni_;
    cbDPH_ = new VatList(box, [this] { return editor_->vatPosition(); });
    cbDPH_->setObjectName(QStringLiteral("cbDPH"));
    const VatRates& rates = editor_->priceRules().rates();
    for (int position = 0; position < 4; ++position) {
        cbDPH_->addItem(q(vatCaption(codeAtListPosition(position), rates)));
    }
    connect(cbDPH_, &QComboBox::activated, this, [this](int position) {
        runPendingFields();
        editor_->chooseVatCode(position);
        showPrices();
    });

    auto* gbZaokr = named(new QWidget(box), "pnZaokrouhlovani");
    rbZadne_ = named(new QRadioButton(QStringLiteral("žádné"), gbZaokr), "rbZadne");
    rbDesetniky_ = named(new QRadioButton(QStringLiteral("na desetníky"), gbZaokr), "rbDesetniky");
    rbKoruny_ = named(new QRadioButton(QStringLiteral("na koruny"), gbZaokr), "rbKoruny");
    const std::pair<QRadioButton*, const char*> roundings[] = {
        {rbZadne_, "0"}, {rbDesetniky_, "1"}, {rbKoruny_, "2"}};
    auto* zaokr = new QVBoxLayout(gbZaokr);
    zaokr->setContentsMargins(0, 0, 0, 0);
    for (const auto& [button, code] : roundings) {
        zaokr->addWidget(button);
        connect(button, &QRadioButton::clicked, this, [this, code = code] {
            runPendingFields();
            editor_->chooseRounding(code);
            showPrices();
        });
    }
    lblPCenaSl_ = valueLabel(box, "lblPCenaSl");
    lblPCenaDPHSl_ = valueLabel(box, "lblPCenaDPHSl");

    auto* grid = new QGridLayout(box);
    grid->addWidget(label(box, "sazba DPH:"), 0, 0);
    grid->addWidget(cbDPH_, 0, 1, 1, 2);
    grid->addWidget(label(box, "bez DPH:"), 1, 0);
    grid->addWidget(priceInput(box, "txtPCena", RowPriceField::P_CENA), 1, 1);
    grid->addWidget(currencyLabel(box), 1, 2);
    grid->addWidget(label(box, "s DPH:"), 2, 0);
    grid->addWidget(priceInput(box, "txtPCenaDPH", RowPriceField::P_CENA_DPH), 2, 1);
    grid->addWidget(currencyLabel(box), 2, 2);
    grid->addWidget(label(box, "sleva:"), 3, 0);
    grid->addWidget(priceInput(box, "txtSleva", RowPriceField::SLEVA), 3, 1);
    grid->addWidget(label(box, "%"), 3, 2);
    grid->addWidget(priceInput(box, "txtSlevaKc", RowPriceField::SLEVA_KC), 4, 1);
    grid->addWidget(currencyLabel(box), 4, 2);
    grid->addWidget(label(box, "zaokrouhlování:"), 5, 0, Qt::AlignTop);
    grid->addWidget(gbZaokr, 5, 1, 1, 2);
    grid->addWidget(label(box, "Cena po slevě", "lblPoSleve"), 6, 0, 1, 3);
    grid->addWidget(label(box, "bez DPH:"), 7, 0);
    grid->addWidget(lblPCenaSl_, 7, 1);
    grid->addWidget(currencyLabel(box), 7, 2);
    grid->addWidget(label(box, "s DPH:"), 8, 0);
    grid->addWidget(lblPCenaDPHSl_, 8, 1);
    grid->addWidget(currencyLabel(box), 8, 2);
    return box;
}

QWidget* TfrmProd::buildOrderPanel(QWidget* parent) {
    gbObjednavka_ = named(new QGroupBox(parent), "gbObjednavka");
    auto* box = gbObjednavka_;
    const auto quantity = [this, box](const char* name) {
        auto* edit = named(new QLineEdit(box), name);
        edit->setAlignment(Qt::AlignRight);
        edit->setMaximumWidth(110);
        edit->installEventFilter(this);
        return edit;
    };
    txtKsMax_ = quantity("txtKsMax");
    txtKsKrok_ = quantity("txtKsKrok");
    txtMJ_ = named(new QLineEdit(box), "txtMJ");
    txtMJ_->setMaximumWidth(110);
    txtMJ_->setValidator(new ColumnValidator(10, false, txtMJ_));
    connect(txtMJ_, &QLineEdit::textEdited, this,
            [this](const QString& t) { editor_->setUnit(s(t)); });
    auto* grid = new QGridLayout(box);
    grid->addWidget(label(box, "maximální počet ks:"), 0, 0);
    grid->addWidget(txtKsMax_, 0, 1);
    grid->addWidget(label(box, "krok obj. kusů:"), 1, 0);
    grid->addWidget(txtKsKrok_, 1, 1);
    grid->addWidget(label(box, "jednotky zboží:"), 2, 0);
    grid->addWidget(txtMJ_, 2, 1);
    return box;
}

// ---------------------------------------------------------------- showing the row

void TfrmProd::showRow() {
    setWindowTitle(q(editor_->title()));
    txtKod_->setText(q(editor_->kod()));
    txtKod_->setReadOnly(!editor_->codeEditable());
    txtNazev_->setText(q(editor_->nazev()));
    {
        const QSignalBlocker block(txtPopis_);
        txtPopis_->setPlainText(q(editor_->popis()));
    }
    txtKsMax_->setText(q(editor_->quantityText(QuantityField::KS_MAX)));
    txtKsKrok_->setText(q(editor_->quantityText(QuantityField::KS_KROK)));
    txtMJ_->setText(q(editor_->mj()));
    const bool editable = editor_->pricesEditable();
    for (const auto& [field, edit] : prices_) {
        edit->setReadOnly(!editable);
    }
    cbDPH_->setEnabled(editable);
    for (QRadioButton* b : {rbZadne_, rbDesetniky_, rbKoruny_}) {
        b->setEnabled(editable);
    }
    pbKatalog_->setVisible(editor_->fromCatalogue());
    showPrices();
    showPicture();
    pbOK_->setEnabled(editor_->okEnabled());
}

void TfrmProd::showPrices() {
    for (const auto& [field, edit] : prices_) {
        edit->setText(q(editor_->shownText(field))); // also marks the input unchanged
    }
    {
        const QSignalBlocker block(cbDPH_);
        cbDPH_->setCurrentIndex(editor_->vatPosition());
    }
    const Rounding r = rounding(editor_->prices().round);
    (r == Rounding::Tenths  ? rbDesetniky_
     : r == Rounding::Units ? rbKoruny_
                            : rbZadne_)
        ->setChecked(true);
    const ProductDerived d = editor_->derived();
    lblPCenaSl_->setText(q(formatAmount(d.TMP_P_CENA_SL)));
    lblPCenaDPHSl_->setText(q(formatAmount(d.TMP_P_CENA_DPH_SL)));
}

void TfrmProd::showPicture() {
    txtObrazek_->setText(q(editor_->obrazek()));
    const auto file = editor_->pictureFile();
    ui::showPicture(imgObrazek_, file ? toQt(*file) : QString(), kPictureBox);
    showLink();
}

void TfrmProd::showLink() {
    pnOdkaz_->setVisible(!text::trim(editor_->obrazek()).empty());
    txtOdkaz_->setText(q(editor_->odkaz()));
    sbOdstranitOdkaz_->setEnabled(!editor_->odkaz().empty());
}

// ---------------------------------------------------------------- fields left

bool TfrmProd::eventFilter(QObject* watched, QEvent* event) {
    const bool in = event->type() == QEvent::FocusIn;
    const bool out = event->type() == QEvent::FocusOut;
    if (!in && !out) {
        return QDialog::eventFilter(watched, event);
    }
    if (watched == txtKod_) {
        if (out && codeEdited_) {
            leaveCode();
        }
        return false;
    }
    if (out && (watched == txtKsMax_ || watched == txtKsKrok_)) {
        leaveQuantity(static_cast<QLineEdit*>(watched));
        return false;
    }
    for (const auto& [field, edit] : prices_) {
        if (edit != watched) {
            continue;
        }
        if (in) {
            editing_ = field;
        } else if (editing_ == field) {
            editing_.reset();
            leavePrice(field);
        }
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmProd::leavePrice(RowPriceField field) {
    if (busy_) {
        return;
    }
    busy_ = true;
    QLineEdit* edit = prices_.at(field);
    const Outcome outcome = editor_->leavePrice(field, s(edit->text()), edit->isModified());
    busy_ = false;
    showPrices();
    if (!outcome.accepted) {
        focusLater(edit);
    }
}

void TfrmProd::leaveQuantity(QLineEdit* edit) {
    if (busy_ || !edit->isModified()) {
        return;
    }
    busy_ = true;
    const QuantityField field = edit == txtKsMax_ ? QuantityField::KS_MAX : QuantityField::KS_KROK;
    const bool accepted = editor_->leaveQuantity(field, s(edit->text()), true);
    busy_ = false;
    edit->setText(q(editor_->quantityText(field)));
    if (!accepted) {
        focusLater(edit);
    }
}

void TfrmProd::leaveCode() {
    if (busy_) {
        return;
    }
    busy_ = true;
    const bool replaced = editor_->leaveCode(s(txtKod_->text()), codeEdited_);
    codeEdited_ = false;
    busy_ = false;
    if (replaced) {
        showRow();
    } else {
        txtKod_->setText(q(editor_->kod()));
        setWindowTitle(q(editor_->title()));
    }
    pbOK_->setEnabled(editor_->okEnabled());
    if (!editor_->okEnabled()) {
        focusLater(txtKod_);
    }
}

// A field changed without being left (a click on a button that takes no focus) runs first.
void TfrmProd::runPendingFields() {
    if (editing_) {
        const RowPriceField field = *editing_;
        editing_.reset();
        leavePrice(field);
    }
    for (const RowPriceField field : {RowPriceField::P_CENA, RowPriceField::SLEVA,
                                      RowPriceField::SLEVA_KC, RowPriceField::P_CENA_DPH}) {
        if (prices_.at(field)->isModified()) {
            leavePrice(field);
        }
    }
    for (QLineEdit* edit : {txtKsMax_, txtKsKrok_}) {
        leaveQuantity(edit);
    }
    if (codeEdited_) {
        leaveCode();
    }
}

// ---------------------------------------------------------------- commands

void TfrmProd::choosePicture() {
    const auto folder = editor_->pageFolder();
    const auto current = editor_->pictureFile();
    const QString chosen =
        choosePictureFile(this, current ? toQt(*current) : toQt(folder), productPictureFilters());
    if (chosen.isEmpty()) {
        return;
    }
    try {
        readPictureSize(fromQt(chosen));
    } catch (const Error& e) {
        Messages::error(e.what());
        return;
    }
    if (editor_->choosePicture(fromQt(chosen))) {
        showPicture();
    }
}

void TfrmProd::chooseLink() {
    site::ui::AnchorRequest request;
    request.currentId = context_.htmlId;
    request.existingAnchor = editor_->odkaz();
    request.openingTagOnly = true;
    if (const auto anchor =
            site::ui::TfrmStrom::editAnchor(this, context_.tree, request, context_.status)) {
        editor_->setLink(*anchor);
        showLink();
    }
}

void TfrmProd::chooseFont(bool name) {
    const std::string& current = name ? editor_->fontNaz() : editor_->fontPop();
    if (const auto tag = templates::ui::TfrmFnt::choose(this, current)) {
        name ? editor_->setFontNaz(*tag) : editor_->setFontPop(*tag);
    }
}

void TfrmProd::catalogueCommand() {
    runPendingFields();
    try {
        app::TfrmTherm progress(this);
        progress.setWindowModality(Qt::ApplicationModal);
        const auto editItem =
            [this](const StoredItem& stored) -> std::optional<ProductEditor::EditedItem> {
            GroupTable groups(projectTable(context_.project, "skupiny.dbf"),
                              projectTable(context_.project, "katalog.dbf"));
            const auto group = groups.read(stored.item.skupId);
            if (context_.catalogue) {
                context_.catalogue->selectGroup(stored.item.skupId);
                context_.catalogue->selectItem(stored.item.kod);
            }
            TfrmZboz item(context_.project, context_.data, stored, {false, false}, this);
            item.setWindowTitle(
                q((group ? group->nazev : std::string()) + ", " + stored.item.nazev));
            if (item.exec() != QDialog::Accepted) {
                return std::nullopt;
            }
            return ProductEditor::EditedItem{item.item(), item.popis()};
        };
        editor_->editCataloguePrice(editItem, progress);
        progress.finish();
    } catch (const Error& e) {
        Messages::error(e.what());
    }
    showRow();
}

void TfrmProd::okCommand() {
    runPendingFields();
    if (!editor_->okEnabled()) {
        return;
    }
    pbOK_->setFocus();
    try {
        if (!editor_->store()) {
            reject();
            return;
        }
    } catch (const Error& e) {
        Messages::error(e.what());
        return;
    }
    result_.stored = true;
    result_.recno = editor_->recno();
    result_.kod = editor_->kod();
    result_.poradi = editor_->poradi();
    result_.typ = editor_->typ();
    accept();
}

} // namespace arkona::catalogue::ui

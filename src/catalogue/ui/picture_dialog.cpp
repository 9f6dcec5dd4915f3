#include "catalogue/ui/picture_dialog.h"

#include "app/message_box.h"
#include "base/error.h"
#include "base/picture_size.h"
#include "base/textcase.h"
#include "catalogue/picture_files.h"
#include "catalogue/ui/picture_chooser.h"
#include "catalogue/ui/ui_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace arkona::catalogue::ui {

using app::Messages;

namespace {

const QSize kPreview(180, 180);

QSpinBox* spin(QWidget* parent, const char* name, int maximum) {
    auto* box = named(new QSpinBox(parent), name);
    box->setRange(0, maximum);
    return box;
}

QComboBox* unitBox(QWidget* parent, const char* name) {
    auto* box = named(new QComboBox(parent), name);
    box->addItems({QStringLiteral("pixely"), QStringLiteral("%")});
    return box;
}

} // namespace

TfrmEditPic::TfrmEditPic(Mode mode, Caller caller, const std::string& tag,
                         std::filesystem::path pageFolder, QWidget* parent)
    : QDialog(parent), mode_(mode), caller_(caller), pageFolder_(std::move(pageFolder)) {
    setObjectName(QStringLiteral("TfrmEditPic"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(QStringLiteral("Formát obrázku"));

    auto* gbObrazek = named(new QGroupBox(QStringLiteral(" Obrázek "), this), "gbObrazek");
    txtSoubor_ = named(new QLineEdit(gbObrazek), "txtSoubor");
    txtSoubor_->setMinimumWidth(300);
    auto* sbVyhledat = named(new QToolButton(gbObrazek), "sbVyhledat");
    sbVyhledat->setText(QStringLiteral("..."));
    sbVyhledat->setToolTip(QStringLiteral("Vyhledat obrázek"));
    connect(sbVyhledat, &QToolButton::clicked, this, &TfrmEditPic::chooseCommand);
    auto* soubor = new QHBoxLayout(gbObrazek);
    soubor->addWidget(new QLabel(QStringLiteral("Soubor:"), gbObrazek));
    soubor->addWidget(txtSoubor_, 1);
    soubor->addWidget(sbVyhledat);

    auto* gbRozlozeni = named(new QGroupBox(QStringLiteral(" Rozložení "), this), "gbRozlozeni");
    cbZarovnani_ = named(new QComboBox(gbRozlozeni), "cbZarovnani");
    cbZarovnani_->addItems({QStringLiteral("žádné"), QStringLiteral("doleva"),
                            QStringLiteral("doprava"), QStringLiteral("doprostřed"),
                            QStringLiteral("nahoru"), QStringLiteral("dolů (abs.)"),
                            QStringLiteral("doprostřed (abs.)"), QStringLiteral("text nahoře"),
                            QStringLiteral("základna")});
    txtOkraj_ = spin(gbRozlozeni, "txtOkraj", 9999);
    txtHSpace_ = spin(gbRozlozeni, "txtHSpace", 9999);
    txtVSpace_ = spin(gbRozlozeni, "txtVSpace", 9999);
    auto* rozlozeni = new QFormLayout(gbRozlozeni);
    rozlozeni->addRow(QStringLiteral("Zarovnání:"), cbZarovnani_);
    rozlozeni->addRow(QStringLiteral("Tloušťka okraje:"), txtOkraj_);
    rozlozeni->addRow(QStringLiteral("Vodorovná rozteč:"), txtHSpace_);
    rozlozeni->addRow(QStringLiteral("Svislá rozteč:"), txtVSpace_);

    auto* gbVelikost = named(new QGroupBox(QStringLiteral(" Velikost "), this), "gbVelikost");
    chbUrcit_ = named(new QCheckBox(QStringLiteral("Určit"), gbVelikost), "chbUrcit");
    txtSirka_ = spin(gbVelikost, "txtSirka", 99999);
    cbSirka_ = unitBox(gbVelikost, "cbSirka");
    txtVyska_ = spin(gbVelikost, "txtVyska", 99999);
    cbVyska_ = unitBox(gbVelikost, "cbVyska");
    connect(chbUrcit_, &QCheckBox::toggled, this, &TfrmEditPic::updateSizeInputs);
    auto* velikost = new QGridLayout(gbVelikost);
    velikost->addWidget(chbUrcit_, 0, 0, 1, 3);
    velikost->addWidget(new QLabel(QStringLiteral("Šířka:"), gbVelikost), 1, 0);
    velikost->addWidget(txtSirka_, 1, 1);
    velikost->addWidget(cbSirka_, 1, 2);
    velikost->addWidget(new QLabel(QStringLiteral("Výška:"), gbVelikost), 2, 0);
    velikost->addWidget(txtVyska_, 2, 1);
    velikost->addWidget(cbVyska_, 2, 2);

    auto* gbAlt =
        named(new QGroupBox(QStringLiteral(" Zobrazovaný popis  "), this), "gbZobrazovanyPopis");
    txtAlt_ = named(new QLineEdit(gbAlt), "txtAlt");
    auto* alt = new QHBoxLayout(gbAlt);
    alt->addWidget(new QLabel(QStringLiteral("ALT="), gbAlt));
    alt->addWidget(txtAlt_, 1);

    imgObrazek_ = named(new QLabel(this), "imgObrazek");
    imgObrazek_->setToolTip(QStringLiteral("Obrázek"));
    imgObrazek_->setFixedSize(kPreview);
    imgObrazek_->setAlignment(Qt::AlignCenter);
    imgObrazek_->setFrameShape(QFrame::StyledPanel);

    auto* pbOK = named(new QPushButton(QStringLiteral("OK"), this), "pbOK");
    pbOK->setDefault(true);
    auto* pbStorno = named(new QPushButton(QStringLiteral("Storno"), this), "pbStorno");
    pbStorno->setAutoDefault(false);
    connect(pbOK, &QPushButton::clicked, this, &TfrmEditPic::accept);
    connect(pbStorno, &QPushButton::clicked, this, &QDialog::reject);

    auto* middle = new QHBoxLayout;
    middle->addWidget(gbRozlozeni);
    middle->addWidget(gbVelikost);
    auto* fields = new QVBoxLayout;
    fields->addWidget(gbObrazek);
    fields->addLayout(middle);
    fields->addWidget(gbAlt);
    auto* top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addWidget(imgObrazek_, 0, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(pbOK);
    buttons->addWidget(pbStorno);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    const PictureTag parsed = mode_ == Mode::Edit ? parsePictureTag(tag) : PictureTag{};
    showFields(parsed);
    startFile_ = q(parsed.src);
    if (mode_ == Mode::Edit) {
        const std::filesystem::path shown = pageFolder_ / fromQt(startFile_);
        ui::showPicture(imgObrazek_, toQt(shown), kPreview);
    } else {
        imgObrazek_->clear();
    }
}

void TfrmEditPic::showFields(const PictureTag& f) {
    txtSoubor_->setText(q(f.src));
    cbZarovnani_->setCurrentIndex(static_cast<int>(f.align));
    txtOkraj_->setValue(f.border);
    txtHSpace_->setValue(f.hspace);
    txtVSpace_->setValue(f.vspace);
    chbUrcit_->setChecked(f.size);
    txtSirka_->setValue(f.width);
    cbSirka_->setCurrentIndex(f.widthPercent ? 1 : 0);
    txtVyska_->setValue(f.height);
    cbVyska_->setCurrentIndex(f.heightPercent ? 1 : 0);
    txtAlt_->setText(q(f.alt));
    updateSizeInputs();
}

void TfrmEditPic::updateSizeInputs() {
    for (QWidget* w : std::initializer_list<QWidget*>{txtSirka_, cbSirka_, txtVyska_, cbVyska_}) {
        w->setEnabled(chbUrcit_->isChecked());
    }
}

PictureTag TfrmEditPic::fields() const {
    PictureTag f;
    f.src = s(txtSoubor_->text());
    f.align = static_cast<PictureAlign>(cbZarovnani_->currentIndex());
    f.border = txtOkraj_->value();
    f.hspace = txtHSpace_->value();
    f.vspace = txtVSpace_->value();
    f.size = chbUrcit_->isChecked();
    f.width = txtSirka_->value();
    f.widthPercent = cbSirka_->currentIndex() == 1;
    f.height = txtVyska_->value();
    f.heightPercent = cbVyska_->currentIndex() == 1;
    f.alt = s(txtAlt_->text());
    return f;
}

void TfrmEditPic::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (mode_ == Mode::Insert && !chooserShown_) {
        chooserShown_ = true;
        QTimer::singleShot(0, this, &TfrmEditPic::chooseCommand);
    }
}

void TfrmEditPic::chooseCommand() {
    QString start = txtSoubor_->text();
    if (!start.isEmpty() && QFileInfo(start).isRelative()) {
        start = toQt(pageFolder_ / fromQt(start));
    } else if (start.isEmpty()) {
        start = toQt(pageFolder_);
    }
    const QString chosen = choosePictureFile(
        this, start,
        caller_ == Caller::ProductEditor ? productPictureFilters() : itemPictureFilters());
    if (!chosen.isEmpty()) {
        takeFile(chosen);
    }
}

bool TfrmEditPic::takeFile(const QString& file) {
    const std::filesystem::path path = fromQt(file);
    PictureSize size;
    std::uintmax_t bytes = 0;
    try {
        size = readPictureSize(path);
        bytes = std::filesystem::file_size(path);
    } catch (const Error& e) {
        Messages::error(e.what());
        return false;
    } catch (const std::filesystem::filesystem_error& e) {
        Messages::error("Obrázek „" + s(file) + "“ nelze načíst: " + e.code().message());
        return false;
    }
    QImageReader reader(file);
    if (!reader.canRead()) {
        Messages::error("Obrázek „" + s(file) + "“ nelze zobrazit: " + s(reader.errorString()));
        return false;
    }
    ui::showPicture(imgObrazek_, file, kPreview);
    txtSoubor_->setText(file);
    chbUrcit_->setChecked(true);
    cbSirka_->setCurrentIndex(0);
    cbVyska_->setCurrentIndex(0);
    txtSirka_->setValue(size.width);
    txtVyska_->setValue(size.height);
    txtAlt_->setText(q(altOfFile(pictureFileName(s(file)), bytes)));
    return true;
}

void TfrmEditPic::accept() {
    const PictureTag f = fields();
    const std::string file = pictureFileName(f.src);
    const bool changed = !text::equalsNoCase(f.src, s(startFile_));
    if (changed && !f.src.empty()) {
        const PictureCopy copied = copyPicture(fromQt(q(f.src)), pageFolder_, file,
                                               kTagPictureExists, Answer::No, Messages::prompter());
        if (copied == PictureCopy::Failed) {
            return; // the reason was shown; no tag names a file that is not there
        }
    }
    tag_ = buildPictureTag(f, file, mode_ == Mode::Insert);
    QDialog::accept();
}

} // namespace arkona::catalogue::ui

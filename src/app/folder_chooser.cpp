#include "app/folder_chooser.h"

#include "app/message_box.h"

#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace arkona::app {

namespace {
constexpr const char* kChooserCaption = "Výběr složky";
}

std::filesystem::path deepestExistingFolder(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(path, ec).lexically_normal();
    while (!p.empty()) {
        if (std::filesystem::is_directory(p, ec)) {
            return p;
        }
        if (p == p.parent_path()) {
            break;
        }
        p = p.parent_path();
    }
    return std::filesystem::path("/");
}

TfrmBrowseFldr::TfrmBrowseFldr(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TfrmBrowseFldr"));
    setWindowTitle(QString::fromUtf8(kChooserCaption));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    lblNadpis_ = new QLabel(this);
    lblNadpis_->setObjectName(QStringLiteral("lblNadpis"));
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QStringLiteral("/"));
    tvSlozky_ = new QTreeView(this);
    tvSlozky_->setObjectName(QStringLiteral("tvSlozky"));
    tvSlozky_->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column) {
        tvSlozky_->hideColumn(column);
    }
    tvSlozky_->header()->hide();
    txtCesta_ = new QLineEdit(this);
    txtCesta_->setObjectName(QStringLiteral("txtCesta"));
    pbOK_ = new QPushButton(QStringLiteral("OK"), this);
    pbOK_->setObjectName(QStringLiteral("pbOK"));
    pbOK_->setDefault(true);
    pbStorno_ = new QPushButton(QStringLiteral("Storno"), this);
    pbStorno_->setObjectName(QStringLiteral("pbStorno"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(pbOK_);
    buttons->addWidget(pbStorno_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblNadpis_);
    layout->addWidget(tvSlozky_, 1);
    layout->addWidget(txtCesta_);
    layout->addLayout(buttons);
    resize(420, 460);

    connect(tvSlozky_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TfrmBrowseFldr::folderSelected);
    connect(pbOK_, &QPushButton::clicked, this, &TfrmBrowseFldr::okClicked);
    connect(pbStorno_, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmBrowseFldr::setCaption(const QString& caption) {
    lblNadpis_->setText(caption);
}

void TfrmBrowseFldr::setFolder(const std::filesystem::path& folder) {
    const auto start = deepestExistingFolder(folder);
    const QModelIndex index = model_->index(QString::fromStdString(start.string()));
    if (index.isValid()) {
        tvSlozky_->setCurrentIndex(index);
        tvSlozky_->scrollTo(index);
        tvSlozky_->expand(index);
    }
    txtCesta_->setText(QString::fromStdString(start.string()));
}

std::filesystem::path TfrmBrowseFldr::folder() const {
    return std::filesystem::path(txtCesta_->text().trimmed().toStdString());
}

void TfrmBrowseFldr::folderSelected() {
    const QModelIndex index = tvSlozky_->currentIndex();
    if (index.isValid()) {
        txtCesta_->setText(model_->filePath(index));
    }
}

void TfrmBrowseFldr::okClicked() {
    const auto chosen = folder();
    if (chosen.empty()) {
        return;
    }
    std::error_code ec;
    if (std::filesystem::is_directory(chosen, ec) || !offerCreate_) {
        accept();
        return;
    }
    const std::string question =
        "Složka \r\r" + chosen.string() + "\r\rneexistuje! Chcete ji vytvořit?";
    if (Messages::ask(MessageKind::Question, Buttons::YesNo, question, Answer::Yes,
                      kChooserCaption) != Answer::Yes) {
        return;
    }
    std::filesystem::create_directories(chosen, ec);
    if (ec || !std::filesystem::is_directory(chosen)) {
        Messages::ask(MessageKind::Error, Buttons::Ok,
                      "Složka " + chosen.string() + " nelze vytvořit!", Answer::Ok,
                      kChooserCaption);
        return;
    }
    accept();
}

std::filesystem::path TfrmBrowseFldr::choose(QWidget* parent, const QString& caption,
                                             const std::filesystem::path& start, bool offerCreate) {
    TfrmBrowseFldr dialog(parent);
    dialog.setCaption(caption);
    dialog.setOfferCreate(offerCreate);
    dialog.setFolder(start);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.folder();
}

} // namespace arkona::app

#include "site/ui/page_header_panel.h"

#include "app/command_set.h"
#include "site/page_look.h"
#include "site/ui/page_source_dialog.h"

#include <QAction>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace arkona::site::ui {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QLineEdit* field(QWidget* parent, const char* name, bool readOnly) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(readOnly);
    return edit;
}

QToolButton* speedButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                         const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolTip(hint);
    return b;
}

// A memo shown as HTML source; its popup opens the source editor.
QPlainTextEdit* sourceView(QWidget* parent, const char* name, const char* menuName,
                           const QString& menuText, const std::function<void()>& edit) {
    auto* view = new QPlainTextEdit(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* menu = new QMenu(view);
    menu->setObjectName(QString::fromLatin1(menuName));
    QAction* a = menu->addAction(menuText);
    a->setObjectName(QString::fromLatin1(menuName));
    QObject::connect(a, &QAction::triggered, view, edit);
    QObject::connect(view, &QWidget::customContextMenuRequested, view,
                     [view, menu](const QPoint& at) { menu->popup(view->mapToGlobal(at)); });
    return view;
}

QString shownSource(const std::string& memo) {
    QString text = q(memo);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

PageHeaderPanel::PageHeaderPanel(PageLook& look, PagePanelHooks& hooks, QWidget* parent)
    : PagePanel(look, hooks, parent) {
    setObjectName(QStringLiteral("tsHlavicka"));

    txtNazev_ = field(this, "txtNazev", false);
    txtNazev_->setMaxLength(50);
    txtNazev_->installEventFilter(this);
    txtSoubor_ = field(this, "txtSoubor", true);
    txtVlastnik_ = field(this, "txtVlastnik", true);
    sbNajitVlastnika_ = speedButton(this, "sbNajitVlastnika", QStyle::SP_FileDialogContentsView,
                                    QStringLiteral("Najít logický parent stránky"));
    sbOdstranitVlastnika_ = speedButton(this, "sbOdstranitVlastnika", QStyle::SP_DialogResetButton,
                                        QStringLiteral("Odstranit vlastníka stránky"));
    auto* ownerRow = new QHBoxLayout;
    ownerRow->addWidget(txtVlastnik_, 1);
    ownerRow->addWidget(sbNajitVlastnika_);
    ownerRow->addWidget(sbOdstranitVlastnika_);

    pbSystemove_ = new QPushButton(QStringLiteral("Systémové proměnné ..."), this);
    pbSystemove_->setObjectName(QStringLiteral("pbSystemove"));
    pbUzivatelske_ = new QPushButton(QStringLiteral("Uživatelské proměnné ..."), this);
    pbUzivatelske_->setObjectName(QStringLiteral("pbUzivatelske"));
    for (QPushButton* b : {pbSystemove_, pbUzivatelske_}) {
        // The variables dialog is not part of the program yet.
        b->setEnabled(false);
        b->setToolTip(QString::fromUtf8(app::kNotAvailableYet));
    }
    auto* variablesRow = new QHBoxLayout;
    variablesRow->addWidget(pbSystemove_);
    variablesRow->addWidget(pbUzivatelske_);
    variablesRow->addStretch(1);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Název stránky:"), txtNazev_);
    form->addRow(QStringLiteral("Název souboru:"), txtSoubor_);
    form->addRow(QStringLiteral("Vlastník stránky:"), ownerRow);
    form->addRow(QString(), variablesRow);

    auto* gbHlavicka = new QGroupBox(QStringLiteral(" Hlavička stránky "), this);
    gbHlavicka->setObjectName(QStringLiteral("gbHlavicka"));
    reHlavicka_ =
        sourceView(gbHlavicka, "reHlavicka", "puUpravitHlavicku",
                   QStringLiteral("Úprava zdroje  \"Hlavičky\""), [this] { editHeader(); });
    (new QVBoxLayout(gbHlavicka))->addWidget(reHlavicka_);
    auto* gbPaticka = new QGroupBox(QStringLiteral(" Patička stránky "), this);
    gbPaticka->setObjectName(QStringLiteral("gbPaticka"));
    rePaticka_ = sourceView(gbPaticka, "rePaticka", "puUpravitPaticku",
                            QStringLiteral("Úprava zdroje  \"Patičky\""), [this] { editFooter(); });
    (new QVBoxLayout(gbPaticka))->addWidget(rePaticka_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(gbHlavicka, 1);
    layout->addWidget(gbPaticka, 1);

    connect(txtNazev_, &QLineEdit::returnPressed, this, &PageHeaderPanel::titleLeft);
    connect(sbNajitVlastnika_, &QToolButton::clicked, this, &PageHeaderPanel::chooseOwner);
    connect(sbOdstranitVlastnika_, &QToolButton::clicked, this,
            [this] { write([this] { look_.clearOwner(); }); });
}

void PageHeaderPanel::showPage() {
    shownTitle_ = q(hooks_.shownTitle ? hooks_.shownTitle() : look_.text("POPIS"));
    txtNazev_->setText(shownTitle_);
    txtNazev_->setReadOnly(!hooks_.renamePage);
    txtSoubor_->setText(q(look_.sourcePath()));
    txtVlastnik_->setText(q(look_.text("VLASTNIK")));
    sbNajitVlastnika_->setEnabled(static_cast<bool>(hooks_.choosePageOwner));
    sbNajitVlastnika_->setToolTip(hooks_.choosePageOwner
                                      ? QStringLiteral("Najít logický parent stránky")
                                      : QString::fromUtf8(app::kNotAvailableYet));
    reHlavicka_->setPlainText(shownSource(look_.memo("HD")));
    rePaticka_->setPlainText(shownSource(look_.memo("FT")));
}

void PageHeaderPanel::clear() {
    shownTitle_.clear();
    for (QLineEdit* e : {txtNazev_, txtSoubor_, txtVlastnik_}) {
        e->clear();
    }
    reHlavicka_->clear();
    rePaticka_->clear();
}

void PageHeaderPanel::chooseOwner() {
    if (!hooks_.choosePageOwner || !look_.hasPage()) {
        return;
    }
    if (const auto page = hooks_.choosePageOwner()) {
        write([&] { look_.writeOwner(*page); });
    }
}

void PageHeaderPanel::editHeader() {
    editMemo("HD", "Zdroj HLAVIČKY");
}

void PageHeaderPanel::editFooter() {
    editMemo("FT", "Zdroj PATIČKY");
}

void PageHeaderPanel::editMemo(const char* column, const char* title) {
    if (!look_.hasPage()) {
        return;
    }
    const std::string text = look_.memo(column);
    const auto edited =
        hooks_.editSource ? hooks_.editSource(title, text) : editSourcePlain(window(), title, text);
    if (edited) {
        write([&] { look_.writeMemo(column, *edited); });
    }
}

void PageHeaderPanel::titleLeft() {
    const QString title = txtNazev_->text();
    if (loading() || !hooks_.renamePage || !look_.hasPage() || title == shownTitle_) {
        return;
    }
    shownTitle_ = title;
    write([&] { hooks_.renamePage(title.toStdString()); });
}

bool PageHeaderPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtNazev_ && event->type() == QEvent::FocusOut) {
        titleLeft();
    }
    return PagePanel::eventFilter(watched, event);
}

} // namespace arkona::site::ui

#pragma once

#include "site/ui/page_panel.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace arkona::site::ui {

// " Hlavička ": the page's title and file, its host page, its variables and the header and
// footer texts.
class PageHeaderPanel : public PagePanel {
    Q_OBJECT
public:
    PageHeaderPanel(PageLook& look, PagePanelHooks& hooks, QWidget* parent = nullptr);

    // "Najít logický parent stránky": the page picker in owner mode, then the chosen page's
    // path becomes the host page.
    void chooseOwner();
    // "Úprava zdroje "Hlavičky"" and "Úprava zdroje "Patičky"".
    void editHeader();
    void editFooter();

protected:
    void showPage() override;
    void clear() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void editMemo(const char* column, const char* title);
    void titleLeft();

    QLineEdit* txtNazev_;
    QLineEdit* txtSoubor_;
    QLineEdit* txtVlastnik_;
    QToolButton* sbNajitVlastnika_;
    QToolButton* sbOdstranitVlastnika_;
    QPushButton* pbSystemove_;
    QPushButton* pbUzivatelske_;
    QPlainTextEdit* reHlavicka_;
    QPlainTextEdit* rePaticka_;
    QString shownTitle_;
};

} // namespace arkona::site::ui

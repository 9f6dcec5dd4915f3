#pragma once

#include "site/ui/page_panel.h"

class QLineEdit;
class QToolButton;

namespace arkona::site::ui {

class BackgroundPreview;

// " Pozadí ": the background picture of the page and its properties.
class PageBackgroundPanel : public PagePanel {
    Q_OBJECT
public:
    PageBackgroundPanel(PageLook& look, PagePanelHooks& hooks, QWidget* parent = nullptr);

    // "Výbrat obrázek na pozadí stránky".
    void choosePicture();

protected:
    void showPage() override;
    void clear() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* txtPozadi_;
    QToolButton* sbVybratPozadi_;
    QToolButton* sbOdstranitPozadi_;
    QLineEdit* txtVlastnosti_;
    BackgroundPreview* imgPozadi_;
};

} // namespace arkona::site::ui

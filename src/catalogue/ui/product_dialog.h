#pragma once

#include "catalogue/product_prices.h"

#include <QDialog>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;

namespace arkona::storage {
class TData2;
struct ProjectContext;
} // namespace arkona::storage

namespace arkona::site {
class PageTree;
}

namespace arkona::app {
class MainStatusBar;
}

namespace arkona::catalogue {
class ProductEditor;
}

namespace arkona::catalogue::ui {

class TfrmKat;

// What the row editor works on and what it may open: the current product section, the page
// tree for the picker of the picture link, and the catalogue window, whose group and item follow
// "Upravit cenu v katalogu ..." (may be null: the item editor is opened all the same).
struct ProductDialogContext {
    storage::ProjectContext& project;
    storage::TData2& data;
    const site::PageTree& tree;
    std::string htmlId; // HTMLID of the section's page
    int sekceId = 0;    // SEKCEID of the section
    TfrmKat* catalogue = nullptr;
    app::MainStatusBar* status = nullptr; // "Načítám informace o zboží ..." while opening
};

// What the editor did. `stored` false: "Storno", "OK" on an unchanged row, or a row that could
// not be read (its message was shown). Otherwise the row as stored, for the list to make current.
struct ProductDialogResult {
    bool stored = false;
    std::uint32_t recno = 0; // record of the row in zbozi.dbf (0-based)
    std::string kod;         // its code; empty for a heading
    int poradi = 0;          // its PORADI
    char typ = 0;            // its TYP; a new "R" row may have become "K" (the copy offer)
};

// The row editor of a product section: one goods, set or heading row. A new row exists in the
// table only after "OK"; an edited row is read and stored by its record, nothing else.
class TfrmProd : public QDialog {
    Q_OBJECT
public:
    // A new row typed in by hand: 'R' "Nové zboží ručně zadané", 'S' "Nová sestava ručně
    // zadaná", 'N' "Nový nadpis".
    static ProductDialogResult addRow(QWidget* parent, const ProductDialogContext& context,
                                      char typ);
    // The row at `recno` (0-based, as dbf::Record::recno) of zbozi.dbf, as the list showed it: it
    // must still lie in the context's section and hold `kod` (a heading: `poradi`); otherwise a
    // message and nothing.
    static ProductDialogResult editRow(QWidget* parent, const ProductDialogContext& context,
                                       std::uint32_t recno, const std::string& kod, int poradi);

    // For the window tests: the editor on a row already prepared by addRow or editRow's logic.
    TfrmProd(const ProductDialogContext& context, std::unique_ptr<ProductEditor> editor,
             QWidget* parent = nullptr);
    ~TfrmProd() override;

    const ProductEditor& editor() const { return *editor_; }
    // After "OK": the row as stored.
    const ProductDialogResult& rowResult() const { return result_; }

    void okCommand();
    void catalogueCommand();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildRowPage();
    QWidget* buildPricePanel(QWidget* parent);
    QWidget* buildOrderPanel(QWidget* parent);
    QWidget* buildPicturePanel(QWidget* parent);
    QLineEdit* priceInput(QWidget* parent, const char* name, RowPriceField field);
    QLabel* currencyLabel(QWidget* parent) const;

    void showRow();
    void showPrices();
    void showPicture();
    void showLink();
    void leavePrice(RowPriceField field);
    void leaveCode();
    void leaveQuantity(QLineEdit* edit);
    void runPendingFields();
    void choosePicture();
    void chooseLink();
    void chooseFont(bool name);

    ProductDialogContext context_;
    std::unique_ptr<ProductEditor> editor_;
    ProductDialogResult result_;
    QString currency_;
    bool busy_ = false;
    std::map<RowPriceField, QLineEdit*> prices_;
    std::optional<RowPriceField> editing_; // the price input that has the focus

    QTabWidget* pcProd_ = nullptr;
    QLabel* lblNazev_ = nullptr;
    QLabel* lblKod_ = nullptr;
    QLineEdit* txtKod_ = nullptr;
    bool codeEdited_ = false; // typed into since it was last left
    QLineEdit* txtNazev_ = nullptr;
    QPlainTextEdit* txtPopis_ = nullptr;
    QLineEdit* txtObrazek_ = nullptr;
    QLabel* imgObrazek_ = nullptr;
    QWidget* pnOdkaz_ = nullptr;
    QLineEdit* txtOdkaz_ = nullptr;
    QToolButton* sbOdstranitOdkaz_ = nullptr;
    QGroupBox* gbProdejni_ = nullptr;
    QComboBox* cbDPH_ = nullptr;
    QRadioButton* rbZadne_ = nullptr;
    QRadioButton* rbDesetniky_ = nullptr;
    QRadioButton* rbKoruny_ = nullptr;
    QLabel* lblPCenaSl_ = nullptr;
    QLabel* lblPCenaDPHSl_ = nullptr;
    QGroupBox* gbObjednavka_ = nullptr;
    QLineEdit* txtKsMax_ = nullptr;
    QLineEdit* txtKsKrok_ = nullptr;
    QLineEdit* txtMJ_ = nullptr;
    QPushButton* pbKatalog_ = nullptr;
    QPushButton* pbOK_ = nullptr;
};

} // namespace arkona::catalogue::ui

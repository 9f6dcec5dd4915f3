#pragma once

#include "catalogue/item_editor.h"

#include <QDialog>
#include <map>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace arkona::storage {
class TData2;
struct ProjectContext;
} // namespace arkona::storage

namespace arkona::catalogue::ui {

// "Vlastnosti zboží": one catalogue item with all its prices. Every price field runs its price
// operation when it is left; the numeric inputs are refilled from the item after each operation
// and on a tab switch. "OK" leaves the item ready to be stored (the caller stores it), "Storno"
// (also "OK" on an unchanged item) discards it.
class TfrmZboz : public QDialog {
    Q_OBJECT
public:
    TfrmZboz(const storage::ProjectContext& project, storage::TData2& data, StoredItem item,
             ItemEditor::Options options, QWidget* parent = nullptr);

    const ItemEditor& editor() const { return editor_; }
    // The item as "OK" left it.
    const Item& item() const { return editor_.item(); }
    const std::string& popis() const { return editor_.popis(); }

    void okCommand();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildItemArea();
    QWidget* buildPurchaseArea();
    QWidget* buildMarginArea();
    QWidget* buildRecommendedArea();
    QWidget* buildSaleArea();
    QLineEdit* numberInput(QWidget* parent, const char* name, EditorField field);
    QLabel* currencyLabel(QWidget* parent);

    void showValues();
    void showPicture();
    void fillDistributors();
    void leaveField(EditorField field);
    void leaveCode();
    void focusField(PriceField field);
    void apply(const Outcome& outcome);
    void choosePicture();
    void chooseDistributor();
    void updateOk();

    const storage::ProjectContext& project_;
    storage::TData2& data_;
    ItemEditor editor_;
    std::map<EditorField, QLineEdit*> inputs_;
    std::optional<EditorField> editing_; // the numeric input that has the focus
    bool busy_ = false;
    QString currency_;

    QLineEdit* txtKod_;
    bool codeEdited_ = false; // typed into since it was last left
    QLineEdit* txtNazev_;
    QPlainTextEdit* txtPopis_;
    QComboBox* cbDistributor_;
    QLineEdit* txtObrazek_;
    QLabel* imgObrazek_;
    QComboBox* cbNDPH_;
    QCheckBox* chbRecNC_;
    QLabel* lblAMarze_;
    QLabel* lblAMarzeKc_;
    QCheckBox* chbRecM_;
    QCheckBox* chbRecDC_;
    QTabWidget* pcProdejni_;
    QComboBox* cbPDPH_;
    QRadioButton* rbZadne_;
    QRadioButton* rbDesetniky_;
    QRadioButton* rbKoruny_;
    QLabel* lblP0Celkem_;
    QLabel* lblDPHL_;
    QLabel* lblDPHH_;
    QLabel* lblPCena_;
    QLabel* lblPDPH_;
    QLabel* lblPCenaDPH_;
    QCheckBox* chbHold_[3];
    QPushButton* pbOK_;
};

} // namespace arkona::catalogue::ui

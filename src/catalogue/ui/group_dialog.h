#pragma once

#include "catalogue/groups.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace arkona::storage {
class TData2;
struct ProjectContext;
} // namespace arkona::storage

namespace arkona::catalogue::ui {

// "Skupina": the name of a group and the presets of its new items. "OK" only with a name.
class TfrmSkup : public QDialog {
    Q_OBJECT
public:
    TfrmSkup(const Group& group, storage::TData2& data, const storage::ProjectContext& project,
             QWidget* parent = nullptr);

    // The group as the fields show it.
    Group group() const;

private:
    void fillDistributors(int current);
    void chooseDistributor();

    Group group_;
    storage::TData2& data_;
    const storage::ProjectContext& project_;
    int unknownDistributor_ = 0; // a number no distributor has, kept unless another is chosen

    QLineEdit* txtNazev_;
    QComboBox* cbDistributor_;
    QComboBox* cbDPH_;
    QDoubleSpinBox* txtSleva_;
    QCheckBox* chbRecNC_;
    QCheckBox* chbRecDC_;
    QCheckBox* chbRecM_;
    QRadioButton* rbZadne_;
    QRadioButton* rbDesetniky_;
    QRadioButton* rbKoruny_;
    QPushButton* pbOK_;
};

} // namespace arkona::catalogue::ui

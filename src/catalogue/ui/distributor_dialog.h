#pragma once

#include "catalogue/distributors.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace arkona::storage {
class TData2;
struct ProjectContext;
} // namespace arkona::storage

namespace arkona::catalogue::ui {

// "Seznam distributorů": the distributors by name; add, rename, delete. "&Zavřít" accepts, so an
// editor that opened the list takes over the distributor current at that moment.
class TfrmDistr : public QDialog {
    Q_OBJECT
public:
    TfrmDistr(storage::TData2& data, const storage::ProjectContext& project, int current,
              QWidget* parent = nullptr);

    int currentId() const { return list_.currentId(); }

    void addCommand();
    void editCommand();
    void deleteCommand();

private:
    void fill();
    void updateButtons();

    DistributorList list_;
    QTreeWidget* grdDistributori_;
    QPushButton* pbUpravit_;
    QPushButton* pbOdstranit_;
};

} // namespace arkona::catalogue::ui

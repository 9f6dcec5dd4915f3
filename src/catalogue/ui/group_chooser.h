#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace arkona::storage {
class TData2;
}

namespace arkona::catalogue::ui {

// "Seznam skupin": every group by name with a quick search; "OK" or a double click chooses.
// "&Přidat" runs `addItem` (the new-item editor of the shown group) and then shows that group.
class TfrmZmSk : public QDialog {
    Q_OBJECT
public:
    TfrmZmSk(storage::TData2& data, int shownGroup, std::function<void()> addItem,
             QWidget* parent = nullptr);

    // The chosen group, 0 when there is none.
    int chosenGroup() const;

private:
    void fill();
    void select(int group);
    void search(const QString& text);

    storage::TData2& data_;
    int shownGroup_;
    std::function<void()> addItem_;
    QTreeWidget* grdSkupiny_;
    QLineEdit* txtHledat_;
    QPushButton* pbOK_;
};

} // namespace arkona::catalogue::ui

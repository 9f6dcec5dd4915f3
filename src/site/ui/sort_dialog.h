#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

class QTreeWidget;

namespace arkona::site::ui {

// "Seřazení ...": the rows of a list in their current order, which the user drags into a new
// one (or moves with the two buttons from the keyboard). OK hands back the rows' keys in the
// new order.
class TfrmSort : public QDialog {
    Q_OBJECT
public:
    struct Row {
        QStringList cells; // the visible columns after the order number
        int key = 0;       // the hidden column
    };

    TfrmSort(const QString& title, const QString& label, const QStringList& headers,
             const std::vector<Row>& rows, QWidget* parent = nullptr);

    std::vector<int> keys() const; // in the order shown
    // Moves the selected row one place up (-1) or down (+1).
    void moveSelected(int step);

private:
    void renumber();
    QTreeWidget* grdSort_;
};

} // namespace arkona::site::ui

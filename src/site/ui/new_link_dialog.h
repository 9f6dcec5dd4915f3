#pragma once

#include "site/page_tree.h"

#include <QDialog>
#include <string>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace arkona::site::ui {

// "Vytvoření nového odkazu": the page a new link page shows, chosen in a copy of the page tree,
// and the link's title. OK only while the title is not blank.
class TfrmNovyOdkaz : public QDialog {
    Q_OBJECT
public:
    TfrmNovyOdkaz(const PageTree& tree, const std::string& selectedId, QWidget* parent = nullptr);

    std::string targetId() const;
    std::string linkTitle() const;

private:
    void updateOk();

    QTreeWidget* tvStrom_;
    QGroupBox* gbNazev_;
    QLineEdit* txtNazev_;
    QPushButton* pbOK_;
    QPushButton* pbStorno_;
};

} // namespace arkona::site::ui

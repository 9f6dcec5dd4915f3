#pragma once

#include "site/site_structure.h"

#include <QDialog>
#include <functional>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace arkona::site::ui {

// "Přidání nové stránky" / "Přidání nového oddílu": the title and the file name of a new page.
// The file name always begins with the page's number and holds only file-name characters; an
// empty one is made from the title. OK hands both to the acceptor, which creates the page; the
// dialog closes only when it did.
class TfrmNovaStranka : public QDialog {
    Q_OBJECT
public:
    using Acceptor = std::function<bool(const std::string& title, const std::string& fileName)>;

    TfrmNovaStranka(NewPageKind kind, long long number, Acceptor acceptor,
                    QWidget* parent = nullptr);

    QString title() const;
    QString fileName() const;

public slots:
    void accept() override;

private:
    void titleLeft();
    void fileNameEdited(const QString& text);
    void fillEmptyFileName();

    long long number_;
    Acceptor acceptor_;
    QGroupBox* gbStranka_;
    QLineEdit* txtNazev_;
    QLineEdit* txtZdroj_;
    QLabel* lblZdrojInfo_;
    QPushButton* pbOK_;
    QPushButton* pbStorno_;
};

} // namespace arkona::site::ui

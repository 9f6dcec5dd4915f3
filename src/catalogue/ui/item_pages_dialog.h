#pragma once

#include <QWidget>
#include <string>
#include <vector>

class QLabel;
class QListWidget;

namespace arkona::storage {
class UserSettings;
}

namespace arkona::catalogue::ui {

// The pages window of the catalogue: the titles of the pages on which the current catalogue
// item is placed, one line per placed row, with their number in the status line. The catalogue
// window loads the titles and tells it what to show; the window itself only shows them and
// remembers where it stood.
class TfrmZarazZbozi : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultWidth = 300;
    static constexpr int kDefaultHeight = 360;

    TfrmZarazZbozi(storage::UserSettings& settings, QWidget* parent = nullptr);
    ~TfrmZarazZbozi() override;

    // Title: the item's name; one line per page; the status line counts them.
    void showPages(const std::string& itemName, const std::vector<std::string>& pages);
    // No current item (an empty group): nothing listed, title and status line empty.
    void clearPages();
    // Shows the window where it stood last time; the first time ever beside `beside`.
    void open(const QWidget* beside);

    QStringList pages() const;
    QString statusText() const;

signals:
    // The user closed the window (the catalogue's toggle turns off).
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void storePlace();

    storage::UserSettings& settings_;
    bool placed_ = false;
    QListWidget* lbStranky_ = nullptr;
    QLabel* lblPocet_ = nullptr;
};

} // namespace arkona::catalogue::ui

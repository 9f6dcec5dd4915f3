#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

namespace arkona::site {
class PageLook;
}

namespace arkona::site::ui {

// What the page panels need from the rest of the main window. Each may be left empty; the
// command that needs it is then not offered.
struct PagePanelHooks {
    // The page picker in owner mode: the HTMLID of the chosen page, nothing on Storno.
    std::function<std::optional<std::string>()> choosePageOwner;
    // The HTML source editor: the edited text on OK, nothing otherwise.
    std::function<std::optional<std::string>(const std::string& title, const std::string& text)>
        editSource;
    // The title shown for the current page (a selected link page shows its own title); empty
    // function: the page's title.
    std::function<std::string()> shownTitle;
    // The page-title field was left with a changed title.
    std::function<void(const std::string& title)> renamePage;
    // A text for a panel (1 to 3) of the main window's status bar.
    std::function<void(int panel, const QString& text)> status;
};

// One tab of the page's look. It shows the current page of the data module and writes every
// change of the user at once; what the program itself puts into the controls writes nothing.
class PagePanel : public QWidget {
    Q_OBJECT
public:
    PagePanel(PageLook& look, PagePanelHooks& hooks, QWidget* parent = nullptr);

    // Shows the current page (or empty, disabled controls without one).
    void reload();

signals:
    // A setting that other panels show has been written.
    void written();

protected:
    virtual void showPage() = 0;
    virtual void clear() = 0;

    // True while the panel fills its controls.
    bool loading() const { return loading_ > 0; }
    // Runs a change of the user; a failure shows its message, and either way the panel shows
    // what is stored afterwards. True when the change was written.
    bool write(const std::function<void()>& change, bool asWarning = false);

    PageLook& look_;
    PagePanelHooks& hooks_;

private:
    int loading_ = 0;
};

} // namespace arkona::site::ui

#pragma once

#include <QWidget>

class QLineEdit;
class QMenu;
class QToolButton;

namespace arkona::site::ui {

// One colour setting: the hexadecimal field (at most six digits; other characters are removed
// with a beep), the swatch that opens the colour dialog, and the button with the palette of
// basic colours. The owner decides what a left field or a chosen colour writes.
class ColourField : public QWidget {
    Q_OBJECT
public:
    // `name` names the controls: txt<name>, shp<name> (swatch), sb<name> (palette).
    ColourField(const QString& name, const QString& swatchHint, QWidget* parent = nullptr);

    // Shows a value without reporting it.
    void setValue(const QString& value);
    QString value() const;
    // Shows a colour on the swatch (empty or malformed: no colour).
    void showSwatch(const QString& value);
    // Whether the swatch follows the field while the user types (once it holds six digits).
    void setSwatchFollowsTyping(bool on) { followTyping_ = on; }

    QLineEdit* edit() const { return txt_; }
    QToolButton* swatch() const { return swatch_; }
    QToolButton* paletteButton() const { return palette_; }
    QMenu* paletteMenu() const { return menu_; }

    // Opens the colour dialog on the swatch's colour; true when a colour was chosen.
    bool runColourDialog();

signals:
    // The field was left (or Enter pressed) with this text.
    void left(const QString& typed);
    // A colour was chosen in the colour dialog or from the palette.
    void chosen(const QString& value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void filterTyped(const QString& text);

    QLineEdit* txt_;
    QToolButton* swatch_;
    QToolButton* palette_;
    QMenu* menu_;
    QString shown_;
    bool followTyping_ = false;
};

} // namespace arkona::site::ui

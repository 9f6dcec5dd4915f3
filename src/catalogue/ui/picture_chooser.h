#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

class QLabel;
class QWidget;

namespace arkona::catalogue::ui {

// The entries of the picture choosers: what the list shows, and the extensions behind it.
QStringList itemPictureFilters();    // "All (*.gif;*.jpg)", "Gif (*.gif)", "JPG (*.jpg, *.jpeg)"
QStringList productPictureFilters(); // the first entry with PNG too

// Opens the file chooser "Výběr obrázku" (object name "dlgVyberObrazku") at `start` (a file or
// a folder); the chosen file, or an empty text on "Storno".
QString choosePictureFile(QWidget* parent, const QString& start, const QStringList& filters);

// Shows the picture in the label, scaled down to fit it; false (and the label hidden) when the
// file is missing or cannot be decoded.
bool showPicture(QLabel* label, const QString& file, const QSize& box);

} // namespace arkona::catalogue::ui

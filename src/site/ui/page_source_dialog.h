#pragma once

#include <optional>
#include <string>

class QWidget;

namespace arkona::site::ui {

// A plain modal editor of an HTML text (the page header or footer): the edited text, with
// CR LF line ends, on OK; nothing on Storno. Stands in until the main window hands the panels
// the program's HTML source editor.
std::optional<std::string> editSourcePlain(QWidget* parent, const std::string& title,
                                           const std::string& text);

} // namespace arkona::site::ui

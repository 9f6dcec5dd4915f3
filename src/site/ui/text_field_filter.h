#pragma once

#include "site/file_names.h"

#include <QLineEdit>
#include <functional>
#include <string_view>

namespace arkona::site::ui {

// Runs one of the edit rules of file_names.h over a line edit after the user changed it: puts
// back the kept text and the cursor, and beeps once for each dropped character.
void applyEdit(QLineEdit* field, const std::function<EditedText(std::u32string_view, int)>& rule);

} // namespace arkona::site::ui

#pragma once

#include "templates/template_cell.h"
#include "templates/template_kind.h"

#include <string>
#include <vector>

namespace arkona::templates {

// The item keywords a cell of a grid can show in a template of a kind, in the order the
// template editor offers them. Header cells have none.
const std::vector<std::string>& itemKeywords(TemplateKind kind, GridKind grid);

// Whether a keyword is a button (its cell may name a picture).
bool isButtonKeyword(std::string_view keyword);

} // namespace arkona::templates

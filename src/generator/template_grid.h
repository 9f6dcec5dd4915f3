#pragma once

#include "templates/template_cell.h"

#include <functional>
#include <string>
#include <vector>

namespace arkona::generator {

// The last cell a grid's writing reaches: the end of the row of its last used cell (a grid
// whose only used cell is cell 0 writes its first row); -1 when no cell is used.
int gridEnd(const templates::CellGrid& grid);

// Whether a written part of the grid (cells 0 to gridEnd) shows the keyword.
bool gridShows(const templates::CellGrid& grid, std::string_view keyword);

// What one cell shows; an empty content is written as &nbsp;.
using CellContent = std::function<std::string(const templates::TemplateCell& cell, int number)>;

// Writes cells 0 to gridEnd as script lines w('...'): a row per ten cells, a cell spanning
// `colspan` cells of its row covering those after it. Returns false, writing nothing, for a
// grid without a used cell.
bool writeGrid(const templates::CellGrid& grid, const CellContent& content,
               std::vector<std::string>& out);

// A template value inside the single-quoted string of w('...').
std::string cellText(std::string_view value);

} // namespace arkona::generator

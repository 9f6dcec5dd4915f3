#include "generator/template_grid.h"

#include "generator/page_lines.h"
#include "generator/script_text.h"

namespace arkona::generator {

int gridEnd(const templates::CellGrid& grid) {
    const int last = grid.lastUsedCell();
    if (last < 0) {
        return -1;
    }
    return last / templates::kGridColumns * templates::kGridColumns + templates::kGridColumns - 1;
}

bool gridShows(const templates::CellGrid& grid, std::string_view keyword) {
    const int end = gridEnd(grid);
    for (int n = 0; n <= end; ++n) {
        if (grid[n].item == keyword) {
            return true;
        }
    }
    return false;
}

std::string cellText(std::string_view value) {
    return singleQuoted(value);
}

bool writeGrid(const templates::CellGrid& grid, const CellContent& content,
               std::vector<std::string>& out) {
    const int end = gridEnd(grid);
    if (end < 0) {
        return false;
    }
    int covering = 0;
    for (int n = 0; n <= end; ++n) {
        if (n == 0) {
            covering = 0;
            out.push_back("w('<TR>');");
        } else if (n % templates::kGridColumns == 0) {
            out.push_back("w('</TR>');");
            covering = 0;
            out.push_back("w('<TR>');");
        }
        if (covering >= 2) {
            --covering;
            continue;
        }
        const templates::TemplateCell& cell = grid[n];
        const int span = cell.span(n);
        covering = span;
        std::string line = "w('<TD VALIGN=\"TOP\"";
        if (span != 1) {
            line += " COLSPAN=" + std::to_string(span);
        }
        switch (cell.alignment()) {
        case templates::Alignment::Centre:
            line += " ALIGN=\"CENTER\"";
            break;
        case templates::Alignment::Right:
            line += " ALIGN=\"RIGHT\"";
            break;
        default:
            break;
        }
        if (const std::string colour = cell.colour(); !colour.empty()) {
            line += " BGCOLOR=\"#" + cellText(attributeValue(colour)) + "\"";
        }
        line += ">";
        const std::string shown = content(cell, n);
        line += shown.empty() ? "&nbsp;" : shown;
        line += "</TD>');";
        out.push_back(std::move(line));
    }
    return true;
}

} // namespace arkona::generator

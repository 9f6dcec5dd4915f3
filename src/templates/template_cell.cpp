#include "templates/template_cell.h"

#include "base/textcase.h"

#include <algorithm>
#include <charconv>

namespace arkona::templates {

char sectionLetter(GridKind grid) {
    switch (grid) {
    case GridKind::Header:
        return 'c';
    case GridKind::Items:
        return 'p';
    case GridKind::Totals:
        return 'z';
    }
    return 'c';
}

Alignment TemplateCell::alignment() const {
    if (justify == "1") {
        return Alignment::Centre;
    }
    if (justify == "2") {
        return Alignment::Right;
    }
    return Alignment::Left;
}

std::string TemplateCell::colour() const {
    return bgcolor == kNoColour ? std::string() : bgcolor;
}

bool TemplateCell::isUsed() const {
    return bgcolor != kNoColour || !item.empty() || !text1.empty() || !text2.empty();
}

int TemplateCell::span(int number) const {
    const int left = kGridColumns - number % kGridColumns;
    const std::string_view digits = text::trim(colspan);
    long long value = 1;
    const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || r.ec != std::errc() || r.ptr != digits.data() + digits.size() ||
        value < 1) {
        return 1;
    }
    return static_cast<int>(std::min<long long>(value, left));
}

TemplateCell newTemplateCell() {
    TemplateCell cell;
    cell.bgcolor = kNoColour;
    cell.font = kNewCellFont;
    cell.justify = "1";
    cell.colspan = "1";
    return cell;
}

int CellGrid::lastUsedCell() const {
    for (int n = kGridCells - 1; n >= 0; --n) {
        if (cells[n].isUsed()) {
            return n;
        }
    }
    return -1;
}

int CellGrid::lastWrittenCell() const {
    const int last = lastUsedCell();
    if (last <= 0) {
        return 0;
    }
    return last / kGridColumns * kGridColumns + kGridColumns - 1;
}

bool CellGrid::uses(std::string_view keyword) const {
    return std::any_of(cells.begin(), cells.end(),
                       [&](const TemplateCell& c) { return c.item == keyword; });
}

} // namespace arkona::templates

#pragma once

#include <array>
#include <string>
#include <string_view>

namespace arkona::templates {

// The three grids of a template: column headings, the layout of one line, totals and buttons.
enum class GridKind { Header, Items, Totals };

// Section letter of a grid's cells: [c0] ... [c39], [p0] ..., [z0] ...
char sectionLetter(GridKind grid);

inline constexpr int kGridColumns = 10;
inline constexpr int kGridRows = 4;
inline constexpr int kGridCells = kGridColumns * kGridRows;

// "FFFFFF" in a template cell means no colour.
inline constexpr std::string_view kNoColour = "FFFFFF";
// The font tag of every cell of a new template.
inline constexpr std::string_view kNewCellFont =
    "<FONT FACE=\"Arial CE, ARIAL, Helvetica\" SIZE=2 COLOR=\"#000000\">";

enum class Alignment { Left, Centre, Right };

// One cell as stored: every value exactly as the file holds it, so that reading and writing a
// template back changes nothing the user did not change. The interpretations are below.
struct TemplateCell {
    std::string bgcolor;
    std::string font;
    std::string item;
    std::string text1;
    std::string text2;
    std::string justify;
    std::string colspan;
    std::string picture;

    // "1" centre, "2" right, anything else left.
    Alignment alignment() const;
    // The background colour to write, or empty when the cell has none ("FFFFFF" or empty).
    std::string colour() const;
    // Used: a background other than "FFFFFF" (an empty one counts as other) or an item or text.
    bool isUsed() const;
    // The cells of its row that cell `number` covers: 1 for an empty, non-numeric or smaller
    // span, at most the cells left in its row.
    int span(int number) const;

    bool operator==(const TemplateCell&) const = default;
};

// The cell a new template gets: no colour, the standard font, centred, one column.
TemplateCell newTemplateCell();

// 40 cells, number n in row n / 10 and column n % 10.
struct CellGrid {
    std::array<TemplateCell, kGridCells> cells;

    const TemplateCell& operator[](int number) const { return cells.at(number); }
    TemplateCell& operator[](int number) { return cells.at(number); }

    // The number of the last used cell, or -1 when no cell is used.
    int lastUsedCell() const;
    // The last cell the generator writes: the end of the row of the last used cell, where a
    // grid whose only used cell is cell 0 (or that has none) counts 0, which writes nothing.
    int lastWrittenCell() const;
    // Whether any cell shows the keyword.
    bool uses(std::string_view keyword) const;

    bool operator==(const CellGrid&) const = default;
};

} // namespace arkona::templates

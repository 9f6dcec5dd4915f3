#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace arkona::dbf {

// One column of a table as the header describes it. `type` is the dBase type letter.
struct FieldDef {
    std::string name; // upper case, at most 10 characters
    char type = 'C';
    int width = 0;
    int decimals = 0;

    bool operator==(const FieldDef&) const = default;

    static FieldDef character(std::string name, int width) {
        return {std::move(name), 'C', width, 0};
    }
    static FieldDef numeric(std::string name, int width, int decimals = 0) {
        return {std::move(name), 'N', width, decimals};
    }
    static FieldDef logical(std::string name) { return {std::move(name), 'L', 1, 0}; }
    static FieldDef date(std::string name) { return {std::move(name), 'D', 8, 0}; }
    static FieldDef memo(std::string name) { return {std::move(name), 'M', 10, 0}; }

    bool isMemo() const { return type == 'M' || type == 'G' || type == 'P'; }
    bool isNumeric() const; // N, F, I, Y, B
    bool isCharacter() const { return type == 'C' || type == 'V'; }
    // "C(50)", "N(12,2)", "L", "D", "M"
    std::string notation() const;
};

} // namespace arkona::dbf

#include "base/dbf/field.h"

namespace arkona::dbf {

bool FieldDef::isNumeric() const {
    return type == 'N' || type == 'F' || type == 'I' || type == 'Y' || type == 'B';
}

std::string FieldDef::notation() const {
    switch (type) {
    case 'C':
        return "C(" + std::to_string(width) + ")";
    case 'N':
    case 'F':
        return std::string(1, type) + "(" + std::to_string(width) + "," + std::to_string(decimals) +
               ")";
    default:
        return std::string(1, type);
    }
}

} // namespace arkona::dbf

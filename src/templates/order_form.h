#pragma once

#include <string>
#include <vector>

namespace arkona::templates {

// Rows [o0] ... [o100] of an order template: one row of the order form each. The template
// editor lays the form out on fixed rows and the generator relies on the same numbering.
inline constexpr int kOrderRows = 101;

// Rows the generator treats specially.
inline constexpr int kRowTelephoneListEnd = 20; // the list of calling times closes after it
inline constexpr int kRowDeliveryGroup = 25;    // the delivery radio group is numbered after it
inline constexpr int kRowPaymentGroup = 57;     // the payment radio group is numbered after it
inline constexpr int kRowBankPayment = 60;      // payment by the bank's payment page
inline constexpr int kRowCardPayment = 62;      // card payment; its switch offers card types
inline constexpr int kRowCardTypesEnd = 68;     // the card details follow it
inline constexpr int kRowNote = 97;             // the note, a text area

struct OrderRow {
    std::string bgcolor;
    std::string font;
    std::string item; // the form field name, "oRad" + number for a heading row
    std::string text1;
    std::string text2;
    std::string justify;
    std::string colspan; // input rows: the width of the field in characters
    std::string picture;
    std::string exist;

    // Part of the form only when `exist` is exactly "True".
    bool exists() const { return exist == "True"; }

    bool operator==(const OrderRow&) const = default;
};

// The 101 rows as the template editor lays out a new order form: every row's item and label,
// no colour, the standard font, left aligned, fields 50 characters wide, every row on.
std::vector<OrderRow> standardOrderRows();

} // namespace arkona::templates

#pragma once

#include "templates/profile_entries.h"
#include "templates/section_template.h"

#include <array>
#include <filesystem>
#include <string>

namespace arkona::templates {

// The bank payment of the order form ([Expandia], saved with an order template) and the
// payment button of the cart ([eCity], saved with a cart template), kept in ArkonaTree.ini.
enum class PaymentSection { Expandia, ECity };

struct PaymentSettings {
    std::string ebCesta;     // host and path of the payment page, after "https://", ending "?"
    std::string ebShopname;  // shopname=
    std::string ebUcet;      // creditaccount=
    std::string ebBanka;     // creditbank=
    std::string ebKonstSymb; // constsymbol=
    std::string ebMena;      // curcode=, [Expandia] only
    std::string ebEmail;     // email=
    std::string ebUrlOK;     // URLsuccess=
    std::string ebUrlFail;   // URLfail=
    std::array<std::string, 3> ebAdd; // ebAdd1 ... ebAdd3, appended as they stand

    bool operator==(const PaymentSettings&) const = default;
};

// The order form's own submission ([Form], saved with an order template).
struct OrderFormSettings {
    std::string action;
    std::string method;
    std::string onSubmit;
    std::array<std::string, 3> add;    // add1 ... add3: attributes of the form tag
    std::array<std::string, 5> hidden; // hidden1 ... hidden5: whole form elements

    bool operator==(const OrderFormSettings&) const = default;
};

std::string sectionName(PaymentSection section); // "Expandia", "eCity"

// The editor's initial values; the generator reads a missing key as empty.
PaymentSettings initialPaymentSettings(PaymentSection section);
OrderFormSettings initialOrderFormSettings();

PaymentSettings readPaymentSettings(const std::filesystem::path& iniFile, PaymentSection section,
                                    Defaults defaults);
OrderFormSettings readOrderFormSettings(const std::filesystem::path& iniFile, Defaults defaults);

// The keys in the order the editor writes them, every value in single quotes.
ProfileEntries paymentEntries(PaymentSection section, const PaymentSettings& s);
ProfileEntries orderFormEntries(const OrderFormSettings& s);

// Writes the keys into ArkonaTree.ini, every other key of the file kept as it is.
void writePaymentSettings(const std::filesystem::path& iniFile, PaymentSection section,
                          const PaymentSettings& s);
void writeOrderFormSettings(const std::filesystem::path& iniFile, const OrderFormSettings& s);

} // namespace arkona::templates

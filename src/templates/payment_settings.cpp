#include "templates/payment_settings.h"

#include "base/profile.h"

namespace arkona::templates {

namespace {

// Placeholders a shop replaces with what its bank gives it.
constexpr const char* kExpandiaPage = "platby.expandia.example/platba?";
constexpr const char* kECityPage = "platby.ecity.example/platba?";
constexpr const char* kShopEmail = "obchod@vas-obchod.example";

std::string addKey(const char* prefix, std::size_t i) {
    return prefix + std::to_string(i + 1);
}

} // namespace

std::string sectionName(PaymentSection section) {
    return section == PaymentSection::Expandia ? "Expandia" : "eCity";
}

PaymentSettings initialPaymentSettings(PaymentSection section) {
    PaymentSettings s;
    s.ebCesta = section == PaymentSection::Expandia ? kExpandiaPage : kECityPage;
    s.ebShopname = "Vas_obchod";
    s.ebUcet = "000000000000";
    s.ebBanka = "2400";
    s.ebKonstSymb = "0308";
    if (section == PaymentSection::Expandia) {
        s.ebMena = "CZK";
    }
    s.ebEmail = kShopEmail;
    return s;
}

OrderFormSettings initialOrderFormSettings() {
    OrderFormSettings s;
    s.method = "POST";
    s.onSubmit = "return overeni(this)";
    return s;
}

PaymentSettings readPaymentSettings(const std::filesystem::path& iniFile, PaymentSection section,
                                    Defaults defaults) {
    const PaymentSettings d =
        defaults == Defaults::Editor ? initialPaymentSettings(section) : PaymentSettings{};
    const ProfileFile ini(iniFile);
    const std::string sec = sectionName(section);
    PaymentSettings s;
    s.ebCesta = ini.readString(sec, "ebCesta", d.ebCesta);
    s.ebShopname = ini.readString(sec, "ebShopname", d.ebShopname);
    s.ebUcet = ini.readString(sec, "ebUcet", d.ebUcet);
    s.ebBanka = ini.readString(sec, "ebBanka", d.ebBanka);
    s.ebKonstSymb = ini.readString(sec, "ebKonstSymb", d.ebKonstSymb);
    if (section == PaymentSection::Expandia) {
        s.ebMena = ini.readString(sec, "ebMena", d.ebMena);
    }
    s.ebEmail = ini.readString(sec, "ebEmail", d.ebEmail);
    s.ebUrlOK = ini.readString(sec, "ebUrlOK", d.ebUrlOK);
    s.ebUrlFail = ini.readString(sec, "ebUrlFail", d.ebUrlFail);
    for (std::size_t i = 0; i < s.ebAdd.size(); ++i) {
        s.ebAdd[i] = ini.readString(sec, addKey("ebAdd", i), d.ebAdd[i]);
    }
    return s;
}

OrderFormSettings readOrderFormSettings(const std::filesystem::path& iniFile, Defaults defaults) {
    const OrderFormSettings d =
        defaults == Defaults::Editor ? initialOrderFormSettings() : OrderFormSettings{};
    const ProfileFile ini(iniFile);
    OrderFormSettings s;
    s.action = ini.readString("Form", "action", d.action);
    s.method = ini.readString("Form", "method", d.method);
    s.onSubmit = ini.readString("Form", "onSubmit", d.onSubmit);
    for (std::size_t i = 0; i < s.add.size(); ++i) {
        s.add[i] = ini.readString("Form", addKey("add", i), d.add[i]);
    }
    for (std::size_t i = 0; i < s.hidden.size(); ++i) {
        s.hidden[i] = ini.readString("Form", addKey("hidden", i), d.hidden[i]);
    }
    return s;
}

ProfileEntries paymentEntries(PaymentSection section, const PaymentSettings& s) {
    const std::string sec = sectionName(section);
    ProfileEntries out{{sec, "ebCesta", s.ebCesta, true},
                       {sec, "ebShopname", s.ebShopname, true},
                       {sec, "ebUcet", s.ebUcet, true},
                       {sec, "ebBanka", s.ebBanka, true},
                       {sec, "ebKonstSymb", s.ebKonstSymb, true}};
    if (section == PaymentSection::Expandia) {
        out.push_back({sec, "ebMena", s.ebMena, true});
    }
    out.push_back({sec, "ebEmail", s.ebEmail, true});
    out.push_back({sec, "ebUrlOK", s.ebUrlOK, true});
    out.push_back({sec, "ebUrlFail", s.ebUrlFail, true});
    for (std::size_t i = 0; i < s.ebAdd.size(); ++i) {
        out.push_back({sec, addKey("ebAdd", i), s.ebAdd[i], true});
    }
    return out;
}

ProfileEntries orderFormEntries(const OrderFormSettings& s) {
    ProfileEntries out{{"Form", "action", s.action, true},
                       {"Form", "method", s.method, true},
                       {"Form", "onSubmit", s.onSubmit, true}};
    for (std::size_t i = 0; i < s.add.size(); ++i) {
        out.push_back({"Form", addKey("add", i), s.add[i], true});
    }
    for (std::size_t i = 0; i < s.hidden.size(); ++i) {
        out.push_back({"Form", addKey("hidden", i), s.hidden[i], true});
    }
    return out;
}

void writePaymentSettings(const std::filesystem::path& iniFile, PaymentSection section,
                          const PaymentSettings& s) {
    ProfileFile ini(iniFile);
    writeEntries(ini, paymentEntries(section, s));
    ini.save();
}

void writeOrderFormSettings(const std::filesystem::path& iniFile, const OrderFormSettings& s) {
    ProfileFile ini(iniFile);
    writeEntries(ini, orderFormEntries(s));
    ini.save();
}

} // namespace arkona::templates

#include "catalogue/goods_placing.h"

namespace arkona::catalogue {

PlacingTarget placingTarget(const storage::ProjectContext&, const SectionKey& section) {
    return {section, "", {}};
}

std::string placingStatus(const std::string& itemName, const std::string& pageTitle) {
    return "Vkládám zboží \"" + itemName + "\" do stránky \"" + pageTitle + "\" ...";
}

std::string alreadyInSectionMessage(const std::string& code) {
    return "Zboží s kódem " + code + " již v produktové sekci existuje!";
}

PlacingResult placeItems(const storage::ProjectContext&, const PlacingTarget&, PlacingMode,
                         const std::vector<StoredItem>&, Prompter&, StatusLine&) {
    return {};
}

std::vector<StoredItem> itemsByCode(const storage::ProjectContext&, const CodeSet&) {
    return {};
}

} // namespace arkona::catalogue

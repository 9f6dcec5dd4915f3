#include "catalogue/item_pages.h"

namespace arkona::catalogue {

std::vector<std::string> pagesWithItem(const storage::ProjectContext&, const std::string&) {
    return {};
}

std::string loadingPagesStatus(const std::string& itemName) {
    return "Načítám seznam stránek obsahujících zboží \"" + itemName + "\".";
}

std::string shownGroupStatus(const std::string& groupName) {
    return "Zobrazena skupina \"" + groupName + "\".";
}

std::string pageCountText(std::size_t count) {
    return "Počet stránek s tímto zbožím: " + std::to_string(count);
}

} // namespace arkona::catalogue

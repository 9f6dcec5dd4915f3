#pragma once

#include <string>
#include <vector>

namespace arkona::storage {
struct ProjectContext;
}

namespace arkona::catalogue {

// The pages window of the catalogue (TfrmZarazZbozi): the titles (POPIS of struktur.dbf) of
// the pages of every page product row with exactly this code (trimmed, letter case ignored;
// "AB" never lists the rows of "ABC"), one line per row, in the order of zbozi.dbf. A row whose
// page is missing shows its HTMLID. Each table is read once.
std::vector<std::string> pagesWithItem(const storage::ProjectContext& project,
                                       const std::string& code);

// `Načítám seznam stránek obsahujících zboží "` name `".`
std::string loadingPagesStatus(const std::string& itemName);
// `Zobrazena skupina "` name `".`
std::string shownGroupStatus(const std::string& groupName);
// "Počet stránek s tímto zbožím: " + count
std::string pageCountText(std::size_t count);

} // namespace arkona::catalogue

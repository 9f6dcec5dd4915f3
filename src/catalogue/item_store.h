#pragma once

#include "catalogue/groups.h"
#include "catalogue/item.h"

#include <cstdint>
#include <optional>
#include <string>

namespace arkona::storage {
struct ProjectContext;
}

namespace arkona::catalogue {

// Whether a code may be given to a new item: not empty, and neither a catalogue item nor a page
// product (any page, any type) has it; codes compare exactly, letter case ignored.
enum class CodeStatus { Free, Empty, InCatalogue, InProducts };
CodeStatus codeStatus(const storage::ProjectContext& project, std::string_view code);

inline constexpr const char* kCodeInCatalogue = "Tento kód zboží již existuje v katalogu!";
inline constexpr const char* kCodeInProducts = "Tento kód zboží již existuje v produktové sekci!";
// The message that tells why a code is taken; nullptr when it is free or empty.
const char* codeTakenMessage(CodeStatus status);

// A catalogue item with its description, and where it lies in katalog.dbf.
struct StoredItem {
    Item item;
    std::string popis;
    std::uint32_t recno = 0;
};

// A new item of the group: the group's presets (the purchase code also as the sale code), all
// prices, margin and parts 0, no fixed part.
Item newItemOf(const Group& group);

// The row at `recno` when it is live and still holds `code` (exactly); nothing otherwise.
std::optional<StoredItem> readItemAt(const storage::ProjectContext& project, std::uint32_t recno,
                                     std::string_view code);

// The item with this code (exact, letter case ignored), for the editors that start from a page
// product or a component; nothing when the catalogue has none.
std::optional<StoredItem> findItem(const storage::ProjectContext& project, std::string_view code);

// Appends the item; returns its place.
std::uint32_t insertItem(const storage::ProjectContext& project, const Item& item,
                         const std::string& popis);

// Stores every column of an edited item into the row it was read from: the row at `recno`
// when it still holds `originalCode`, else the only row with that code; "Update failed" when
// there is none or several (a code given to a row that had none is never looked up by the
// new code).
void updateItem(const storage::ProjectContext& project, std::uint32_t recno,
                std::string_view originalCode, const Item& item, const std::string& popis);

// A copy of the stored item under a new code (upper case): every stored column, description
// and picture included. The code must be free (throws with the reason otherwise). Returns the
// copy as stored.
StoredItem copyItem(const storage::ProjectContext& project, const StoredItem& source,
                    std::string_view newCode);

// Writes every column of the item (description included) into a row.
void writeItem(const Item& item, const std::string& popis, dbf::Record& row);

} // namespace arkona::catalogue

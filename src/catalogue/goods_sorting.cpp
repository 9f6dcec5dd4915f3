#include "catalogue/goods_sorting.h"

namespace arkona::catalogue {

GoodsSort goodsSortOf(std::string_view) {
    return GoodsSort::None;
}

bool sortSection(const storage::ProjectContext&, const SectionKey&, GoodsSort, StatusLine&) {
    return false;
}

} // namespace arkona::catalogue

#include "catalogue/section_goods.h"

#include "base/error.h"

namespace arkona::catalogue {

void openSectionGoods(storage::TData2&, bool) {}

std::vector<GoodsListRow> sectionGoodsList(const storage::DataView&, bool) {
    return {};
}

std::vector<StoredProduct> readSectionRows(const storage::ProjectContext&, const SectionKey&) {
    return {};
}

int nextPoradi(const storage::ProjectContext&, const SectionKey&) {
    return 1;
}

StoredProduct readProduct(const storage::ProjectContext&, const ProductRef&) {
    throw Error(kProductGone);
}

StoredProduct insertProduct(const storage::ProjectContext&, const ProductRow& row) {
    return {row, ProductRef::of(row, 0)};
}

ProductRef updateProduct(const storage::ProjectContext&, const ProductRef& original,
                         const ProductRow&) {
    return original;
}

const char* deleteQuestion(std::size_t count) {
    return count > 1 ? kDeleteManyQuestion : kDeleteOneQuestion;
}

int deleteProducts(const storage::ProjectContext&, const std::vector<ProductRef>&) {
    return 0;
}

int deleteProductsAsked(const storage::ProjectContext&, const std::vector<ProductRef>&, Prompter&) {
    return 0;
}

} // namespace arkona::catalogue

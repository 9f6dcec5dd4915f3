#pragma once

#include "generator/goods_pictures.h"
#include "generator/page_state.h"
#include "generator/site_snapshot.h"
#include "generator/template_cache.h"

#include <string>
#include <vector>

namespace arkona::generator {

// The goods call of one goods line: obj('code','name',price,price with VAT,discount,
// 'picture description',max,step,'unit'); with the prices the line publishes.
std::string goodsCall(const GoodsRecord& goods, const std::string& picture);
// The call of a heading line: txt('name','description');
std::string headingCall(const GoodsRecord& heading);

// Writes the product sections of one page: the first opens the form and the script, every
// section writes its goods calls in `display()`, then the listing of its template.
class ProductSectionWriter {
public:
    ProductSectionWriter(const SiteSnapshot& snapshot, TemplateCache& templates,
                         GoodsPictures& pictures, std::vector<std::string>& warnings)
        : snapshot_(snapshot), templates_(templates), pictures_(pictures), warnings_(warnings) {}

    // A new page starts: no product section met, no set written.
    void startPage() {
        sections_ = 0;
        setWritten_ = false;
    }
    void write(PageState& state, const SectionRecord& section);

private:
    const SiteSnapshot& snapshot_;
    TemplateCache& templates_;
    GoodsPictures& pictures_;
    std::vector<std::string>& warnings_;
    int sections_ = 0;
    bool setWritten_ = false;
};

} // namespace arkona::generator

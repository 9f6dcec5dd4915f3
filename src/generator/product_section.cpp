#include "generator/product_section.h"

#include "base/dbf/numeric.h"
#include "catalogue/derived_values.h"
#include "generator/page_lines.h"
#include "generator/script_text.h"

#include <charconv>

namespace arkona::generator {

namespace {

constexpr const char* kNotice = "<!-- Seznam zboží: skript vytvořil program ArkonaPro.";

// 30, 2.5, 0.1: the shortest plain decimal with a period.
std::string plainNumber(double value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return std::string(buf, r.ptr);
}

std::string amount(double value) {
    return dbf::formatNumber(value, 2);
}

} // namespace

std::string goodsCall(const GoodsRecord& g, const std::string& picture) {
    const catalogue::ProductDerived prices =
        catalogue::deriveProduct(g.price, g.priceWithVat, g.discount.value_or(0), g.round);
    std::string pictureTag;
    if (!picture.empty()) {
        pictureTag = "<IMG SRC=\"" + singleQuoted(attributeValue(picture)) +
                     "\" BORDER=\"0\" ALIGN=\"RIGHT\">";
    }
    return "obj('" + delEnter(g.code) + "','" + singleQuoted(g.nameFont) + delEnter(g.name) + "'," +
           amount(prices.TMP_P_CENA) + "," + amount(prices.TMP_P_CENA_DPH) + "," +
           (g.discount ? amount(*g.discount) : std::string("0")) + ",'" + pictureTag +
           singleQuoted(g.descriptionFont) + delEnter(g.description) + "'," +
           (g.maxQuantity > 0 ? plainNumber(g.maxQuantity) : std::string("30")) + "," +
           (g.step > 0 ? plainNumber(g.step) : std::string("1")) + ",'" + singleQuoted(g.unit) +
           "');";
}

std::string headingCall(const GoodsRecord& h) {
    return "txt('" + singleQuoted(h.nameFont) + delEnter(h.name) + "','" +
           singleQuoted(h.descriptionFont) + delEnter(h.description) + "');";
}

void ProductSectionWriter::write(PageState& state, const SectionRecord& section) {
    auto& out = state.lines;
    ++sections_;
    if (sections_ == 1) {
        out.add("<P><FORM METHOD=\"POST\" NAME=\"FRM\"><FONT FACE=\"Arial CE, Arial, Helvetica\" "
                "COLOR=\"#FFFFFF\" SIZE=1>");
        out.add("<SCRIPT LANGUAGE=\"JavaScript\"><!--");
        out.add(kNotice);
        out.add("function w(s) {document.write(s);};function nic(){};");
        // The totals of every product section on the page share their field names.
        out.add("function nastav(n,v){var f=document.FRM[n];if(f==null){return;}"
                "if(f.tagName==null&&f.length!=null){for(var i=0;i<f.length;i++){f[i].value=v;}}"
                "else{f.value=v;}}");
        out.add("var cis=0,cisSub=0,total=0,totalDPH=0,sleva=0,slevaDPH=0,seznam=new "
                "parent.vynuluj(100,''),cenaSest=0,cenaSestDPH=0,seznamSub=new "
                "parent.vynuluj(1,''),oldSub='',aktSub=0,nText='',zs=new parent.vynuluj(1,'');");
        out.add("function display() {");
        out.add("cis = 0;");
    } else {
        // A further section of the page continues the line numbers in a display() of its own.
        out.add("<P><FONT FACE=\"Arial CE, Arial, Helvetica\" COLOR=\"#FFFFFF\" SIZE=1>");
        out.add("<SCRIPT LANGUAGE=\"JavaScript\"><!--");
        out.add(kNotice);
        out.add("function display() {");
    }
    for (const GoodsRecord& g : snapshot_.goods({state.page.id, section.id})) {
        if (g.type == "K" || g.type == "R") {
            const auto picture = pictures_.address(state.page.disk, g.picture, warnings_);
            out.add(goodsCall(g, picture.value_or(std::string())));
        } else if (g.type == "N") {
            out.add(headingCall(g));
        }
        // Sets ("E", "S") write their call and composition here, and mark setWritten_.
    }
    out.add("parent.cisKs=cis+1;}");
    const ProductListing& listing = templates_.productListing(section.templateName, state.baseFont);
    for (const auto& line : listing.lines) {
        out.add(line);
    }
    if (setWritten_) {
        for (const auto& line : listing.setFunctions) {
            out.add(line);
        }
    }
    out.add("// --></SCRIPT></FONT></P>");
}

} // namespace arkona::generator

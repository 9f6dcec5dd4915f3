#include "generator/frame_set.h"

#include "generator/page_lines.h"
#include "generator/script_text.h"
#include "site/relative_path.h"

namespace arkona::generator {

namespace {

// A text put into w('...') inside a double-quoted attribute.
std::string inScript(std::string_view attribute) {
    return scriptString(attributeValue(attribute));
}

// The size of the navigation frame: its digits only (it lands inside script and markup).
std::string frameSize(const std::string& velikost) {
    std::string digits;
    for (char c : velikost) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    return digits.empty() ? "80" : digits;
}

constexpr const char* kFrameSetEnd = " FRAMEBORDER=0 BORDER=0 FRAMESPACING=0 FRAMEPADDING=0>";
constexpr const char* kWorkFrameEnd = "\" MARGINHEIGHT=\"0\" MARGINWIDTH=\"0\">";

} // namespace

std::string frameAddress(std::string_view folder, std::string_view pagePath) {
    const size_t slash = pagePath.rfind('/');
    const std::string_view file =
        slash == std::string_view::npos ? pagePath : pagePath.substr(slash + 1);
    const size_t at = file.empty() ? std::string_view::npos : pagePath.find(file);
    const std::string_view fileFolder =
        at == std::string_view::npos ? pagePath : pagePath.substr(0, at);
    return site::RelativePath(folder, fileFolder) + std::string(file);
}

void writeFrameSet(PageState& state, const templates::ShopSettings& shop,
                   const GeneratorSettings& settings) {
    auto& out = state.lines;
    const std::string navigation = inScript(frameAddress(state.folder, shop.navigace));
    const std::string work = inScript(frameAddress(state.folder, shop.pracovni));
    out.add("w('</HEAD>');\r");

    const std::string size = frameSize(shop.velikost);
    const std::string unit = shop.body ? "" : "%";
    std::string placement = shop.umisteni;
    if (placement != templates::kTop && placement != templates::kLeft &&
        placement != templates::kRight && placement != templates::kBottom) {
        placement = templates::kTop; // a frame set must exist for the shop to work
    }
    const bool navigationFirst = placement == templates::kTop || placement == templates::kLeft;
    const std::string kind =
        placement == templates::kTop || placement == templates::kBottom ? "ROWS" : "COLS";
    const std::string spread = navigationFirst ? size + unit + ",*\"" : "*," + size + unit + "\"";
    out.add("w('<FRAMESET " + kind + "=\"" + spread + kFrameSetEnd + "');");

    const std::string navigationFrame = "w('<FRAME NAME=\"nav\" SRC=\"" + navigation +
                                        "\" MARGINHEIGHT=\"0\" MARGINWIDTH=\"0\" SCROLLING=no>');";
    const auto workFrame = [&] {
        if (settings.preview) {
            out.add("w('<FRAME NAME=\"wsp\" SRC=\"" + inScript(settings.previewFolder) +
                    kPreviewPageFile + kWorkFrameEnd + "');");
            return;
        }
        // The page asked for after "?" (a page opened alone comes back so); only a relative
        // address of this site is taken, anything else shows the work page.
        out.add("if(self.location.search != null && self.location.search!=''){");
        out.add(
            "var wspLoc=self.document.location.search,k=0;wspLoc+=\"§\";k=wspLoc.indexOf(\"§\");"
            "wspLoc=wspLoc.substring(1,k);");
        out.add(
            "if(wspLoc.indexOf(\":\")>=0||wspLoc.indexOf(\"//\")==0||wspLoc.indexOf(\"\\\\\")>=0||"
            "wspLoc.indexOf(\"\\\"\")>=0||wspLoc.indexOf(\"<\")>=0||wspLoc.indexOf(\">\")>=0||"
            "wspLoc.indexOf(\"'\")>=0){wspLoc=\"" +
            work + "\";}");
        out.add("w('<FRAME NAME=\"wsp\" SRC=\"'+wspLoc+'" + std::string(kWorkFrameEnd) + "');");
        out.add("}else{w('<FRAME NAME=\"wsp\" SRC=\"" + work + kWorkFrameEnd + "');}");
    };
    if (navigationFirst) {
        out.add(navigationFrame);
        workFrame();
    } else {
        workFrame();
        out.add(navigationFrame);
    }
    out.add("// --></SCRIPT>");
    out.add("<NOFRAMES>");
    out.add(state.bodyTag);
    out.add(state.page.footer);
    out.add("</BODY></NOFRAMES>");
    out.add("</FRAMESET>");
}

} // namespace arkona::generator

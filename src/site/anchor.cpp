#include "site/anchor.h"

#include "base/textcase.h"
#include "site/relative_path.h"

namespace arkona::site {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string unescapeQuotes(std::string_view value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value.substr(i, 6) == "&quot;") {
            out += '"';
            i += 5;
        } else {
            out += value[i];
        }
    }
    return out;
}

std::string escapeQuotes(std::string_view value) {
    std::string out;
    for (char c : value) {
        if (c == '"') {
            out += "&quot;";
        } else {
            out += c;
        }
    }
    return out;
}

// Walks the attributes of an opening tag from just after its name.
class TagReader {
public:
    TagReader(std::string_view text, size_t at) : text_(text), at_(at) {}

    // The next attribute; false at the end of the tag (then end() is just past its ">").
    bool next(std::string& name, std::string& value) {
        skipSpace();
        if (at_ >= text_.size() || text_[at_] == '>') {
            at_ = std::min(at_ + 1, text_.size());
            return false;
        }
        const size_t nameStart = at_;
        while (at_ < text_.size() && !isSpace(text_[at_]) && text_[at_] != '=' &&
               text_[at_] != '>') {
            ++at_;
        }
        name = text_.substr(nameStart, at_ - nameStart);
        value.clear();
        skipSpace();
        if (at_ < text_.size() && text_[at_] == '=') {
            ++at_;
            skipSpace();
            value = readValue();
        }
        if (name.empty()) {
            ++at_; // a stray character; never stand still
        }
        return true;
    }
    size_t end() const { return at_; }

private:
    void skipSpace() {
        while (at_ < text_.size() && isSpace(text_[at_])) {
            ++at_;
        }
    }
    std::string readValue() {
        if (at_ < text_.size() && (text_[at_] == '"' || text_[at_] == '\'')) {
            const char quote = text_[at_++];
            const size_t close = text_.find(quote, at_);
            const size_t stop = close == std::string_view::npos ? text_.size() : close;
            std::string value(text_.substr(at_, stop - at_));
            at_ = std::min(stop + 1, text_.size());
            return unescapeQuotes(value);
        }
        const size_t start = at_;
        while (at_ < text_.size() && !isSpace(text_[at_]) && text_[at_] != '>') {
            ++at_;
        }
        return unescapeQuotes(text_.substr(start, at_ - start));
    }

    std::string_view text_;
    size_t at_;
};

std::string fileNameOf(std::string_view href) {
    href = href.substr(0, std::min(href.find('#'), href.find('?')));
    const auto slash = href.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? href : href.substr(slash + 1);
    for (std::string_view extension : {".htm", ".html"}) {
        if (name.size() > extension.size() &&
            text::equalsNoCase(name.substr(name.size() - extension.size()), extension)) {
            name.remove_suffix(extension.size());
            break;
        }
    }
    return std::string(name);
}

} // namespace

ParsedAnchor parseAnchor(std::string_view anchor) {
    ParsedAnchor parsed;
    size_t at = anchor.find('<');
    if (at == std::string_view::npos) {
        return parsed;
    }
    ++at;
    while (at < anchor.size() && !isSpace(anchor[at]) && anchor[at] != '>') {
        ++at; // the tag name
    }
    TagReader reader(anchor, at);
    std::string name, value;
    while (reader.next(name, value)) {
        if (text::equalsNoCase(name, "HREF")) {
            parsed.fields.href = value;
        } else if (text::equalsNoCase(name, "TARGET")) {
            parsed.fields.target = value;
        } else if (text::equalsNoCase(name, "ONMOUSEOVER")) {
            parsed.fields.onMouseOver = value;
        }
    }
    parsed.fileName = fileNameOf(parsed.fields.href);
    parsed.rest = std::string(anchor.substr(reader.end()));
    return parsed;
}

std::string anchorOpeningTag(const AnchorFields& fields) {
    std::string tag = "<A HREF=\"" + escapeQuotes(fields.href) + "\"";
    if (!fields.target.empty()) {
        tag += " TARGET=\"" + escapeQuotes(fields.target) + "\"";
    }
    if (!text::trim(fields.onMouseOver).empty()) {
        tag += " ONMOUSEOVER=\"" + escapeQuotes(fields.onMouseOver) + "\"";
    }
    return tag + ">";
}

std::string anchorResult(AnchorUse use, const AnchorFields& fields, std::string_view passed) {
    const std::string tag = anchorOpeningTag(fields);
    switch (use) {
    case AnchorUse::OpeningTag:
        return tag;
    case AnchorUse::EditExisting:
        return tag + parseAnchor(passed).rest;
    case AnchorUse::WrapSelection:
        return tag + std::string(passed) + "</A> ";
    }
    return tag;
}

std::string anchorHref(std::string_view fromPath, const PageNode& page) {
    return RelativePath(fromPath, page.path) + page.src + ".htm";
}

const PageNode* pageForFileName(const PageTree& tree, std::string_view fileName) {
    if (fileName.empty()) {
        return nullptr;
    }
    if (const PageNode* page = tree.pageWithSrc(fileName)) {
        return page;
    }
    for (const PageNode* link : tree.linksWithSrcNoCase(fileName)) {
        if (link->src == fileName) {
            return link;
        }
    }
    return nullptr;
}

} // namespace arkona::site

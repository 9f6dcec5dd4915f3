#include "catalogue/code_set.h"

#include "base/textcase.h"

namespace arkona::catalogue {

CodeSet::CodeSet(std::initializer_list<std::string_view> codes) {
    for (auto code : codes) {
        add(code);
    }
}

CodeSet::CodeSet(const std::vector<std::string>& codes) {
    for (const auto& code : codes) {
        add(code);
    }
}

std::string CodeSet::key(std::string_view code) {
    return text::toUpper(text::trim(code));
}

bool CodeSet::add(std::string_view code) {
    const std::string_view trimmed = text::trim(code);
    if (trimmed.empty() || !keys_.insert(key(trimmed)).second) {
        return false;
    }
    codes_.emplace_back(trimmed);
    return true;
}

bool CodeSet::contains(std::string_view code) const {
    return keys_.contains(key(code));
}

std::vector<CodeSet> CodeSet::batches(std::size_t size) const {
    std::vector<CodeSet> out;
    for (std::size_t i = 0; i < codes_.size(); ++i) {
        if (i % size == 0) {
            out.emplace_back();
        }
        out.back().add(codes_[i]);
    }
    return out;
}

std::string CodeSet::displayText() const {
    std::string out;
    for (const auto& code : codes_) {
        if (!out.empty()) {
            out += ", ";
        }
        if (code.find('"') == std::string::npos) {
            out += '"' + code + '"';
            continue;
        }
        out += '\'';
        for (char c : code) {
            out += c;
            if (c == '\'') {
                out += '\'';
            }
        }
        out += '\'';
    }
    return out;
}

} // namespace arkona::catalogue

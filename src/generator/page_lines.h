#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace arkona::generator {

// The output of one page: an ordered list of entries, each one line of the file. An entry that
// holds line breaks of its own (a memo) becomes several lines; an entry may also end in a lone
// carriage return, which the file keeps.
class PageLines {
public:
    void add(std::string line) { lines_.push_back(std::move(line)); }
    void clear() { lines_.clear(); }
    const std::vector<std::string>& lines() const { return lines_; }
    size_t size() const { return lines_.size(); }

    // The file: every entry followed by CR LF, in Windows-1250; characters the code page cannot
    // hold become numeric character references.
    std::string bytes() const;
    // The same into `out`, whose memory is reused from page to page.
    void encodeTo(std::string& out) const;

private:
    std::vector<std::string> lines_;
};

// A value written between the double quotes of an attribute: a double quote in it would end
// the attribute early, so it becomes &quot;. Everything else stays as it is.
std::string attributeValue(std::string_view value);

} // namespace arkona::generator

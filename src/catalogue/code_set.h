#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace arkona::catalogue {

// Item codes handed to operations on many items: kept in list order, trimmed, each once;
// membership ignores letter case and is exact otherwise ("AB" never matches "ABC"). Codes with
// either kind of quote are ordinary members: the set is never turned into statement text.
class CodeSet {
public:
    CodeSet() = default;
    CodeSet(std::initializer_list<std::string_view> codes);
    explicit CodeSet(const std::vector<std::string>& codes);

    // Adds a code unless it is blank or already there; true when added.
    bool add(std::string_view code);
    bool contains(std::string_view code) const;

    std::size_t size() const { return codes_.size(); }
    bool empty() const { return codes_.empty(); }
    const std::vector<std::string>& codes() const { return codes_; }

    // Consecutive sets of at most `size` codes in list order; the last one may be shorter.
    std::vector<CodeSet> batches(std::size_t size = kBatchSize) const;
    static constexpr std::size_t kBatchSize = 100;

    // For people only: each code in double quotes (single quotes when it holds a double
    // quote, a single quote inside then doubled), joined by ", ".
    std::string displayText() const;

    // The key codes are compared by: trimmed, letters folded to upper case.
    static std::string key(std::string_view code);

private:
    std::vector<std::string> codes_;
    std::unordered_set<std::string> keys_;
};

} // namespace arkona::catalogue

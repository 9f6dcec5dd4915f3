#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace arkona::text {

// Czech collation for sorting names: "ch" after "h", "č" after "c", letter case a tie-breaker.
class CzechCollator {
public:
    CzechCollator();
    ~CzechCollator();
    CzechCollator(const CzechCollator&) = delete;
    CzechCollator& operator=(const CzechCollator&) = delete;

    // <0, 0, >0 like strcmp, for UTF-8 text.
    int compare(std::string_view a, std::string_view b) const;
    bool less(std::string_view a, std::string_view b) const { return compare(a, b) < 0; }
    // A byte string whose plain byte order is the collation order (for sorting many rows).
    std::string sortKey(std::string_view a) const;

    static const CzechCollator& instance();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace arkona::text

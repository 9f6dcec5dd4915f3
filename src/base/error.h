#pragma once

#include <stdexcept>
#include <string>

namespace arkona {

// A failure that carries the program's own (Czech, UTF-8) message text up to whoever shows it.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

} // namespace arkona

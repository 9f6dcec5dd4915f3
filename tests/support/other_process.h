#pragma once

#include <functional>
#include <memory>
#include <string>

namespace arkona::test {

// Runs `hold` in a child process, which keeps what it returns (say an open table) alive while
// `check` runs in this process.
void whileAnotherProcessHolds(const std::function<std::shared_ptr<void>()>& hold,
                              const std::function<void()>& check);

// The message of the arkona::Error that `f` throws, or "(no error)".
std::string errorOf(const std::function<void()>& f);

} // namespace arkona::test

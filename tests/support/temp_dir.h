#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace arkona::test {

// A fresh folder under the system temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& file);
void writeFile(const std::filesystem::path& file, std::string_view bytes);

// Output and exit code of a shell command (stdout only; stderr goes to `errOut` when given).
struct CommandResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};
CommandResult runCommand(const std::string& command);

// Quotes one argument for /bin/sh.
std::string shellQuote(std::string_view arg);

} // namespace arkona::test

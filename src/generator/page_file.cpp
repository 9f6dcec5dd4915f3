#include "generator/page_file.h"

#include "base/error.h"
#include "base/paths.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>
#include <unistd.h>

namespace arkona::generator {

namespace {

[[noreturn]] void fail(const std::filesystem::path& file, int error) {
    throw Error("Soubor " + paths::forDisplay(file) +
                " nelze zapsat: " + std::error_code(error, std::generic_category()).message());
}

} // namespace

void writePageFile(const std::filesystem::path& file, std::string_view bytes) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto status = fs::status(file, ec);
    if (fs::is_directory(status)) {
        fail(file, EISDIR);
    }
    const auto writeBits =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (fs::is_regular_file(status) && (status.permissions() & writeBits) == fs::perms::none) {
        fail(file, EACCES);
    }
    const fs::path temp = file.parent_path() / ("~" + file.filename().string() + "." +
                                                std::to_string(::getpid()) + ".tmp");
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        fail(file, errno);
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    int error = written ? 0 : errno;
    if (std::fclose(f) != 0 && written) {
        error = errno;
    }
    if (!written || error != 0) {
        fs::remove(temp, ec);
        fail(file, error ? error : EIO);
    }
    fs::rename(temp, file, ec);
    if (ec) {
        const int renameError = ec.value() ? ec.value() : EIO;
        fs::remove(temp, ec);
        fail(file, renameError);
    }
}

} // namespace arkona::generator

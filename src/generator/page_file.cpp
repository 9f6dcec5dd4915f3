#include "generator/page_file.h"

#include "base/error.h"
#include "base/paths.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <system_error>
#include <unistd.h>

namespace arkona::generator {

namespace {

[[noreturn]] void fail(const std::filesystem::path& file, int error) {
    throw Error("Soubor " + paths::forDisplay(file) +
                " nelze zapsat: " + std::error_code(error, std::generic_category()).message());
}

// Writes everything or returns the error.
int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

} // namespace

void writePageFile(const std::filesystem::path& file, std::string_view bytes, bool mayExist) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (mayExist) {
        const auto status = fs::status(file, ec);
        if (fs::is_directory(status)) {
            fail(file, EISDIR);
        }
        const auto writeBits =
            fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        if (fs::is_regular_file(status) && (status.permissions() & writeBits) == fs::perms::none) {
            fail(file, EACCES);
        }
    }
    // The process's own name for the file being written: two programs writing the same site
    // never share one.
    const fs::path temp = file.parent_path() / ("~" + file.filename().string() + "." +
                                                std::to_string(::getpid()) + ".tmp");
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        fail(file, errno);
    }
    int error = writeAll(fd, bytes);
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        fs::remove(temp, ec);
        fail(file, error);
    }
    fs::rename(temp, file, ec);
    if (ec) {
        const int renameError = ec.value() ? ec.value() : EIO;
        fs::remove(temp, ec);
        fail(file, renameError);
    }
}

} // namespace arkona::generator

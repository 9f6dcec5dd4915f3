// Feeds arbitrary bytes to the table and memo readers: they must report damage, never crash.
#include "base/dbf/table.h"
#include "base/error.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::filesystem::path workFolder() {
    static const std::filesystem::path dir = [] {
        auto d =
            std::filesystem::temp_directory_path() / ("arkona-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

void put(const std::filesystem::path& file, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(file.c_str(), "wb");
    if (size > 0) {
        std::fwrite(data, 1, size, f);
    }
    std::fclose(f);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first two bytes choose where the table ends and the memo file begins.
    if (size < 2) {
        return 0;
    }
    const size_t split = std::min<size_t>(size - 2, (static_cast<size_t>(data[0]) << 8 | data[1]));
    const auto table = workFolder() / "t.dbf";
    put(table, data + 2, split);
    put(workFolder() / "t.dbt", data + 2 + split, size - 2 - split);
    try {
        auto t = arkona::dbf::Table::open(table, arkona::dbf::OpenMode::ReadOnly);
        t.scan(
            [&](const arkona::dbf::Record& r) {
                for (size_t c = 0; c < t.fields().size(); ++c) {
                    try {
                        (void)r.display(static_cast<int>(c));
                    } catch (const arkona::Error&) {
                    }
                }
                return true;
            },
            true);
    } catch (const arkona::Error&) {
    }
    return 0;
}

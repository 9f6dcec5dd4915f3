#include "catalogue/catalogue_settings.h"

#include "base/textcase.h"
#include "storage/user_settings.h"

#include <charconv>

namespace arkona::catalogue {

namespace {

constexpr const char* kKey = KatalogSettings::kKey;

std::optional<int> number(storage::UserSettings& settings, const char* name,
                          const char* key = kKey) {
    if (!settings.exists(key, name)) {
        return std::nullopt;
    }
    const std::string value(text::trim(settings.read(key, name)));
    int n = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (ec != std::errc() || end != value.data() + value.size() || value.empty()) {
        return std::nullopt;
    }
    return n;
}

bool flag(storage::UserSettings& settings, const char* name, bool fallback) {
    if (!settings.exists(kKey, name)) {
        return fallback;
    }
    const std::string value(text::trim(settings.read(kKey, name)));
    return value == "1" ? true : value == "0" ? false : fallback;
}

std::optional<int> above(std::optional<int> value, int limit) {
    return value && *value > limit ? value : std::nullopt;
}

} // namespace

KatalogSettings readKatalogSettings(storage::UserSettings& settings) {
    KatalogSettings s;
    if (const auto v = above(number(settings, "tree_split"), 0)) {
        s.treeSplit = *v;
    }
    s.top = number(settings, "Top");
    s.left = number(settings, "Left");
    s.width = above(number(settings, "Width"), 50);
    s.height = above(number(settings, "Height"), 50);
    s.col0 = above(number(settings, "col0"), 9).value_or(s.col0);
    s.col1 = above(number(settings, "col1"), 9).value_or(s.col1);
    s.preview = flag(settings, "Preview", s.preview);
    s.showPic = flag(settings, "ShowPic", s.showPic);
    s.zarazZbozi = flag(settings, "ZarazZbozi", s.zarazZbozi);
    s.autoCalc = flag(settings, "AutoCalc", s.autoCalc);
    s.gridHeight = above(number(settings, "GridHeight"), 0).value_or(s.gridHeight);
    s.memoWidth = above(number(settings, "MemoWidth"), 0).value_or(s.memoWidth);
    s.maximized = settings.exists(kKey, "WindowState") &&
                  text::trim(settings.read(kKey, "WindowState")) == "wsMaximized";
    return s;
}

void writeKatalogSettings(storage::UserSettings& settings, const KatalogSettings& s) {
    const auto write = [&](const char* name, const std::string& value) {
        settings.write(kKey, name, value);
    };
    const auto flagText = [](bool on) { return std::string(on ? "1" : "0"); };
    write("tree_split", std::to_string(s.treeSplit));
    write("Top", std::to_string(s.maximized ? kKatalogMaximizedTop : s.top.value_or(0)));
    write("Left", std::to_string(s.maximized ? kKatalogMaximizedLeft : s.left.value_or(0)));
    write("Width", std::to_string(s.maximized ? kKatalogMaximizedWidth
                                              : s.width.value_or(kKatalogMaximizedWidth)));
    write("Height", std::to_string(s.maximized ? kKatalogMaximizedHeight
                                               : s.height.value_or(kKatalogMaximizedHeight)));
    write("col0", std::to_string(s.col0));
    write("col1", std::to_string(s.col1));
    write("Preview", flagText(s.preview));
    write("ShowPic", flagText(s.showPic));
    write("ZarazZbozi", flagText(s.zarazZbozi));
    write("AutoCalc", flagText(s.autoCalc));
    write("GridHeight", std::to_string(s.gridHeight));
    write("MemoWidth", std::to_string(s.memoWidth));
    write("WindowState", s.maximized ? "wsMaximized" : "wsNormal");
}

PagesWindowPlace readPagesWindowPlace(storage::UserSettings& settings) {
    constexpr const char* key = PagesWindowPlace::kKey;
    PagesWindowPlace place;
    place.top = number(settings, "Top", key);
    place.left = number(settings, "Left", key);
    place.width = above(number(settings, "Width", key), 50);
    place.height = above(number(settings, "Height", key), 50);
    return place;
}

void writePagesWindowPlace(storage::UserSettings& settings, const PagesWindowPlace& place) {
    constexpr const char* key = PagesWindowPlace::kKey;
    settings.write(key, "Top", std::to_string(place.top.value_or(0)));
    settings.write(key, "Left", std::to_string(place.left.value_or(0)));
    settings.write(key, "Width", std::to_string(place.width.value_or(0)));
    settings.write(key, "Height", std::to_string(place.height.value_or(0)));
}

} // namespace arkona::catalogue

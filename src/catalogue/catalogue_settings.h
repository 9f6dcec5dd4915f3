#pragma once

#include <optional>
#include <string>

namespace arkona::storage {
class UserSettings;
}

namespace arkona::catalogue {

// The catalogue window's settings in the user settings store, key "Software\Tarn\Arkona\Katalog".
struct KatalogSettings {
    static constexpr const char* kKey = "Software\\Tarn\\Arkona\\Katalog";

    int treeSplit = 217;       // "tree_split": width of the group tree
    std::optional<int> top;    // "Top"
    std::optional<int> left;   // "Left"
    std::optional<int> width;  // "Width", taken only above 50
    std::optional<int> height; // "Height", taken only above 50
    int col0 = 100;            // "col0": code column, taken above 9
    int col1 = 260;            // "col1": name column, taken above 9
    bool preview = true;       // "Preview": "Zobrazit náhled"
    bool showPic = true;       // "ShowPic": "Zobrazit obrázek"
    bool zarazZbozi = false;   // "ZarazZbozi": the pages window
    bool autoCalc = true;      // "AutoCalc": "Aktualizovat ceny"
    int gridHeight = 300;      // "GridHeight": height of the item list above the preview
    int memoWidth = 260;       // "MemoWidth": width of the description in the preview
    bool maximized = false;    // "WindowState": "wsMaximized" or "wsNormal"
};

// What a maximized window stores as its normal place and size.
inline constexpr int kKatalogMaximizedTop = 3;
inline constexpr int kKatalogMaximizedLeft = 8;
inline constexpr int kKatalogMaximizedWidth = 785;
inline constexpr int kKatalogMaximizedHeight = 570;

// Values missing from the store, or not whole numbers, keep their defaults.
KatalogSettings readKatalogSettings(storage::UserSettings& settings);
void writeKatalogSettings(storage::UserSettings& settings, const KatalogSettings& values);

// Where the pages window of the catalogue stood, key "Software\Tarn\Arkona\Katalog\ZarazZbozi".
struct PagesWindowPlace {
    static constexpr const char* kKey = "Software\\Tarn\\Arkona\\Katalog\\ZarazZbozi";

    std::optional<int> top;    // "Top"
    std::optional<int> left;   // "Left"
    std::optional<int> width;  // "Width", taken only above 50
    std::optional<int> height; // "Height", taken only above 50
};
PagesWindowPlace readPagesWindowPlace(storage::UserSettings& settings);
// Writes all four values (a missing one as 0).
void writePagesWindowPlace(storage::UserSettings& settings, const PagesWindowPlace& place);

} // namespace arkona::catalogue

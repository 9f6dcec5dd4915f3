#include "app/window_layout.h"

#include <charconv>

namespace arkona::app {

namespace {

using storage::UserSettings;

std::optional<int> readNumber(UserSettings& settings, const char* key, const char* name) {
    if (!settings.exists(key, name)) {
        return std::nullopt;
    }
    return parseLayoutNumber(settings.read(key, name));
}

std::optional<std::string> readText(UserSettings& settings, const char* key, const char* name) {
    if (!settings.exists(key, name)) {
        return std::nullopt;
    }
    return settings.read(key, name);
}

const char* flag(bool on) {
    return on ? "1" : "0";
}

} // namespace

std::optional<int> parseLayoutNumber(const std::string& text) {
    int value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') {
        ++first;
    }
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || first == last) {
        return std::nullopt;
    }
    return value;
}

WindowLayout readWindowLayout(UserSettings& settings) {
    const char* root = UserSettings::kRoot;
    WindowLayout layout;
    layout.maximized = readText(settings, root, "WindowState").value_or("") == "wsMaximized";
    layout.top = readNumber(settings, root, "Top");
    layout.left = readNumber(settings, root, "Left");
    if (auto w = readNumber(settings, root, "Width"); w && *w > 50) {
        layout.width = w;
    }
    if (auto h = readNumber(settings, root, "Height"); h && *h > 50) {
        layout.height = h;
    }
    if (auto s = readNumber(settings, root, "MainTree_split"); s && *s > 0) {
        layout.mainTreeSplit = *s;
    }
    if (auto s = readNumber(settings, root, "Nahled_split"); s && *s > 0) {
        layout.nahledSplit = *s;
    }
    layout.produktCeny = readText(settings, root, "ProduktCeny").value_or("1") != "0";
    layout.showColor = readText(settings, root, "ShowColor").value_or("") == "1";
    layout.previewOnTop = readText(settings, root, "PreviewOnTop").value_or("") == "1";
    layout.extEdDefault =
        readText(settings, UserSettings::kEditor, "ExtEdDefault").value_or("") == "1";
    return layout;
}

void writeWindowLayout(UserSettings& settings, const WindowLayout& layout) {
    const char* root = UserSettings::kRoot;
    settings.write(root, "WindowState", layout.maximized ? "wsMaximized" : "wsNormal");
    const int top = layout.maximized ? kMaximizedTop : layout.top.value_or(kMaximizedTop);
    const int left = layout.maximized ? kMaximizedLeft : layout.left.value_or(kMaximizedLeft);
    const int width = layout.maximized ? kMaximizedWidth : layout.width.value_or(kMaximizedWidth);
    const int height =
        layout.maximized ? kMaximizedHeight : layout.height.value_or(kMaximizedHeight);
    settings.write(root, "Top", std::to_string(top));
    settings.write(root, "Left", std::to_string(left));
    settings.write(root, "Width", std::to_string(width));
    settings.write(root, "Height", std::to_string(height));
    if (layout.mainTreeSplit > 0) {
        settings.write(root, "MainTree_split", std::to_string(layout.mainTreeSplit));
    }
    if (layout.nahledSplit > 0) {
        settings.write(root, "Nahled_split", std::to_string(layout.nahledSplit));
    }
    settings.write(root, "ProduktCeny", flag(layout.produktCeny));
    settings.write(root, "ShowColor", flag(layout.showColor));
    settings.write(root, "PreviewOnTop", flag(layout.previewOnTop));
    settings.write(UserSettings::kEditor, "ExtEdDefault", flag(layout.extEdDefault));
}

} // namespace arkona::app

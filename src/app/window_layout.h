#pragma once

#include "storage/user_settings.h"

#include <optional>

namespace arkona::app {

// The main window's layout as kept in the user settings store. A value the store does not
// hold, or holds as something other than a number, stays unset and the window keeps its own.
struct WindowLayout {
    bool maximized = false;
    std::optional<int> top;
    std::optional<int> left;
    std::optional<int> width;  // only values greater than 50 are taken
    std::optional<int> height; // likewise
    int mainTreeSplit = 278;
    int nahledSplit = 82;
    bool produktCeny = true;
    bool showColor = false;
    bool previewOnTop = false;
    bool extEdDefault = false;
};

// The size a maximised window stores, so that leaving the maximised state later gives a sane
// normal window.
inline constexpr int kMaximizedTop = 3;
inline constexpr int kMaximizedLeft = 12;
inline constexpr int kMaximizedWidth = 782;
inline constexpr int kMaximizedHeight = 568;

WindowLayout readWindowLayout(storage::UserSettings& settings);

// `layout` holds the window's real values; for a maximised window the fixed normal size above
// is written instead. Splitter widths of 0 (a collapsed pane) are not written.
void writeWindowLayout(storage::UserSettings& settings, const WindowLayout& layout);

// A decimal whole number, optionally signed, with nothing else around it.
std::optional<int> parseLayoutNumber(const std::string& text);

} // namespace arkona::app

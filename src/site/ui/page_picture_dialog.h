#pragma once

#include <filesystem>

class QWidget;

namespace arkona::site::ui {

// "Výběr obrázku": a picture file for a page; empty on Storno. Starts in the folder of the
// picture chosen last, else in `startFolder`.
std::filesystem::path choosePictureFile(QWidget* parent, const std::filesystem::path& startFolder);

} // namespace arkona::site::ui

#pragma once

#include "base/locale.h"
#include "generator/generation_options.h"

#include <filesystem>
#include <functional>
#include <string>

namespace arkona::generator {

// The moment a page is generated, for its date line.
struct Moment {
    Date date;
    TimeOfDay time;
};
using Clock = std::function<Moment()>;
Moment systemMoment();

// The address the powered-by logo of every page links to.
inline constexpr const char* kProductAddress = "http://www.arkonapro.cz/";

// What the generator knows of the project and of the run, set before the first page.
struct GeneratorSettings {
    std::filesystem::path projectFolder;
    std::filesystem::path siteFolder; // the project folder's WWW
    std::string projectName;          // [Projekt] Name, Autor, Spolecnost
    std::string author;
    std::string company;
    GenerationOptions options;
    Clock clock = systemMoment;

    // Preview mode: one page into tempFile.htm in its folder, or with the main-frame pass the
    // frame-set page into tmpHlavni.htm in the site folder.
    bool preview = false;
    bool mainFramePass = false;
    // The previewed page's folder as the frame set's work frame names it ("a/b/" or empty).
    std::string previewFolder;
};

inline constexpr const char* kPreviewPageFile = "tempFile.htm";
inline constexpr const char* kPreviewMainFile = "tmpHlavni.htm";

} // namespace arkona::generator

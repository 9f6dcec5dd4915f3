#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace arkona::storage {

inline constexpr const char* kApplicationTitle = "ArkonaPro";
inline constexpr const char* kProjectIniName = "ArkonaTree.ini";

// What every part of the program reads about the open project; only this file's functions
// read ArkonaTree.ini for these values.
struct ProjectContext {
    std::filesystem::path projectFolder;
    std::filesystem::path siteFolder; // project folder + "\WWW"
    std::string projectName;
    std::string author;
    std::string company;
    int reducedVat = 5;
    int baseVat = 22;
    std::string reducedVatCaption = "5 %";
    std::string baseVatCaption = "22 %";
    std::string currency; // kept from the previous project when the file names none
    std::string lastTemplate = "default";
    bool projectOpen = false;

    std::filesystem::path iniPath() const;
    // Sets the project folder and recomputes the site folder.
    void setProjectFolder(const std::filesystem::path& folder);
};

// A folder is a project folder exactly when it holds ArkonaTree.ini (any letter case).
bool isProjectFolder(const std::filesystem::path& folder);

// Fills the context from the ArkonaTree.ini of its project folder.
void readArkonaTree(ProjectContext& context);

// Adds each of the 65 standard keys missing from the file at `iniPath` with an empty value.
void completeProjectIni(const std::filesystem::path& iniPath);

// The standard (section, key) pairs in the order completeProjectIni writes them.
struct IniKey {
    const char* section;
    const char* key;
};
const std::vector<IniKey>& standardProjectKeys();

// Increments [Projekt] Otevreno and returns the new count.
int countProjectOpen(const ProjectContext& context);

// True when the program last left the project in order; resets the flag.
bool takeClosedFlag(const ProjectContext& context);

// Records the end of work: `saveTreeState` first (the page tree's expansion), then Editace and
// ZavrenoOK. Does nothing when no project is open or its settings file is gone.
void markProjectClosed(const ProjectContext& context, const std::function<void()>& saveTreeState);

} // namespace arkona::storage

#pragma once

#include <optional>
#include <string>

namespace arkona::app {

// The external HTML editor of text sections: its program file and the parameter put before
// the page's file name.
struct ExternalEditor {
    std::string program;
    std::string parameter;
    bool isSet() const { return !program.empty(); }
};

// The warning the environment settings show for the two fields, or nothing when both are
// acceptable (an empty field is acceptable).
std::optional<std::string> environmentProblem(const std::string& editorProgram,
                                              const std::string& samplesFolder);

} // namespace arkona::app

#pragma once

#include <string>
#include <vector>

namespace arkona {
class ProfileFile;
}

namespace arkona::templates {

// One key of a settings file as a writer puts it down, in the writer's order.
struct ProfileEntry {
    std::string section;
    std::string key;
    std::string value;
    bool quoted = false; // always in single quotes; otherwise bare (quoted only where needed)
};
using ProfileEntries = std::vector<ProfileEntry>;

// Writes every entry into the profile in order; other keys of the profile stay as they are.
// Throws arkona::Error when a value cannot be held (line break, character outside
// Windows-1250) before the file is saved, so nothing is half written.
void writeEntries(ProfileFile& profile, const ProfileEntries& entries);

// The entries as the text of a settings file (UTF-8, LF line ends), spelled as the writer
// spells them, for showing a template to a person.
std::string formatEntries(const ProfileEntries& entries);

} // namespace arkona::templates

#include "templates/profile_entries.h"

#include "base/profile.h"

namespace arkona::templates {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool looksQuoted(const std::string& v) {
    return v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
}

// How a bare value is spelled so that it reads back the same (as the profile writer does).
std::string spelled(const ProfileEntry& e) {
    if (e.quoted) {
        return "'" + e.value + "'";
    }
    const std::string& v = e.value;
    if (!v.empty() && (isBlank(v.front()) || isBlank(v.back()) || looksQuoted(v))) {
        return "\"" + v + "\"";
    }
    return v;
}

} // namespace

void writeEntries(ProfileFile& profile, const ProfileEntries& entries) {
    for (const ProfileEntry& e : entries) {
        if (e.quoted) {
            profile.writeQuoted(e.section, e.key, e.value);
        } else {
            profile.writeString(e.section, e.key, e.value);
        }
    }
}

std::string formatEntries(const ProfileEntries& entries) {
    std::string out;
    const std::string* section = nullptr;
    for (const ProfileEntry& e : entries) {
        if (!section || *section != e.section) {
            out += "[" + e.section + "]\n";
            section = &e.section;
        }
        out += e.key + "=" + spelled(e) + "\n";
    }
    return out;
}

} // namespace arkona::templates

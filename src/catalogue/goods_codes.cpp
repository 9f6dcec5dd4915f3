#include "catalogue/goods_codes.h"

#include "catalogue/code_set.h"

namespace arkona::catalogue {

bool sameCode(std::string_view a, std::string_view b) {
    return CodeSet::key(a) == CodeSet::key(b);
}

std::string typedCode(std::string_view code) {
    return CodeSet::key(code);
}

std::optional<std::string> setCodeProblem(std::string_view, std::string_view) {
    return std::nullopt;
}

NewCodeCheck checkNewCode(const storage::ProjectContext&, const SectionKey&, int,
                          std::string_view) {
    return {};
}

NewCodeOutcome enterNewCode(const storage::ProjectContext&, const SectionKey&, int,
                            std::string_view, Prompter&) {
    return {};
}

} // namespace arkona::catalogue

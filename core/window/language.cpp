#include "core/window/language.h"

namespace {
constexpr std::string_view option = "--lang=";
} // namespace

LanguageChoice chooseLanguage(std::span<const std::string_view> arguments,
                              std::string_view otherwise)
{
    std::string_view asked = otherwise;
    for (const std::string_view argument : arguments)
        if (argument.starts_with(option))
            asked = argument.substr(option.size());
    if (asked.empty())
        return {};
    if (const auto found = texts::languageNamed(asked))
        return {*found, {}};
    return {Language::Czech,
            texts::fill(Text::UnknownLanguage, Language::Czech, {asked, texts::codes()})};
}

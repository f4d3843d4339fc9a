#include "core/window/language.h"

namespace {
constexpr std::size_t quotedLength = 24; // code points
} // namespace

LanguageChoice chooseLanguage(std::string_view asked)
{
    if (asked.empty())
        return {};
    if (const auto found = texts::languageNamed(asked))
        return {*found, {}};
    return {Language::Czech,
            texts::fill(Text::UnknownLanguage, Language::Czech, {quoted(asked), texts::codes()})};
}

std::string quoted(std::string_view value)
{
    std::size_t points = 0;
    for (std::size_t at = 0; at < value.size(); ++at) {
        // A code point starts at every byte but a UTF-8 continuation byte.
        if ((static_cast<unsigned char>(value[at]) & 0xC0) != 0x80 && points++ == quotedLength)
            return std::string(value.substr(0, at)) + "…";
    }
    return std::string(value);
}

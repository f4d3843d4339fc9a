#include "core/window/commandline.h"

#include "core/version.h"
#include "core/window/language.h"

#include <optional>

namespace {

bool same(std::string_view a, std::string_view b, Convention convention)
{
    return convention == Convention::Posix ? a == b : texts::sameLetters(a, b);
}

struct Option {
    std::string_view name; // without its dashes or slash
    std::optional<std::string_view> value;
};

// An argument as an option: --name, or on Windows -name and /name too; a value after = (or :
// on Windows). Null for a plain word. A lone - or / is a plain word, as a file name may be.
std::optional<Option> optionOf(std::string_view argument, Convention convention)
{
    std::size_t dashes = 0;
    if (argument.starts_with("--"))
        dashes = 2;
    else if (argument.starts_with('-') ||
             (convention == Convention::Windows && argument.starts_with('/')))
        dashes = 1;
    if (dashes == 0 || argument.size() == dashes)
        return std::nullopt;
    std::string_view name = argument.substr(dashes);
    const std::size_t mark = name.find_first_of(convention == Convention::Windows ? "=:" : "=");
    Option option{name.substr(0, mark), std::nullopt};
    if (mark != std::string_view::npos)
        option.value = name.substr(mark + 1);
    // On Linux a single dash is for a letter: -lang is no --lang.
    if (convention == Convention::Posix && dashes == 1 && option.name.size() != 1)
        option.name = argument;
    return option;
}

bool isHelp(std::string_view name, Convention convention)
{
    return same(name, "help", convention) || same(name, "h", convention) || name == "?";
}

} // namespace

CommandLine readCommandLine(std::span<const std::string_view> arguments,
                            std::string_view environment, Convention convention)
{
    CommandLine line;
    std::optional<std::string_view> asked;
    // What to complain of, once the window's language is known.
    std::vector<std::pair<Text, std::string_view>> faults;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const auto option = optionOf(argument, convention);
        if (option && isHelp(option->name, convention) && !option->value) {
            line.help = true;
        } else if (option && same(option->name, "version", convention) && !option->value) {
            line.version = true;
        } else if (option && same(option->name, "lang", convention)) {
            std::optional<std::string_view> value = option->value;
            // --lang xx: the next argument, unless it is an option itself.
            if (!value && i + 1 < arguments.size() && !optionOf(arguments[i + 1], convention))
                value = arguments[++i];
            if (value && !value->empty())
                asked = *value;
            else
                faults.emplace_back(Text::MissingLanguage, argument);
        } else {
            faults.emplace_back(Text::UnknownOption, argument);
        }
    }
    const LanguageChoice choice = chooseLanguage(asked.value_or(environment));
    line.language = choice.language;
    for (const auto &[id, argument] : faults)
        line.complaints.push_back(
            texts::fill(id, line.language, {quoted(argument), texts::codes()}));
    if (!choice.complaint.empty())
        line.complaints.push_back(choice.complaint);
    return line;
}

std::string helpText(Language language, Convention convention)
{
    return texts::fill(Text::HelpText, language,
                       {convention == Convention::Windows ? "halmira.exe" : "halmira",
                        texts::codes(), programVersion()});
}

std::string versionText()
{
    return "Halmira " + std::string(programVersion());
}

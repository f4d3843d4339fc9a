// Writes packaging files from templates with the engine's words, and the translators' template.
//
//     packagewords [--language xx] TEMPLATE OUTPUT [NAME=VALUE ...]
//     packagewords --pot OUTPUT
//
// In a template:
// - @Id@ becomes the Czech words of that id in the table, and @NAME@ a value given as NAME=VALUE;
// - outside @each@ blocks, @lang@ is the code of the language given with --language (Czech
//   unless given) and @Id:lang@ its words, or the Czech ones where it lacks them;
// - @backColor@ is the window's background colour as #rrggbb;
// - the lines between @each@ and @end@ are written once for every language but Czech: in them
//   @lang@ is the language's code and @Id:lang@ its words, and a line whose words the language
//   lacks is left out, so that the Czech ones stand for them;
// - @Id:xx@ becomes the words of that id in language xx;
// - @codes@ is the codes of every language but Czech, each followed by ';'.
// Words written into an XML file have its special characters escaped, and into a JSON file
// (.json, .webmanifest) its quotes, backslashes and control characters.
//
// The translators' template lists every id with its Czech words: the entry's context is the id.
#include "core/window/layout.h"
#include "core/window/texts.h"
#include "core/xmltext.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Values = std::map<std::string, std::string, std::less<>>;

std::optional<Text> textNamed(std::string_view name)
{
    for (const Text id : texts::all())
        if (texts::name(id) == name)
            return id;
    return std::nullopt;
}

std::string escapedForJson(std::string_view words)
{
    std::string escaped;
    for (const char c : words) {
        if (c == '"' || c == '\\') {
            escaped += '\\';
            escaped += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", c);
            escaped += code;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

// #rrggbb, from &H00BBGGRR.
std::string cssColour(Colour colour)
{
    char css[8];
    std::snprintf(css, sizeof css, "#%02x%02x%02x", colour & 0xff, (colour >> 8) & 0xff,
                  (colour >> 16) & 0xff);
    return css;
}

enum class Format { Plain, Xml, Json };

Format formatOf(std::string_view output)
{
    if (output.ends_with(".xml"))
        return Format::Xml;
    if (output.ends_with(".json") || output.ends_with(".webmanifest"))
        return Format::Json;
    return Format::Plain;
}

struct Filler {
    const Values &values;
    Format format;
    // The language of the lines outside @each@ blocks.
    Language base = Language::Czech;

    // The words a placeholder stands for in a language; nothing where it names nothing known, or
    // where the language lacks its words.
    std::optional<std::string> words(std::string_view name, Language language, bool inBlock) const
    {
        if (const auto given = values.find(name); given != values.end())
            return given->second;
        if (name == "lang")
            return std::string(texts::code(language));
        if (name == "backColor")
            return cssColour(layout::backColor);
        if (name == "codes") {
            std::string codes;
            for (const Language other : texts::languages())
                if (other != Language::Czech)
                    codes += std::string(texts::code(other)) + ';';
            return codes;
        }
        // @Id:lang@ in the language of the @each@ line, @Id:xx@ in language xx.
        const std::size_t colon = name.find(':');
        const auto id = textNamed(name.substr(0, colon));
        const std::string_view asked =
            colon == std::string_view::npos ? std::string_view() : name.substr(colon + 1);
        const auto named =
            asked.empty() || asked == "lang" ? std::nullopt : texts::languageNamed(asked);
        if (!id || (!asked.empty() && asked != "lang" && !named))
            throw std::runtime_error("no words for @" + std::string(name) + "@");
        const Language in = asked == "lang" ? language : named.value_or(Language::Czech);
        // A line of a block is left out where its language lacks the words; any other line
        // takes the Czech ones.
        if (in != Language::Czech && inBlock && !texts::translated(*id, in))
            return std::nullopt;
        const std::string_view found = texts::words(*id, in);
        switch (format) {
        case Format::Xml:
            return escapedForXml(found);
        case Format::Json:
            return escapedForJson(found);
        default:
            return std::string(found);
        }
    }

    // The line with its placeholders filled in, or nothing where a language lacks its words.
    std::optional<std::string> fill(std::string line, Language language, bool inBlock) const
    {
        for (std::size_t at = line.find('@'); at != std::string::npos; at = line.find('@', at)) {
            const std::size_t end = line.find('@', at + 1);
            if (end == std::string::npos)
                break;
            const auto found =
                words(std::string_view(line).substr(at + 1, end - at - 1), language, inBlock);
            if (!found)
                return std::nullopt;
            line.replace(at, end - at + 1, *found);
            at += found->size();
        }
        return line;
    }
};

std::string pot()
{
    std::ostringstream out;
    out << "# The words of Halmira's window, for translators: each entry's context is what the "
           "words are for,\n# and its msgid the Czech words. %1 and %2 stand for words the "
           "program puts in.\nmsgid \"\"\nmsgstr \"\"\n\"Project-Id-Version: Halmira\\n\"\n"
           "\"MIME-Version: 1.0\\n\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
           "\"Content-Transfer-Encoding: 8bit\\n\"\n";
    const auto quoted = [](std::string_view text) {
        std::string q = "\"";
        for (const char c : text) {
            if (c == '"' || c == '\\')
                q += '\\';
            if (c == '\n') {
                q += "\\n";
                continue;
            }
            q += c;
        }
        return q + '"';
    };
    for (const Text id : texts::all()) {
        const std::string_view czech = texts::words(id, Language::Czech);
        out << '\n';
        if (czech.find("%1") != std::string_view::npos)
            out << "#, qt-format\n";
        out << "msgctxt " << quoted(texts::name(id)) << "\nmsgid " << quoted(czech)
            << "\nmsgstr \"\"\n";
    }
    return out.str();
}

std::string filled(std::istream &in, const Filler &filler)
{
    std::ostringstream out;
    std::vector<std::string> block;
    bool inBlock = false;
    for (std::string line; std::getline(in, line);) {
        if (line == "@each@") {
            inBlock = true;
            block.clear();
        } else if (line == "@end@") {
            inBlock = false;
            for (const Language language : texts::languages())
                if (language != Language::Czech)
                    for (const std::string &template_ : block)
                        if (const auto done = filler.fill(template_, language, true))
                            out << *done << '\n';
        } else if (inBlock) {
            block.push_back(line);
        } else {
            out << *filler.fill(line, filler.base, false) << '\n';
        }
    }
    return out.str();
}

} // namespace

int main(int argc, char *argv[])
{
    std::vector<std::string_view> args(argv + 1, argv + argc);
    std::optional<Language> base = Language::Czech;
    if (args.size() > 1 && args[0] == "--language") {
        base = texts::languageNamed(args[1]);
        if (!base) {
            std::cerr << args[1] << ": no such language\n";
            return 2;
        }
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() == 2 && args[0] == "--pot") {
        std::ofstream(std::string(args[1])) << pot();
        return 0;
    }
    if (args.size() < 2) {
        std::cerr << "usage: packagewords [--language xx] TEMPLATE OUTPUT [NAME=VALUE ...]\n"
                     "       packagewords --pot OUTPUT\n";
        return 2;
    }
    Values values;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const auto equals = args[i].find('=');
        if (equals == std::string_view::npos) {
            std::cerr << args[i] << ": not NAME=VALUE\n";
            return 2;
        }
        values.emplace(args[i].substr(0, equals), args[i].substr(equals + 1));
    }
    std::ifstream in{std::string(args[0])};
    if (!in) {
        std::cerr << args[0] << ": cannot read\n";
        return 1;
    }
    const std::string output(args[1]);
    try {
        const std::string text = filled(in, Filler{values, formatOf(output), *base});
        std::ofstream(output) << text;
    } catch (const std::runtime_error &error) {
        std::cerr << args[0] << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}

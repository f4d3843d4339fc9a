// Writes a packaging file from its template with the engine's words: each @Id@ becomes the
// words of that id in the table, and each @NAME@ given as NAME=VALUE its value.
//
//     packagewords TEMPLATE OUTPUT [NAME=VALUE ...]
#include "core/window/texts.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>

namespace {

std::optional<Text> textNamed(std::string_view name)
{
    for (const Text id : texts::all())
        if (texts::name(id) == name)
            return id;
    return std::nullopt;
}

using Values = std::map<std::string, std::string, std::less<>>;

// The line with every @Id@ replaced; a name that is neither given nor in the table is an error.
bool fillLine(std::string &line, const Values &values)
{
    for (std::size_t at = line.find('@'); at != std::string::npos; at = line.find('@', at)) {
        const std::size_t end = line.find('@', at + 1);
        if (end == std::string::npos)
            return true;
        const std::string_view name = std::string_view(line).substr(at + 1, end - at - 1);
        const auto given = values.find(name);
        const auto id = textNamed(name);
        if (given == values.end() && !id) {
            std::cerr << "no words for " << line.substr(at, end - at + 1) << '\n';
            return false;
        }
        const std::string words(given != values.end() ? std::string_view(given->second)
                                                      : texts::words(*id, Language::Czech));
        line.replace(at, end - at + 1, words);
        at += words.size();
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::cerr << "usage: packagewords TEMPLATE OUTPUT [NAME=VALUE ...]\n";
        return 2;
    }
    Values values;
    for (int i = 3; i < argc; ++i) {
        const std::string_view given = argv[i];
        const auto equals = given.find('=');
        if (equals == std::string_view::npos) {
            std::cerr << given << ": not NAME=VALUE\n";
            return 2;
        }
        values.emplace(given.substr(0, equals), given.substr(equals + 1));
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << argv[1] << ": cannot read\n";
        return 1;
    }
    std::ostringstream out;
    for (std::string line; std::getline(in, line);) {
        if (!fillLine(line, values))
            return 1;
        out << line << '\n';
    }
    std::ofstream(argv[2]) << out.str();
    return 0;
}

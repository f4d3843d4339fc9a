// Writes a packaging file from its template with the engine's words: each @Id@ becomes the
// words of that id in the table.
//
//     packagewords TEMPLATE OUTPUT
#include "core/window/texts.h"

#include <cstdio>
#include <fstream>
#include <iostream>
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

// The line with every @Id@ replaced; an id the table lacks is an error.
bool fillLine(std::string &line)
{
    for (std::size_t at = line.find('@'); at != std::string::npos; at = line.find('@', at)) {
        const std::size_t end = line.find('@', at + 1);
        if (end == std::string::npos)
            return true;
        const auto id = textNamed(std::string_view(line).substr(at + 1, end - at - 1));
        if (!id) {
            std::cerr << "no words for " << line.substr(at, end - at + 1) << '\n';
            return false;
        }
        const std::string_view words = texts::words(*id, Language::Czech);
        line.replace(at, end - at + 1, words);
        at += words.size();
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::cerr << "usage: packagewords TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << argv[1] << ": cannot read\n";
        return 1;
    }
    std::ostringstream out;
    for (std::string line; std::getline(in, line);) {
        if (!fillLine(line))
            return 1;
        out << line << '\n';
    }
    std::ofstream(argv[2]) << out.str();
    return 0;
}

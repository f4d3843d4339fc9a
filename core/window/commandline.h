#pragma once

#include "core/window/texts.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// What a user asks of the program as it starts: its language, or a word on its options. Each
// platform's own forms are taken: on Linux --lang=xx, --lang xx and --help as Qt's programs
// take them, case and all; on Windows the same without regard to case, and /lang xx, /lang:xx
// and /? too. The last language asked for counts; without one, the launcher's variable; Czech
// otherwise.
enum class Convention { Posix, Windows };

struct CommandLine {
    Language language = Language::Czech;
    bool help = false;
    bool version = false;
    // What was not understood, a sentence each, in the window's language: an unknown option, a
    // language there is none of, --lang with no language. The program runs all the same.
    std::vector<std::string> complaints;
};

// The arguments after the program's own name.
CommandLine readCommandLine(std::span<const std::string_view> arguments,
                            std::string_view environment, Convention convention);

// The options, in the language, for --help.
std::string helpText(Language language, Convention convention);

// The program's name and version, for --version: the same in every language.
std::string versionText();

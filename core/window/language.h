#pragma once

#include "core/window/texts.h"

#include <string>
#include <string_view>

// The language the window speaks, as the user asks for it by its code (on the command line, by
// a launcher or in an address); Czech otherwise. The program stores no settings, so a choice
// lasts while it runs.
struct LanguageChoice {
    Language language = Language::Czech;
    // Where a language was asked for that there is none of: the sentence that says which there
    // are, in Czech, which the window then speaks.
    std::string complaint;
};

// A value as a complaint may quote it: at most a few words, cut where it runs on, so that a box
// that shows it stays on the screen.
std::string quoted(std::string_view value);

// The language a code names; Czech for none.
LanguageChoice chooseLanguage(std::string_view asked);

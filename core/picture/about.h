#pragma once

#include "core/form.h"
#include "core/window/texts.h"

#include <string>
#include <string_view>

// What the teacher's picture says of itself, whatever its format.
namespace picture {

// The run it shows: the window's language, and the pace text it was made at.
struct About {
    Language language = Language::Czech;
    std::string pace;
};

// In the language's words: the scene's name and description from the word table, and the
// program with its version.
struct Said {
    std::string title;
    std::string description;
    std::string software;
    std::string language; // its code
    std::string pace;
};

Said said(const About &about);

// The run a window shows: its language, and the pace its scroll bar is set to.
About aboutOf(const Form &form, Language language);

// The name a saved picture is offered under, without its format's ending: the program's, then
// the language's code, so that a teacher's pictures in two languages keep apart.
std::string fileBaseName(Language language);

} // namespace picture

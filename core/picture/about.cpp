#include "core/picture/about.h"

#include "core/version.h"

namespace picture {

Said said(const About &about)
{
    return {std::string(texts::words(Text::SceneName, about.language)),
            std::string(texts::words(Text::SceneDescription, about.language)),
            std::string(texts::words(Text::ProgramName, about.language)) + " " +
                std::string(programVersion()),
            std::string(texts::code(about.language)), std::string(about.pace)};
}

} // namespace picture

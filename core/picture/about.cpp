#include "core/picture/about.h"

#include "core/version.h"

namespace picture {

Said said(const About &about)
{
    return {std::string(texts::words(Text::SceneName, about.language)),
            std::string(texts::words(Text::SceneDescription, about.language)),
            std::string(texts::words(Text::ProgramName, about.language)) + " " +
                std::string(programVersion()),
            std::string(texts::code(about.language)), about.pace};
}

About aboutOf(const Form &form, Language language)
{
    return {language, std::to_string(form.value("HScroll1"))};
}

std::string fileBaseName(Language language)
{
    return "halmira-" + std::string(texts::code(language));
}

} // namespace picture

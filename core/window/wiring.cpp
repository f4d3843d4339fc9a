#include "core/window/wiring.h"

#include "core/animation/startclick.h"
#include "core/window/handlers.h"

void runHandler(Handler handler, Form &form, RunListener &listener, Language language)
{
    switch (handler) {
    case Handler::Load:
        formLoad(form);
        break;
    case Handler::Start: {
        // The handler's first drawing, the wipe, paints over the scene and the windowless
        // controls.
        listener.sceneCovers();
        listener.announce(texts::words(Text::RunStarted, language));
        comStartClick(form);
        const std::string_view description = texts::words(Text::SceneDescription, language);
        listener.describeScene(description);
        listener.announce(texts::fill(Text::RunFinished, language, {description}));
        break;
    }
    case Handler::Change:
        hScroll1Change(form);
        break;
    case Handler::Konec:
        comKonecClick(form);
        break;
    }
}

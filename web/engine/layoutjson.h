#pragma once

#include "core/window/texts.h"

#include <string>
#include <string_view>

// What the page builds and drives the window from, as JSON: the layout table with places in
// pixels and words in the window's language, and every fact and rule the page and the engine
// share, so that none is written again in the page's script: the wiring of controls to
// handlers, the keys, the figure records, the drawing state's defaults and the pen's rules, the
// pace schedule, twips per pixel and the scene's size, and every word the page shows or says.
// A notice, where there is one, is for the page to show: a language asked for that there is
// none of.
std::string layoutJson(Language language, std::string_view notice = {});

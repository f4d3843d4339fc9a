#pragma once

#include <string>

// What the page builds and drives the window from, as JSON: the layout table with places in
// pixels, and every fact the page and the engine share, so that none is written again in the
// page's script: the figure records, the handlers, the drawing state's defaults and the pen's
// rules, twips per pixel and the scene's size.
std::string layoutJson();

#pragma once

// What the window tells a screen reader, in Czech: the drawing's name and, once a run has drawn
// it, what it shows; and that a run has started and has finished. The desktop and the browser
// both say these words.
namespace announcements {

inline constexpr const char *sceneName = "Dráhy světla u černé díry";
inline constexpr const char *sceneDescription =
    "Dráhy devatenácti fotonů, které vyletěly vějířem z okraje černé díry, stoupají, zakřivují "
    "se a padají zpět do ní. Vpravo je graf rychlosti fotonu vyslaného svisle vzhůru v "
    "závislosti na jeho výšce: při stoupání vpravo od osy, při pádu vlevo.";
inline constexpr const char *runStarted = "Animace běží";
inline constexpr const char *runFinished = "Animace skončila.";

} // namespace announcements

#pragma once

#include <array>

// The handlers the page can run, by the number it passes to run_handler.
enum class Handler { Load, Start, Change, Konec };

inline constexpr std::array<const char *, 4> handlerNames{"Load", "Start", "Change", "Konec"};

#pragma once

#include "core/form.h"

// The scene's quantities, in twips with y downward.
namespace scene {

struct Point {
    double x;
    double y;
};

inline constexpr Point emissionPoint{4500, 5500};
inline constexpr double sunRadius = 50;
inline constexpr double horizonRadius = 500;
// The emission point lies on top of the hole's rim.
inline constexpr Point holeCentre{emissionPoint.x, emissionPoint.y + horizonRadius};
inline constexpr double centreDotRadius = 10;
inline constexpr double pullConstant = 3000;
inline constexpr double initialSpeed = 120;
inline constexpr double speedScale = 1;
inline constexpr double pullScale = 1;

inline constexpr double plotLeft = 4500 + emissionPoint.x;
inline constexpr double plotRight = plotLeft + 2600;
inline constexpr double plotAxisX = plotLeft + 1300;
inline constexpr double plotBottom = emissionPoint.y + 500;
inline constexpr double plotTop = emissionPoint.y - 4300;
inline constexpr double plotDotRadius = 5;
inline constexpr double plotTwipsPerSpeed = 10;

inline constexpr int rayCount = 19;
// Ten degrees with π taken as 3.14, so the rays stand 9.995° apart and ray 18 ends just above
// the horizontal.
inline constexpr double rayAngleFactor = 3.14 * 10;
inline constexpr double guideLength = 4200;
inline constexpr int plottedRay = 9; // the one sent straight up
inline constexpr int maxSteps = 3000;

// The wipe paints 10000 lines five pixels wide, one twip apart.
inline constexpr int wipeLines = 10000;
inline constexpr double wipeWidth = 12000;
inline constexpr int wipePenWidth = 5;

inline constexpr Colour background = 0x00FFC0C0;
inline constexpr Colour white = 0x00FFFFFF;
inline constexpr Colour black = 0;

} // namespace scene

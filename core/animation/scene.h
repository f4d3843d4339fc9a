#pragma once

#include "core/twips.h"
#include "core/window/layout.h"

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

// The speed plot stands this far right of the emission point.
inline constexpr double plotOffset = 4500;
inline constexpr double plotLeft = plotOffset + emissionPoint.x;
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

// The scene's extent: the wipe paints it with one line five pixels wide per twip of height.
inline constexpr double width = 12000;
inline constexpr int height = 10000;
inline constexpr int wipePenWidth = 5;

// The canvas that shows the scene, in logical pixels: at least the scene, and at most that with
// the wipe's pen reaching past its edges by half its width.
inline constexpr int pixelWidth = pixelsCovering(width);
inline constexpr int pixelHeight = pixelsCovering(height);
inline constexpr int wipeOverhang = (wipePenWidth + 1) / 2;
inline constexpr int largestPixelWidth = pixelWidth + wipeOverhang;
inline constexpr int largestPixelHeight = pixelHeight + wipeOverhang;

// The wipe paints in the window's own background colour.
inline constexpr Colour background = layout::backColor;
inline constexpr Colour white = 0x00FFFFFF;
inline constexpr Colour black = 0;

} // namespace scene

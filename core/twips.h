#pragma once

// Coordinates are twips, 1/1440 inch: 15 to a logical pixel at 96 dpi.
inline constexpr double twipsPerPixel = 15;

// Twips to logical pixels, rounded to the nearest, halves away from zero.
constexpr int twipsToPixels(double twips)
{
    const double pixels = twips / twipsPerPixel;
    return static_cast<int>(pixels < 0 ? pixels - 0.5 : pixels + 0.5);
}

// The whole logical pixels it takes to cover a length in twips.
constexpr int pixelsCovering(double twips)
{
    const double pixels = twips / twipsPerPixel;
    const int whole = static_cast<int>(pixels);
    return whole < pixels ? whole + 1 : whole;
}

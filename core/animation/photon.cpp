#include "core/animation/photon.h"

#include "core/errors.h"

#include <cmath>

using scene::Point;

namespace {

// The hardware would carry an infinity or a NaN on silently; the runtime stops there instead.
double checked(double value)
{
    if (!std::isfinite(value))
        raiseRuntimeError(ErrorCodes::Overflow);
    return value;
}

double quotient(double dividend, double divisor)
{
    if (divisor == 0)
        raiseRuntimeError(ErrorCodes::DivisionByZero);
    return checked(dividend / divisor);
}

} // namespace

namespace photon {

Point freeStep(Point from, Point direction, double speed)
{
    return {checked(from.x + direction.x * (scene::speedScale * speed)),
            checked(from.y - direction.y * (scene::speedScale * speed))};
}

Point pulled(Point from, Point freeEnd)
{
    using scene::holeCentre;
    // The pull is taken at the old point, and the pull direction is divided by the old
    // distance too, so it is close to, but not exactly, a unit vector.
    const double r2 = checked((holeCentre.y - from.y) * (holeCentre.y - from.y) +
                              (holeCentre.x - from.x) * (holeCentre.x - from.x));
    const double g = quotient(scene::pullConstant, r2) * scene::pullScale;
    const double r = std::sqrt(r2);
    const Point u{quotient(holeCentre.x - freeEnd.x, r), quotient(holeCentre.y - freeEnd.y, r)};
    return {checked(freeEnd.x + u.x * (r * g)), checked(freeEnd.y + u.y * (r * g))};
}

double distance(Point a, Point b)
{
    return checked(std::sqrt((a.y - b.y) * (a.y - b.y) + (a.x - b.x) * (a.x - b.x)));
}

Point direction(Point from, Point to, double length)
{
    return {quotient(to.x - from.x, length), quotient(from.y - to.y, length)};
}

bool captured(Point at)
{
    using scene::holeCentre;
    return std::sqrt((at.x - holeCentre.x) * (at.x - holeCentre.x) +
                     (at.y - holeCentre.y) * (at.y - holeCentre.y)) < scene::horizonRadius;
}

} // namespace photon

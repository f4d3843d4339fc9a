#include "core/animation/photonpath.h"

#include "core/animation/drawing.h"
#include "core/animation/pacewait.h"
#include "core/animation/photon.h"

#include <cmath>

using namespace scene;

namespace {

// A dot right of the axis while the photon rises, left of it while it falls; the dot's height
// is the photon's.
void plotSpeed(Form &form, double speed, double height, double &previousPlotY)
{
    const double side = height > previousPlotY ? -1 : 1;
    circle(form, {plotAxisX + plotTwipsPerSpeed * side * speed, height}, plotDotRadius);
    previousPlotY = height;
}

} // namespace

int tracePhoton(Form &form, int rayIndex, double angle, double &previousPlotY)
{
    Point p = emissionPoint;
    Point d{std::cos(angle), std::sin(angle)};
    double stepLength = initialSpeed; // the photon's speed
    for (int n = 1; n <= maxSteps; ++n) {
        const Point p1 = photon::freeStep(p, d, stepLength);
        form.setDrawWidth(2);
        segment(form, p, p1);
        const Point p2 = photon::pulled(p, p1);
        segment(form, p1, p2);
        stepLength = photon::distance(p, p2);
        if (rayIndex == plottedRay)
            plotSpeed(form, stepLength, p2.y, previousPlotY);
        d = photon::direction(p, p2, stepLength);
        p = p2;
        if (photon::captured(p))
            return n;
        paceWait(form);
    }
    return maxSteps;
}

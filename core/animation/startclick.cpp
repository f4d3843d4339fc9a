#include "core/animation/startclick.h"

#include "core/animation/drawing.h"
#include "core/animation/photonpath.h"
#include "core/animation/scene.h"

#include <cmath>

using namespace scene;

namespace {

void disc(Form &form, Point centre, double radius, Colour fill)
{
    form.setFillColor(fill);
    circle(form, centre, radius);
}

void wipe(Form &form)
{
    for (int i = 1; i <= scene::height; ++i)
        form.Line(0, static_cast<float>(i), static_cast<float>(scene::width), static_cast<float>(i),
                  background);
}

void drawPlotAxes(Form &form)
{
    segment(form, {plotLeft, emissionPoint.y}, {plotRight, emissionPoint.y});
    segment(form, {plotAxisX, plotBottom}, {plotAxisX, plotTop});
}

void drawGuideRay(Form &form, double angle)
{
    form.setDrawStyle(DrawStyle::Dotted);
    form.setDrawWidth(1);
    segment(form, emissionPoint,
            {emissionPoint.x + guideLength * std::cos(angle),
             emissionPoint.y - guideLength * std::sin(angle)});
}

// Drawn again before every ray, so the new discs cover the earlier paths' captured ends.
void drawSunAndHole(Form &form)
{
    form.setDrawWidth(1);
    form.setDrawStyle(DrawStyle::Solid);
    disc(form, {emissionPoint.x - sunRadius, emissionPoint.y}, sunRadius, white);
    disc(form, holeCentre, horizonRadius, black);
    disc(form, holeCentre, centreDotRadius, black);
}

void showCaption(Form &form, const char *name, double top, double left)
{
    form.setTop(name, top);
    form.setLeft(name, left);
    form.setVisible(name, true);
}

} // namespace

double rayAngle(int rayIndex)
{
    return rayAngleFactor * rayIndex / 180;
}

void comStartClick(Form &form)
{
    form.setScaleMode(ScaleMode::Twips);
    form.setFillStyle(FillStyle::Solid);
    form.setDrawWidth(wipePenWidth);
    wipe(form);

    form.setDrawWidth(1);
    drawPlotAxes(form);

    double previousPlotY = emissionPoint.y;
    for (int rayIndex = 0; rayIndex < rayCount; ++rayIndex) {
        const double angle = rayAngle(rayIndex);
        drawGuideRay(form, angle);
        drawSunAndHole(form);
        tracePhoton(form, rayIndex, angle, previousPlotY);
    }

    showCaption(form, "nRychlostFotonu", emissionPoint.y + 200, plotLeft + 650);
    showCaption(form, "nVzdálenost", plotTop, plotLeft - 100);
}

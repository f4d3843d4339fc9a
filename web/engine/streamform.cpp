#include "web/engine/streamform.h"

void StreamForm::setDrawWidth(int pixels)
{
    stream_.setDrawWidth(pixels);
}

void StreamForm::setDrawStyle(DrawStyle style)
{
    stream_.setDrawStyle(style);
}

void StreamForm::setFillStyle(FillStyle style)
{
    stream_.setFillStyle(style);
}

void StreamForm::setFillColor(Colour colour)
{
    stream_.setFillColor(colour);
}

void StreamForm::Line(float x1, float y1, float x2, float y2)
{
    stream_.line(x1, y1, x2, y2, figures::foreColor);
}

void StreamForm::Line(float x1, float y1, float x2, float y2, Colour colour)
{
    stream_.line(x1, y1, x2, y2, static_cast<float>(colour));
}

void StreamForm::Circle(float x, float y, float radius)
{
    stream_.circle(x, y, radius);
}

#include "core/figurestream.h"

using figures::Op;
using figures::Record;

void FigureStream::record(Op op, float a, float b, float c, float d, float e)
{
    const Record record{static_cast<float>(op), a, b, c, d, e};
    pending_.push_back(record);
    kept_.push_back(record);
}

void FigureStream::setDrawWidth(int pixels)
{
    state_.drawWidth = pixels;
    record(Op::DrawWidth, static_cast<float>(pixels));
}

void FigureStream::setDrawStyle(DrawStyle style)
{
    state_.drawStyle = style;
    record(Op::DrawStyle, static_cast<float>(style));
}

void FigureStream::setFillStyle(FillStyle style)
{
    state_.fillStyle = style;
    record(Op::FillStyle, static_cast<float>(style));
}

void FigureStream::setFillColor(Colour colour)
{
    state_.fillColor = colour;
    record(Op::FillColor, static_cast<float>(colour));
}

bool FigureStream::joinsBand(const std::vector<Record> &records, float x1, float y1, float x2,
                             float colour)
{
    using namespace figures;
    if (records.empty())
        return false;
    const Record &last = records.back();
    const bool across = opOf(last) == Op::Band || (opOf(last) == Op::Line && last[Y1] == last[Y2]);
    return across && last[X1] == x1 && last[X2] == x2 && last[ColourField] == colour &&
           last[Y2] + 1 == y1;
}

namespace {

void extendBand(Record &last, float y)
{
    last[figures::OpField] = static_cast<float>(Op::Band);
    last[figures::Y2] = y;
}

} // namespace

void FigureStream::line(float x1, float y1, float x2, float y2, float colour)
{
    if (y1 == y2 && joinsBand(kept_, x1, y1, x2, colour)) {
        extendBand(kept_.back(), y1);
        if (joinsBand(pending_, x1, y1, x2, colour))
            extendBand(pending_.back(), y1);
        else
            pending_.push_back({static_cast<float>(Op::Line), x1, y1, x2, y2, colour});
        return;
    }
    record(Op::Line, x1, y1, x2, y2, colour);
}

void FigureStream::circle(float x, float y, float radius)
{
    record(Op::Circle, x, y, radius);
}

void FigureStream::covered()
{
    pending_.push_back({static_cast<float>(Op::Covered)});
    // Of what went before, only the drawing state the next figures start in still matters.
    kept_ = {
        {static_cast<float>(Op::DrawWidth), static_cast<float>(state_.drawWidth)},
        {static_cast<float>(Op::DrawStyle), static_cast<float>(state_.drawStyle)},
        {static_cast<float>(Op::FillStyle), static_cast<float>(state_.fillStyle)},
        {static_cast<float>(Op::FillColor), static_cast<float>(state_.fillColor)},
    };
}

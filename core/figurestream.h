#pragma once

#include "core/figures.h"
#include "core/pen.h"

#include <span>
#include <vector>

// Turns a handler's drawing calls into the figure stream. It keeps two lists: the records not
// yet handed to the front end, and the records that draw the scene as it stands, those since
// the last drawing that covered everything, so that a front end can draw the scene again at
// another resolution.
class FigureStream
{
public:
    void setDrawWidth(int pixels);
    void setDrawStyle(DrawStyle style);
    void setFillStyle(FillStyle style);
    void setFillColor(Colour colour);
    // A line in a colour, or in ForeColor where the colour is figures::foreColor. A line across,
    // one twip below the last and as long, in the same pen, joins it in a band: among the kept
    // records always, among those to hand over while the last has not been handed over yet.
    void line(float x1, float y1, float x2, float y2, float colour);
    void circle(float x, float y, float radius);
    // What is drawn next paints over everything drawn so far.
    void covered();

    bool hasPending() const { return !pending_.empty(); }
    // The records made since they were last handed over.
    std::span<const figures::Record> pending() const { return pending_; }
    void handedOver() { pending_.clear(); }
    // The records that draw the scene as it stands, from the drawing state they start in.
    std::span<const figures::Record> kept() const { return kept_; }

private:
    void record(figures::Op op, float a = 0, float b = 0, float c = 0, float d = 0, float e = 0);
    static bool joinsBand(const std::vector<figures::Record> &records, float x1, float y1, float x2,
                          float colour);

    std::vector<figures::Record> pending_;
    std::vector<figures::Record> kept_;
    DrawingState state_;
};

#include "web/engine/webform.h"

#include "core/twips.h"
#include "web/engine/host.h"

void WebForm::setControlText(std::string_view control, std::string_view text)
{
    DetachedForm::setText(control, text);
}

void WebForm::record(figures::Op op, float a, float b, float c, float d, float e)
{
    records_.push_back({static_cast<float>(op), a, b, c, d, e});
}

void WebForm::covered()
{
    record(figures::Covered);
}

void WebForm::flush()
{
    if (records_.empty())
        return;
    host::figures(records_.data()->data(), records_.size() * figures::recordSize);
    records_.clear();
}

void WebForm::setDrawWidth(int pixels)
{
    record(figures::DrawWidth, static_cast<float>(pixels));
}

void WebForm::setDrawStyle(DrawStyle style)
{
    record(figures::DrawStyle, static_cast<float>(style));
}

void WebForm::setFillStyle(FillStyle style)
{
    record(figures::FillStyle, static_cast<float>(style));
}

void WebForm::setFillColor(Colour colour)
{
    record(figures::FillColor, static_cast<float>(colour));
}

// A line across, one twip below the last and as long, in the same pen, joins it in a band.
void WebForm::line(float x1, float y1, float x2, float y2, float colour)
{
    if (y1 == y2 && !records_.empty()) {
        figures::Record &last = records_.back();
        const bool across =
            last[0] == figures::Band || (last[0] == figures::Line && last[2] == last[4]);
        if (across && last[1] == x1 && last[3] == x2 && last[5] == colour && last[4] + 1 == y1) {
            last[0] = figures::Band;
            last[4] = y1;
            return;
        }
    }
    record(figures::Line, x1, y1, x2, y2, colour);
}

void WebForm::Line(float x1, float y1, float x2, float y2)
{
    line(x1, y1, x2, y2, figures::foreColor);
}

void WebForm::Line(float x1, float y1, float x2, float y2, Colour colour)
{
    line(x1, y1, x2, y2, static_cast<float>(colour));
}

void WebForm::Circle(float x, float y, float radius)
{
    record(figures::Circle, x, y, radius);
}

// Control changes travel after the figures drawn before them, so the page keeps their order.
void WebForm::setText(std::string_view name, std::string_view text)
{
    DetachedForm::setText(name, text);
    flush();
    host::setText(name.data(), name.size(), text.data(), text.size());
}

void WebForm::setLeft(std::string_view name, double twips)
{
    DetachedForm::setLeft(name, twips);
    flush();
    host::setLeft(name.data(), name.size(), twipsToPixels(twips));
}

void WebForm::setTop(std::string_view name, double twips)
{
    DetachedForm::setTop(name, twips);
    flush();
    host::setTop(name.data(), name.size(), twipsToPixels(twips));
}

void WebForm::setVisible(std::string_view name, bool visible)
{
    DetachedForm::setVisible(name, visible);
    flush();
    host::setVisible(name.data(), name.size(), visible);
}

void WebForm::unload()
{
    flush();
    host::unload();
}

void WebForm::waitUntil(std::chrono::steady_clock::time_point deadline)
{
    flush();
    host::waitUntil(static_cast<double>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch()).count()));
}

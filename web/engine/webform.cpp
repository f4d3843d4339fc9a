#include "web/engine/webform.h"

#include "core/errors.h"
#include "core/window/layout.h"
#include "web/engine/figures.h"
#include "web/engine/host.h"

#include <algorithm>

namespace {

// A control of the layout by name, as the desktop's form finds it; a name it lacks is the
// runtime's "object required".
const layout::Control &controlNamed(std::string_view name)
{
    const auto found = std::find_if(layout::controls.begin(), layout::controls.end(),
                                    [&](const layout::Control &c) { return c.name == name; });
    if (found == layout::controls.end())
        raiseRuntimeError(ErrorCodes::ObjectRequired);
    return *found;
}

const layout::Control &controlOfKind(std::string_view name, layout::Kind kind)
{
    const layout::Control &control = controlNamed(name);
    if (control.kind != kind)
        raiseRuntimeError(ErrorCodes::NotSupported);
    return control;
}

} // namespace

void WebForm::setControlText(std::string_view control, std::string_view text)
{
    texts_[std::string(control)] = text;
}

void WebForm::setControlValue(std::string_view control, int value)
{
    values_[std::string(control)] = value;
}

void WebForm::record(float op, float a, float b, float c, float d, float e)
{
    records_.insert(records_.end(), {op, a, b, c, d, e});
}

void WebForm::flush()
{
    if (records_.empty())
        return;
    host::figures(records_.data(), records_.size());
    records_.clear();
}

void WebForm::setScaleMode(ScaleMode) {}

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

void WebForm::Line(float x1, float y1, float x2, float y2)
{
    record(figures::Line, x1, y1, x2, y2, -1);
}

void WebForm::Line(float x1, float y1, float x2, float y2, Colour colour)
{
    record(figures::Line, x1, y1, x2, y2, static_cast<float>(colour));
}

void WebForm::Circle(float x, float y, float radius)
{
    record(figures::Circle, x, y, radius);
}

std::string WebForm::text(std::string_view control) const
{
    controlOfKind(control, layout::Kind::TextBox);
    const auto found = texts_.find(control);
    return found == texts_.end() ? std::string() : found->second;
}

// Control changes travel after the figures drawn before them, so the page keeps their order.
void WebForm::setText(std::string_view control, std::string_view text)
{
    const layout::Control &row = controlOfKind(control, layout::Kind::TextBox);
    texts_[std::string(control)] = text;
    flush();
    host::setText(row.name, control.size(), text.data(), text.size());
}

void WebForm::setLeft(std::string_view control, double twips)
{
    const layout::Control &row = controlNamed(control);
    flush();
    host::setLeft(row.name, control.size(), twips);
}

void WebForm::setTop(std::string_view control, double twips)
{
    const layout::Control &row = controlNamed(control);
    flush();
    host::setTop(row.name, control.size(), twips);
}

void WebForm::setVisible(std::string_view control, bool visible)
{
    const layout::Control &row = controlNamed(control);
    flush();
    host::setVisible(row.name, control.size(), visible);
}

int WebForm::value(std::string_view control) const
{
    controlOfKind(control, layout::Kind::ScrollBar);
    const auto found = values_.find(control);
    return found == values_.end() ? 0 : found->second;
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

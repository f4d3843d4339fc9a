#include "tests/support/recordingform.h"

#include "core/runtimeerror.h"

#include <algorithm>

std::vector<RecordingForm::Call> RecordingForm::figures() const
{
    std::vector<Call> result;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(result),
                 [](const Call &c) { return c.kind == Kind::Line || c.kind == Kind::Circle; });
    return result;
}

long long RecordingForm::count(Kind kind) const
{
    return std::count_if(calls.begin(), calls.end(), [&](const Call &c) { return c.kind == kind; });
}

RecordingForm::Call &RecordingForm::record(Kind kind)
{
    Call &call = calls.emplace_back();
    call.kind = kind;
    call.drawWidth = drawWidth_;
    call.drawStyle = drawStyle_;
    call.fillStyle = fillStyle_;
    call.fillColor = fillColor_;
    return call;
}

void RecordingForm::setScaleMode(ScaleMode mode)
{
    record(Kind::ScaleMode).number = static_cast<int>(mode);
}

void RecordingForm::setDrawWidth(int pixels)
{
    drawWidth_ = pixels;
    record(Kind::DrawWidth).number = pixels;
}

void RecordingForm::setDrawStyle(DrawStyle style)
{
    drawStyle_ = style;
    record(Kind::DrawStyle).number = static_cast<int>(style);
}

void RecordingForm::setFillStyle(FillStyle style)
{
    fillStyle_ = style;
    record(Kind::FillStyle).number = static_cast<int>(style);
}

void RecordingForm::setFillColor(Colour colour)
{
    fillColor_ = colour;
    record(Kind::FillColor).number = colour;
}

void RecordingForm::Line(float x1, float y1, float x2, float y2)
{
    Call &call = record(Kind::Line);
    call.x1 = x1, call.y1 = y1, call.x2 = x2, call.y2 = y2;
}

void RecordingForm::Line(float x1, float y1, float x2, float y2, Colour colour)
{
    Line(x1, y1, x2, y2);
    calls.back().hasColour = true;
    calls.back().colour = colour;
}

void RecordingForm::Circle(float x, float y, float radius)
{
    Call &call = record(Kind::Circle);
    call.x1 = x, call.y1 = y, call.x2 = radius;
}

std::string RecordingForm::text(std::string_view control) const
{
    const auto found = texts.find(control);
    if (found == texts.end())
        throw RuntimeError(RuntimeError::ObjectRequired);
    return found->second;
}

void RecordingForm::setText(std::string_view control, std::string_view text)
{
    texts[std::string(control)] = text;
    record(Kind::SetText, control, 0).text = text;
}

RecordingForm::Call &RecordingForm::record(Kind kind, std::string_view control, double number)
{
    Call &call = record(kind);
    call.control = control;
    call.number = number;
    return call;
}

void RecordingForm::setLeft(std::string_view control, double twips)
{
    record(Kind::SetLeft, control, twips);
}

void RecordingForm::setTop(std::string_view control, double twips)
{
    record(Kind::SetTop, control, twips);
}

void RecordingForm::setVisible(std::string_view control, bool shown)
{
    record(Kind::SetVisible, control, shown);
}

int RecordingForm::value(std::string_view control) const
{
    const auto found = values.find(control);
    if (found == values.end())
        throw RuntimeError(RuntimeError::ObjectRequired);
    return found->second;
}

std::string RecordingForm::decimalPoint() const
{
    return ".";
}

void RecordingForm::unload()
{
    record(Kind::Unload);
}

void RecordingForm::waitUntil(std::chrono::steady_clock::time_point deadline)
{
    record(Kind::Wait).wait = deadline - std::chrono::steady_clock::now();
}

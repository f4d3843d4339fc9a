#include "core/window/handlers.h"

#include "core/conversions.h"
#include "core/form.h"

namespace {
constexpr double basePace = 100000;
constexpr double pacePerScrollStep = 100;
} // namespace

void formLoad(Form &form)
{
    form.setText("nSpomal", numberToText(basePace, form.decimalPoint()));
}

void hScroll1Change(Form &form)
{
    const std::string point = form.decimalPoint();
    // The value passes through the text box's text and back, as the pace value has no other store.
    form.setText("nSpomal", numberToText(form.value("HScroll1"), point));
    const double pace = textToNumber(form.text("nSpomal"), point) * pacePerScrollStep + basePace;
    form.setText("nSpomal", numberToText(pace, point));
}

void comKonecClick(Form &form)
{
    form.unload();
}

#include "window/handlers.h"

#include "app/conversions.h"
#include "app/form.h"

namespace {
constexpr double basePace = 100000;
constexpr double pacePerScrollStep = 100;
} // namespace

void formLoad(Form &form)
{
    form.setText("nSpomal", numberToText(basePace));
}

void hScroll1Change(Form &form)
{
    // The value passes through the text box's text and back, as the pace value has no other store.
    form.setText("nSpomal", numberToText(form.value("HScroll1")));
    const double pace = textToNumber(form.text("nSpomal")) * pacePerScrollStep + basePace;
    form.setText("nSpomal", numberToText(pace));
}

void comKonecClick(Form &form)
{
    form.unload();
}

#pragma once

#include "core/form.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

// The window as designed: its caption, colour and size, and its sixteen controls. Places and
// sizes are in twips; the program changes only nSpomal's text and the places and visibility of
// the two plot captions at run time.
namespace layout {

inline constexpr const char *windowName = "Halmira";
// The authors' site is not known; the address is under the reserved example domain.
inline constexpr const char *caption = "Halmira – https://www.halmira.example";
inline constexpr Colour backColor = 0x00FFC0C0;
inline constexpr int designWidth = 10530;
inline constexpr int designHeight = 8250;
// The speed plot and its captions reach 11600 twips across, past the design width, so the
// window opens wide enough to show the whole scene.
inline constexpr int openingWidth = 12000;
inline constexpr int openingHeight = designHeight;
inline constexpr const char *windowIcon = ":/halmira-64.png";

enum class Kind { TextBox, ScrollBar, PictureBox, CommandButton, Image, Label };

// A caption box is a text box on the window's background, without a border, that Tab passes over.
enum class Style { Plain, CaptionBox };

struct Font {
    double points = 0; // 0: the control's default font
    bool bold = false;
};

struct Control {
    const char *name;
    Kind kind;
    const char *text; // the initial text, or the picture's resource
    int left, top, width, height;
    int tabIndex; // -1 where the control has none
    bool shown;
    Style style;
    Font font;
    const char *accessibleName = nullptr; // for screen readers where the text says nothing
};

inline constexpr const char *fontFamily = "MS Sans Serif";
inline constexpr double defaultFontPoints = 8.25;

// The scroll bar's range and steps.
inline constexpr int scrollMinimum = 0;
inline constexpr int scrollMaximum = 32767;
inline constexpr int scrollStep = 1;

// clang-format off
inline constexpr std::array<Control, 16> controls{{
    {"nVzdálenost",     Kind::TextBox,       "Vzdálenost",            240, 1920, 1335,  285, 14, false, Style::CaptionBox, {12, false}},
    {"nCervenýPosuv",   Kind::TextBox,       "červený posuv spektra", 6480, 7680, 2295, 375, 12, false, Style::CaptionBox, {9.75, false}},
    {"nSlunce",         Kind::TextBox,       "Slunce",               1200,  120,  735,  375, 11, false, Style::CaptionBox, {9.75, false}},
    {"nRychlostFotonu", Kind::TextBox,       "Rychlost fotonu",       240, 1560, 1935,  345, 10, false, Style::CaptionBox, {12, false}},
    {"nHodinyZemC",     Kind::TextBox,       "čas hodin na zemi",     240, 1200, 1695,  285,  9, false, Style::CaptionBox, {9.75, false}},
    {"nHodinyFotonu",   Kind::TextBox,       "čas  hodin fotonu",     240,  480, 1695,  285,  8, false, Style::CaptionBox, {9.75, false}},
    {"nHodinyZem",      Kind::TextBox,       "čas  hodin na zemi",    240,  840, 1695,  375,  7, false, Style::CaptionBox, {9.75, false}},
    {"labSpomal",       Kind::TextBox,       "Zpomalení animace",    3960,  840, 2175,  285,  6, true,  Style::CaptionBox, {9.75, true}},
    {"HScroll1",        Kind::ScrollBar,     "",                     3960,  480, 2055,  255,  5, true,  Style::Plain,      {}, "Zpomalení animace"},
    {"nSpomal",         Kind::TextBox,       "Spomal",               2160,  840, 1335,  285,  4, false, Style::Plain,      {}, "Zpomalení"},
    {"Spektrum",        Kind::PictureBox,    ":/spectrum.gif",       2760, 7440, 3495,  735,  3, false, Style::Plain,      {}, "Spektrum"},
    {"comKonec",        Kind::CommandButton, "Konec",                9360,  120,  975,  375,  2, true,  Style::Plain,      {12, true}},
    {"comStart",        Kind::CommandButton, "Start",                8160,  120,  975,  375,  1, true,  Style::Plain,      {12, true}},
    {"nTovenika",       Kind::TextBox,       "Halmira",              4320,  120, 1815,  375,  0, true,  Style::CaptionBox, {13.5, true}},
    {"Image1",          Kind::Image,         ":/preview.gif",        1440, 1320, 8685, 6885, -1, true,  Style::Plain,      {}, "Světlo unikající z okraje černé díry"},
    {"labKlikněte",     Kind::Label,         "Klikněte na Start",    8040,  600, 2535,  375, 13, true,  Style::Plain,      {13.5, true}},
}};
// clang-format on

// A font's size in pixels at 96 dpi, as the design was laid out, so that texts keep their size
// against the controls placed in twips; the default font where the row names none.
inline int fontPixels(const Font &font)
{
    const double points = font.points > 0 ? font.points : defaultFontPoints;
    return static_cast<int>(std::lround(points * 96 / 72));
}

// The controls in tab order: by tab index, those without one last, in the table's order.
constexpr std::array<const Control *, controls.size()> tabOrder()
{
    std::array<const Control *, controls.size()> order{};
    for (std::size_t i = 0; i < controls.size(); ++i)
        order[i] = &controls[i];
    std::sort(order.begin(), order.end(), [](const Control *a, const Control *b) {
        const bool aHasNone = a->tabIndex < 0;
        const bool bHasNone = b->tabIndex < 0;
        if (aHasNone != bHasNone)
            return bHasNone;
        return a->tabIndex != b->tabIndex ? a->tabIndex < b->tabIndex : a < b;
    });
    return order;
}

// The control of that name, or null where the window has none.
constexpr const Control *controlNamed(std::string_view name)
{
    for (const Control &control : controls)
        if (name == control.name)
            return &control;
    return nullptr;
}

} // namespace layout

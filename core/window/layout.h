#pragma once

#include "core/form.h"
#include "core/window/texts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

// The window as designed: its caption, colour and size, and its sixteen controls. Places and
// sizes are in twips; the program changes only nSpomal's text and the places and visibility of
// the two plot captions at run time. Words are ids into the word table.
namespace layout {

inline constexpr const char *windowName = "Halmira";
inline constexpr Text caption = Text::Caption;
inline constexpr Colour backColor = 0x00FFC0C0;
inline constexpr int designWidth = 10530;
inline constexpr int designHeight = 8250;
// The speed plot and its captions reach 11600 twips across, past the design width, so the
// window opens wide enough to show the whole scene.
inline constexpr int openingWidth = 12000;
inline constexpr int openingHeight = designHeight;

enum class Kind { TextBox, ScrollBar, PictureBox, CommandButton, Image, Label };

// A caption box is a text box on the window's background, without a border, that Tab passes over.
enum class Style { Plain, CaptionBox };

// The window's pictures, by what they show; each front end keeps them its own way.
enum class Picture { None, Preview, Spectrum, Icon };

inline constexpr std::string_view pictureFile(Picture picture)
{
    switch (picture) {
    case Picture::Preview:
        return "preview.gif";
    case Picture::Spectrum:
        return "spectrum.gif";
    case Picture::Icon:
        return "halmira-64.png";
    case Picture::None:
        break;
    }
    return "";
}

inline constexpr Picture windowIcon = Picture::Icon;

struct Font {
    double points = 0; // 0: the control's default font
    bool bold = false;
};

struct Control {
    const char *name;
    Kind kind;
    Text text; // the initial text
    Picture picture;
    int left, top, width, height;
    int tabIndex; // -1 where the control has none
    bool shown;
    Style style;
    Font font;
    Text accessibleName = Text::None; // for screen readers where the text says nothing
};

inline constexpr const char *fontFamily = "MS Sans Serif";
// Faces with the design font's metrics, in the order they are tried where it is missing, so
// that the Czech texts fit their boxes: a generic sans-serif face is much wider.
inline constexpr std::array<const char *, 4> fontSubstitutes{"Liberation Sans", "Arimo", "Arial",
                                                             "DejaVu Sans"};
inline constexpr double defaultFontPoints = 8.25;

// The scroll bar's range and steps.
inline constexpr int scrollMinimum = 0;
inline constexpr int scrollMaximum = 32767;
inline constexpr int scrollStep = 1;

using enum Kind;
using enum Style;
using P = Picture;
using T = Text;

// clang-format off
inline constexpr std::array<Control, 16> controls{{
    {"nVzdálenost",     TextBox,       T::DistanceCaption,       P::None,      240, 1920, 1335,  285, 14, false, CaptionBox, {12, false}},
    {"nCervenýPosuv",   TextBox,       T::RedShiftCaption,       P::None,     6480, 7680, 2295,  375, 12, false, CaptionBox, {9.75, false}},
    {"nSlunce",         TextBox,       T::SunCaption,            P::None,     1200,  120,  735,  375, 11, false, CaptionBox, {9.75, false}},
    {"nRychlostFotonu", TextBox,       T::SpeedCaption,          P::None,      240, 1560, 1935,  345, 10, false, CaptionBox, {12, false}},
    {"nHodinyZemC",     TextBox,       T::EarthClockCaption,     P::None,      240, 1200, 1695,  285,  9, false, CaptionBox, {9.75, false}},
    {"nHodinyFotonu",   TextBox,       T::PhotonClockCaption,    P::None,      240,  480, 1695,  285,  8, false, CaptionBox, {9.75, false}},
    {"nHodinyZem",      TextBox,       T::EarthClockCaptionWide, P::None,      240,  840, 1695,  375,  7, false, CaptionBox, {9.75, false}},
    {"labSpomal",       TextBox,       T::SlowingCaption,        P::None,     3960,  840, 2175,  285,  6, true,  CaptionBox, {9.75, true}},
    {"HScroll1",        ScrollBar,     T::None,                  P::None,     3960,  480, 2055,  255,  5, true,  Plain,      {}, T::SlowingCaption},
    {"nSpomal",         TextBox,       T::PaceDesignText,        P::None,     2160,  840, 1335,  285,  4, false, Plain,      {}, T::PaceName},
    {"Spektrum",        PictureBox,    T::None,                  P::Spectrum, 2760, 7440, 3495,  735,  3, false, Plain,      {}, T::SpectrumName},
    {"comKonec",        CommandButton, T::KonecButton,           P::None,     9360,  120,  975,  375,  2, true,  Plain,      {12, true}},
    {"comStart",        CommandButton, T::StartButton,           P::None,     8160,  120,  975,  375,  1, true,  Plain,      {12, true}},
    {"nTovenika",       TextBox,       T::ProgramName,           P::None,     4320,  120, 1815,  375,  0, true,  CaptionBox, {13.5, true}},
    {"Image1",          Image,         T::None,                  P::Preview,  1440, 1320, 8685, 6885, -1, true,  Plain,      {}, T::PreviewName},
    {"labKlikněte",     Label,         T::StartHint,             P::None,     8040,  600, 2535,  375, 13, true,  Plain,      {13.5, true}},
}};
// clang-format on

// Windowless controls (the image and the label) lie under the drawing, which covers them; all
// others are windows of their own and stay above it.
constexpr bool isWindowless(Kind kind)
{
    return kind == Kind::Image || kind == Kind::Label;
}

// What a screen reader calls a control: what it does where its text says nothing.
constexpr Text spokenName(const Control &control)
{
    return control.accessibleName != Text::None ? control.accessibleName : control.text;
}

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

// The control a caption box names, where its words are another control's spoken name: the
// scroll bar's caption is the scroll bar's name, and a screen reader need hear it only there.
constexpr const Control *captionFor(const Control &caption)
{
    if (caption.style != Style::CaptionBox)
        return nullptr;
    for (const Control &other : controls)
        if (&other != &caption && other.accessibleName == caption.text)
            return &other;
    return nullptr;
}

// Whether Tab stops at a control: one that shows and takes the focus, but no caption box.
constexpr bool isTabStop(const Control &control)
{
    return control.shown && control.tabIndex >= 0 && control.style != Style::CaptionBox &&
           !isWindowless(control.kind) && control.kind != Kind::PictureBox;
}

// The control with the focus when the window opens: the first Tab stops at.
constexpr const Control &firstFocus()
{
    for (const Control *control : tabOrder())
        if (isTabStop(*control))
            return *control;
    return *tabOrder().front();
}

// The control of that name, or null where the window has none.
constexpr const Control *controlNamed(std::string_view name)
{
    for (const Control &control : controls)
        if (name == control.name)
            return &control;
    return nullptr;
}

// A screen narrower than this, in CSS pixels, held upright, is a phone: the page asks for it
// to be turned, as the window is wide.
inline constexpr int uprightPhoneWidth = 600;

} // namespace layout

#include "win/controls.h"

#include "core/runtimeerror.h"
#include "win/dpi.h"
#include "win/pictures.h"
#include "win/unicode.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace {

// A control's id: its place in the layout table, after the ids Windows keeps for itself.
constexpr int firstControlId = 1000;

struct NativeKind {
    const wchar_t *windowClass;
    DWORD style;
    DWORD exStyle;
};

NativeKind nativeKind(const layout::Control &row)
{
    const bool caption = row.style == layout::Style::CaptionBox;
    switch (row.kind) {
    case layout::Kind::TextBox:
        // A caption box has no border, and Tab passes it by.
        return {L"EDIT", ES_AUTOHSCROLL | (caption ? 0u : DWORD(WS_TABSTOP)),
                caption ? 0u : DWORD(WS_EX_CLIENTEDGE)};
    case layout::Kind::ScrollBar:
        return {L"SCROLLBAR", SBS_HORZ | WS_TABSTOP, 0};
    case layout::Kind::CommandButton:
        return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case layout::Kind::PictureBox:
        return {L"STATIC", SS_BITMAP, WS_EX_STATICEDGE};
    case layout::Kind::Image:
        return {L"STATIC", SS_BITMAP, 0};
    case layout::Kind::Label:
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    }
    return {L"STATIC", 0, 0};
}

} // namespace

// The character set the design font asks for, so that Windows maps it to a face with the
// language's letters: Cyrillic, Vietnamese, or the Central European of the Czech design.
BYTE designCharset(Language language)
{
    const std::string_view code = texts::code(language);
    if (code == "uk")
        return RUSSIAN_CHARSET;
    if (code == "vi")
        return VIETNAMESE_CHARSET;
    return EASTEUROPE_CHARSET;
}

HFONT makeDesignFont(int height, bool bold, Language language)
{
    return CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       designCharset(language), OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                       CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       wide(layout::fontFamily).c_str());
}

Controls::~Controls()
{
    for (const auto &[key, font] : fonts_)
        DeleteObject(font);
    for (const auto &[picture, bitmap] : pictures_)
        DeleteObject(bitmap);
}

// Each new window goes to the bottom, and none paints over a sibling above it.
void Controls::create(HWND parent, HINSTANCE instance, const std::function<HWND()> &makeDrawing,
                      Speech &speech)
{
    std::vector<const layout::Control *> order;
    for (const layout::Control *row : layout::tabOrder())
        if (!layout::isWindowless(row->kind))
            order.push_back(row);
    order.push_back(nullptr); // the drawing
    for (const layout::Control *row : layout::tabOrder())
        if (layout::isWindowless(row->kind))
            order.push_back(row);

    for (const layout::Control *row : order) {
        HWND made = nullptr;
        if (!row) {
            made = makeDrawing();
        } else {
            const NativeKind kind = nativeKind(*row);
            const auto id =
                static_cast<std::intptr_t>(firstControlId + (row - layout::controls.data()));
            made = CreateWindowExW(
                kind.exStyle, kind.windowClass, wide(texts::words(row->text, language_)).c_str(),
                WS_CHILD | WS_CLIPSIBLINGS | kind.style | (row->shown ? WS_VISIBLE : 0u), 0, 0, 0,
                0, parent, reinterpret_cast<HMENU>(id), instance, nullptr);
            controls_.emplace(row->name, Control{row, made, double(row->left), double(row->top),
                                                 layout::scrollMinimum});
            if (row->kind == layout::Kind::ScrollBar) {
                SetScrollRange(made, SB_CTL, layout::scrollMinimum, layout::scrollMaximum, FALSE);
                SetScrollPos(made, SB_CTL, layout::scrollMinimum, FALSE);
            }
            // A screen reader names each control by its text, or by what it does.
            speech.name(made, wide(texts::words(layout::spokenName(*row), language_)));
        }
        SetWindowPos(made, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void Controls::place(UINT dpi)
{
    dpi_ = dpi;
    for (const auto &[key, font] : fonts_)
        DeleteObject(font);
    fonts_.clear();
    const HFONT windowFont = font({});
    for (const auto &[name, control] : controls_) {
        const layout::Control &row = *control.row;
        SendMessageW(control.window, WM_SETFONT,
                     reinterpret_cast<WPARAM>(row.font.points > 0 ? font(row.font) : windowFont),
                     FALSE);
        if (row.kind == layout::Kind::TextBox) {
            // A text box keeps its text a pixel clear of its edges: Windows' own margins, which
            // grow with the font, would clip the design's longest captions.
            const int margin = MulDiv(1, static_cast<int>(dpi), 96);
            SendMessageW(control.window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                         MAKELONG(margin, margin));
        }
        if (row.picture != layout::Picture::None) {
            HBITMAP &bitmap = pictures_[row.picture];
            const HBITMAP previous = bitmap;
            bitmap = pictureBitmap(row.picture, dpi);
            // A static of common controls 6 shows a copy of a bitmap with alpha, and hands that
            // copy back when it is given the next: both are ours to delete.
            const auto shown = reinterpret_cast<HBITMAP>(SendMessageW(
                control.window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
            if (shown && shown != previous && shown != bitmap)
                DeleteObject(shown);
            if (previous)
                DeleteObject(previous);
        }
        place(control);
    }
}

// At the control's place in twips, at the window's DPI; a picture keeps the control's size
// rather than its bitmap's.
void Controls::place(const Control &control) const
{
    const layout::Control &row = *control.row;
    MoveWindow(control.window, devicePixels(control.left, dpi_), devicePixels(control.top, dpi_),
               devicePixels(row.width, dpi_), devicePixels(row.height, dpi_), TRUE);
}

// The design font at its size in pixels at 96 dpi, scaled to the window's DPI, in the
// language's character set. Where the design's face is missing, Windows takes a TrueType face of
// its metrics.
HFONT Controls::font(const layout::Font &design)
{
    const int pixels = MulDiv(layout::fontPixels(design), static_cast<int>(dpi_), 96);
    HFONT &made = fonts_[{pixels, design.bold}];
    if (!made)
        made = makeDesignFont(pixels, design.bold, language_);
    return made;
}

Controls::Control &Controls::named(std::string_view name)
{
    const auto found = controls_.find(name);
    if (found == controls_.end())
        raiseRuntimeError(ErrorCodes::ObjectRequired);
    return found->second;
}

const Controls::Control &Controls::named(std::string_view name) const
{
    return const_cast<Controls *>(this)->named(name);
}

const Controls::Control &Controls::named(std::string_view name, layout::Kind kind) const
{
    const Control &found = named(name);
    if (found.row->kind != kind)
        raiseRuntimeError(ErrorCodes::NotSupported);
    return found;
}

const Controls::Control *Controls::of(HWND window) const
{
    for (const auto &[name, control] : controls_)
        if (control.window == window)
            return &control;
    return nullptr;
}

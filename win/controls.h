#pragma once

#include "core/window/layout.h"
#include "core/window/texts.h"
#include "win/speech.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

// The character set the design font asks for in a language, so that Windows maps it to a face
// with the language's letters.
BYTE designCharset(Language language);
// The design font, its characters this many units high.
HFONT makeDesignFont(int height, bool bold, Language language);

// The window's native controls, made from the engine's layout table and placed in twips at the
// window's DPI, with their fonts and pictures.
class Controls
{
public:
    struct Control {
        const layout::Control *row;
        HWND window;
        double left, top; // twips
        int reported;     // a scroll bar's value as its Change handler last heard it
    };

    explicit Controls(Language language) : language_(language) {}
    ~Controls();
    Controls(const Controls &) = delete;
    Controls &operator=(const Controls &) = delete;

    // Windowed controls first, in tab order, so that Tab goes as the table has it; then the
    // drawing that makeDrawing makes; then the windowless controls beneath it.
    void create(HWND parent, HINSTANCE instance, const std::function<HWND()> &makeDrawing,
                Speech &speech);
    // Fonts, margins, pictures and places, for a DPI.
    void place(UINT dpi);
    void place(const Control &control) const;
    UINT dpi() const { return dpi_; }

    // A control by name, raising the runtime's errors for one there is none of (424) or of
    // another kind (438).
    Control &named(std::string_view name);
    const Control &named(std::string_view name) const;
    const Control &named(std::string_view name, layout::Kind kind) const;
    const Control *of(HWND window) const;

    auto begin() const { return controls_.begin(); }
    auto end() const { return controls_.end(); }

private:
    HFONT font(const layout::Font &design);

    Language language_;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::map<std::string, Control, std::less<>> controls_;
    std::map<std::pair<int, bool>, HFONT> fonts_;
    std::map<layout::Picture, HBITMAP> pictures_;
};

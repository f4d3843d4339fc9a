// The teacher's picture where a Windows user looks for it: a context menu on the drawing, by a
// right click or the Menu key, and Ctrl+C, Ctrl+S and Ctrl+P. Windows keeps the user's input in
// its own queue while a handler runs, so a request given during a run comes after it.
#include "core/picture/about.h"
#include "win/picture.h"
#include "win/unicode.h"
#include "win/window.h"

#include <windowsx.h>

#include <string>
#include <vector>

bool HalmiraWindow::hasPicture() const
{
    return picture::extentOf(canvas_.kept()).width > 0;
}

picture::Drawing HalmiraWindow::picture() const
{
    std::vector<std::string> texts;
    texts.reserve(layout::controls.size()); // the captions' views stay where they point
    std::vector<picture::Shown> shown;
    for (const auto &[name, control] : controls_)
        if (control.row->kind == layout::Kind::TextBox && IsWindowVisible(control.window)) {
            texts.push_back(text(name));
            shown.push_back({control.row->name, texts.back(), control.left, control.top});
        }
    return picture::drawingOf(canvas_.kept(), shown);
}

void HalmiraWindow::pictureMenu(LPARAM at)
{
    POINT place{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (at == -1) {
        // From the keyboard: over the drawing, a quarter of the way in.
        RECT client;
        GetClientRect(window_, &client);
        place = {client.right / 4, client.bottom / 4};
        ClientToScreen(window_, &place);
    }
    HMENU menu = CreatePopupMenu();
    const UINT state = hasPicture() ? MF_ENABLED : MF_GRAYED;
    const std::pair<PictureEntry, Text> entries[] = {{PictureEntry::Copy, Text::CopyPicture},
                                                     {PictureEntry::Save, Text::SavePicture},
                                                     {PictureEntry::Print, Text::PrintPicture}};
    const wchar_t *keys[] = {L"\tCtrl+C", L"\tCtrl+S", L"\tCtrl+P"};
    for (std::size_t i = 0; i < std::size(entries); ++i) {
        const std::wstring label = wide(texts::words(entries[i].second, language_)) + keys[i];
        AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(entries[i].first),
                    label.c_str());
    }
    const auto chosen = static_cast<PictureEntry>(
        TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                         place.x, place.y, window_, nullptr));
    DestroyMenu(menu);
    if (static_cast<int>(chosen) != 0)
        pictureEntry(chosen);
}

void HalmiraWindow::pictureEntry(PictureEntry entry)
{
    if (!hasPicture())
        return;
    const picture::Drawing drawing = picture();
    const picture::About about = picture::aboutOf(*this, language_);
    switch (entry) {
    case PictureEntry::Copy:
        if (winpicture::copy(window_, drawing, about))
            speech_.announce(window_, wide(texts::words(Text::PictureCopied, language_)));
        break;
    case PictureEntry::Save: {
        std::wstring failure;
        const std::wstring saved = winpicture::save(window_, drawing, about, failure);
        if (!saved.empty()) {
            speech_.announce(window_,
                             wide(texts::fill(Text::PictureSaved, language_, {narrow(saved)})));
        } else if (!failure.empty()) {
            const std::wstring said =
                wide(texts::fill(Text::PictureNotSaved, language_, {narrow(failure)}));
            speech_.announce(window_, said);
            MessageBoxW(window_, said.c_str(),
                        wide(texts::words(Text::ProgramName, language_)).c_str(),
                        MB_OK | MB_ICONWARNING);
        }
        break;
    }
    case PictureEntry::Print:
        if (!winpicture::print(window_, drawing, about)) {
            const std::wstring said = wide(texts::words(Text::PictureNotPrinted, language_));
            speech_.announce(window_, said);
            MessageBoxW(window_, said.c_str(),
                        wide(texts::words(Text::ProgramName, language_)).c_str(),
                        MB_OK | MB_ICONWARNING);
        }
        break;
    }
}

bool HalmiraWindow::pictureKey(const MSG &message)
{
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0 || GetKeyState(VK_SHIFT) < 0)
        return false;
    PictureEntry entry;
    switch (message.wParam) {
    case 'C':
        entry = PictureEntry::Copy;
        break;
    case 'S':
        entry = PictureEntry::Save;
        break;
    case 'P':
        entry = PictureEntry::Print;
        break;
    default:
        return false;
    }
    // In a text box the keys are the box's own: Ctrl+C copies its text.
    const auto *focused = controls_.of(message.hwnd);
    if (focused && focused->row->kind == layout::Kind::TextBox)
        return false;
    if (!hasPicture())
        return false;
    if (!(message.lParam & (1 << 30))) // not a held key's repeat
        pictureEntry(entry);
    return true;
}

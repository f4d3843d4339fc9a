// The window's keys and the wheel: Tab among the controls, Enter and Space on a button, the
// scroll bar's keys and arrows, by the engine's rules.
#include "core/window/keys.h"
#include "win/window.h"

namespace {

Key keyOf(WPARAM virtualKey)
{
    switch (virtualKey) {
    case VK_RETURN:
        return Key::Enter;
    case VK_SPACE:
        return Key::Space;
    case VK_LEFT:
        return Key::Left;
    case VK_RIGHT:
        return Key::Right;
    case VK_PRIOR:
        return Key::PageUp;
    case VK_NEXT:
        return Key::PageDown;
    case VK_HOME:
        return Key::Home;
    case VK_END:
        return Key::End;
    default:
        return Key::Other;
    }
}

bool modifierDown()
{
    return (GetKeyState(VK_CONTROL) | GetKeyState(VK_MENU) | GetKeyState(VK_SHIFT)) < 0;
}

} // namespace

bool HalmiraWindow::takeKey(const MSG &message)
{
    if (message.message != WM_KEYDOWN || !window_ || !IsChild(window_, message.hwnd))
        return false;
    if (message.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
        const bool back = GetKeyState(VK_SHIFT) < 0;
        if (HWND next = GetNextDlgTabItem(window_, message.hwnd, back))
            SetFocus(next);
        return true;
    }
    if (pictureKey(message))
        return true;
    const auto *focused = controls_.of(message.hwnd);
    if (!focused)
        return false;
    const Key key = keyOf(message.wParam);
    const bool repeat = (message.lParam & (1 << 30)) != 0;
    if (focused->row->kind == layout::Kind::CommandButton && buttonClick(key) == ClickOn::Press) {
        if (!repeat && !modifierDown())
            SendMessageW(message.hwnd, BM_CLICK, 0, 0);
        return true;
    }
    if (focused->row->kind == layout::Kind::ScrollBar && scrollMove(key) != Move::None &&
        !modifierDown()) {
        scrollTo(message.hwnd, scrolled(scrollMove(key), GetScrollPos(message.hwnd, SB_CTL)), true);
        return true;
    }
    return false;
}

// The scroll bar's own arrows, trough and thumb.
void HalmiraWindow::scrollBarMoved(WPARAM how, HWND bar)
{
    const int now = GetScrollPos(bar, SB_CTL);
    switch (LOWORD(how)) {
    case SB_LINELEFT:
    case SB_PAGELEFT:
        scrollTo(bar, scrolled(Move::Back, now), true);
        break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT:
        scrollTo(bar, scrolled(Move::On, now), true);
        break;
    case SB_LEFT:
        scrollTo(bar, scrolled(Move::First, now), true);
        break;
    case SB_RIGHT:
        scrollTo(bar, scrolled(Move::Last, now), true);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(bar, SB_CTL, &info);
        scrollTo(bar, info.nTrackPos, LOWORD(how) == SB_THUMBPOSITION);
        break;
    }
    default:
        break;
    }
}

// A scroll bar moved by the user: its Change handler runs when its value has changed. A drag
// moves the thumb only, and reports its value once, on release.
void HalmiraWindow::scrollTo(HWND bar, int value, bool report)
{
    SetScrollPos(bar, SB_CTL, value, TRUE);
    auto *moved = const_cast<Controls::Control *>(controls_.of(bar));
    if (!report || !moved || value == moved->reported)
        return;
    moved->reported = value;
    if (const auto handler = handlerFor(moved->row->name, Event::Change))
        raise(*handler);
}

// The wheel over the scroll bar steps it a step a notch, as the arrows do; a fine wheel's turns
// add up to notches.
bool HalmiraWindow::wheel(int delta, POINT screen)
{
    HWND under = WindowFromPoint(screen);
    const auto *bar = controls_.of(under);
    if (!bar || bar->row->kind != layout::Kind::ScrollBar || modifierDown())
        return false;
    wheelTurned_ += delta;
    const int notches = wheelTurned_ / WHEEL_DELTA;
    wheelTurned_ -= notches * WHEEL_DELTA;
    const Move move = notches > 0 ? Move::On : Move::Back;
    for (int i = 0; i < (notches > 0 ? notches : -notches); ++i)
        scrollTo(under, scrolled(move, GetScrollPos(under, SB_CTL)), true);
    return true;
}

#pragma once

#include "core/names.h"
#include "core/window/layout.h"

#include <algorithm>
#include <array>

// The keys the window's controls answer, the same on every platform: each front end names its
// platform's keys by these, and carries out what the tables say.
enum class Key { Other, Enter, Space, Left, Right, PageUp, PageDown, Home, End };

inline constexpr std::array<Named<Key>, 9> keyNames{{
    {Key::Other, "Other"},
    {Key::Enter, "Enter"},
    {Key::Space, "Space"},
    {Key::Left, "Left"},
    {Key::Right, "Right"},
    {Key::PageUp, "PageUp"},
    {Key::PageDown, "PageDown"},
    {Key::Home, "Home"},
    {Key::End, "End"},
}};

static_assert(namesInOrder(keyNames) && keyNames.back().value == Key::End,
              "every key has one name, in the enum's order");

// A command button with the focus is clicked as a key is pressed (Enter, as Windows users know
// it), or as it is released (Space). A held key clicks once, not on its repeats: each click
// would queue another run.
enum class ClickOn { Never, Press, Release };

constexpr ClickOn buttonClick(Key key)
{
    switch (key) {
    case Key::Enter:
        return ClickOn::Press;
    case Key::Space:
        return ClickOn::Release;
    default:
        return ClickOn::Never;
    }
}

// The scroll bar with the focus: the arrows go the way they point, PageUp and PageDown step
// back and on, Home and End go to the ends.
enum class Move { None, Back, On, First, Last };

inline constexpr std::array<Named<Move>, 5> moveNames{{
    {Move::None, "None"},
    {Move::Back, "Back"},
    {Move::On, "On"},
    {Move::First, "First"},
    {Move::Last, "Last"},
}};

static_assert(namesInOrder(moveNames) && moveNames.back().value == Move::Last,
              "every move has one name, in the enum's order");

struct ScrollKey {
    Key key;
    Move move;
};

inline constexpr std::array<ScrollKey, 6> scrollKeys{{
    {Key::Left, Move::Back},
    {Key::Right, Move::On},
    {Key::PageUp, Move::Back},
    {Key::PageDown, Move::On},
    {Key::Home, Move::First},
    {Key::End, Move::Last},
}};

constexpr Move scrollMove(Key key)
{
    for (const ScrollKey &row : scrollKeys)
        if (row.key == key)
            return row.move;
    return Move::None;
}

// The scroll bar's value after a move.
constexpr int scrolled(Move move, int value)
{
    using namespace layout;
    switch (move) {
    case Move::Back:
        value -= scrollStep;
        break;
    case Move::On:
        value += scrollStep;
        break;
    case Move::First:
        value = scrollMinimum;
        break;
    case Move::Last:
        value = scrollMaximum;
        break;
    case Move::None:
        break;
    }
    return std::clamp(value, scrollMinimum, scrollMaximum);
}

#pragma once

#include <array>
#include <cstddef>

// A value of an enumeration with the name a front end or a translator knows it by. Where a
// list of them stands for the whole enumeration, namesInOrder() checks at compile time that
// each value is named once, in the enumeration's order, so that the two cannot drift apart.
template <typename Enum> struct Named {
    Enum value;
    const char *name;
};

// Also for any table of rows that each carry their enumeration's value, looked up by position.
template <typename Row, std::size_t Count>
constexpr bool namesInOrder(const std::array<Row, Count> &names, std::size_t first = 0)
{
    for (std::size_t i = 0; i < Count; ++i)
        if (static_cast<std::size_t>(names[i].value) != first + i)
            return false;
    return true;
}

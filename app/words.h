#pragma once

#include "core/window/texts.h"

#include <QString>

#include <string_view>

// The engine's words as Qt takes them.
inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString words(Text id, Language language)
{
    return fromUtf8(texts::words(id, language));
}

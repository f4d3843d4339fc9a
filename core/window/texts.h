#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

// Every word the user sees or hears, keyed by what it is for rather than by the Czech words,
// with a column per language. A sentence with slots is one entry: %1, %2, … stand where the
// slots' words go, so that a translation may put them in its own order.
enum class Text {
    None, // no text: a scroll bar or a picture
    ProgramName,
    Caption,
    DistanceCaption,
    RedShiftCaption,
    SunCaption,
    SpeedCaption,
    EarthClockCaption,
    PhotonClockCaption,
    EarthClockCaptionWide,
    SlowingCaption,
    PaceDesignText,
    PaceName,
    SpectrumName,
    KonecButton,
    StartButton,
    PreviewName,
    StartHint,
    SceneName,
    SceneDescription,
    RunStarted,
    RunFinished,
    ErrorReport,
    ErrorOverflow,
    ErrorDivisionByZero,
    ErrorTypeMismatch,
    ErrorInternal,
    ErrorObjectRequired,
    ErrorNotSupported,
    ErrorUnknown,
    ErrorBoxOk,
    TurnDevice,
    FullScreen,
    LeaveFullScreen,
    ProgramEnded,
    OpenAgain,
    Summary,
    Keywords,
};

// The languages the window speaks; Czech is the program's own.
enum class Language { Czech };

struct LanguageName {
    Language language;
    const char *code; // as BCP 47 has it: what a user asks for, and what a screen reader is told
};

inline constexpr std::array<LanguageName, 1> languages{{{Language::Czech, "cs"}}};

namespace texts {

inline constexpr std::size_t count = static_cast<std::size_t>(Text::Keywords) + 1;

constexpr const char *code(Language language)
{
    return languages[static_cast<std::size_t>(language)].code;
}

// The id as translators' files and the page know it.
std::string_view name(Text id);

// The words for an id in a language; Czech where the language has none.
std::string_view words(Text id, Language language);

// The words with their slots filled: %1 by the first, %2 by the second, and so on.
std::string fill(Text id, Language language, std::initializer_list<std::string_view> slots);

// Every id but None, in order.
std::array<Text, count - 1> all();

} // namespace texts

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    SceneDescribed,
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
    Description,
    LanguageName,
    LanguageMenu,
    StartInLanguage,
    UnknownLanguage,
    UnknownOption,
    MissingLanguage,
    HelpText,
    ProgramRunning,
    NewerInstalled,
    CaptionBoxName,
    InstallApp,
    AddToHomeScreen,
    AddToHomeScreenHow,
    PictureMenu,
    CopyPicture,
    SavePicture,
    PrintPicture,
    SavePictureAs,
    PrintPictureAlone,
    PictureFormat,
    PictureCopied,
    PictureSaved,
    PictureNotSaved,
    PictureNotPrinted,
};

// A language the window speaks: Czech, the program's own, first; then those a translator has
// added a file for under po/, in the order of their codes. The build reads the files.
enum class Language : std::uint8_t { Czech = 0 };

namespace texts {

inline constexpr std::size_t count = static_cast<std::size_t>(Text::PictureNotPrinted) + 1;

// Every language, Czech first.
std::vector<Language> languages();
// The language's code as BCP 47 has it: what a user asks for, and what a screen reader is told.
std::string_view code(Language language);
// The language a user asks for by its code: "en", "en-GB" or "en_GB.UTF-8" all mean English.
std::optional<Language> languageNamed(std::string_view asked);
// Whether two ASCII words have the same letters, whatever their case.
bool sameLetters(std::string_view a, std::string_view b);

// The codes of every language, for a user who asked for one there is none of: "cs, de, en".
std::string codes();

// Whether a language has its own words for an id, rather than the Czech ones.
bool translated(Text id, Language language);

// The id as translators' files and the page know it.
std::string_view name(Text id);

// The words for an id in a language; Czech where the language has none, or where its words
// were made for other Czech words than the table's.
std::string_view words(Text id, Language language);

// The words with their slots filled: %1 by the first, %2 by the second, and so on.
std::string fill(Text id, Language language, std::initializer_list<std::string_view> slots);

// Every id but None, in order.
std::array<Text, count - 1> all();

} // namespace texts

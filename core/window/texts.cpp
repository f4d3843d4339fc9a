#include "core/window/texts.h"

namespace {

struct Entry {
    Text id;
    const char *name;
    const char *czech;
};

// The Czech column, the words the program was designed with.
// clang-format off
constexpr std::array<Entry, texts::count> table{{
    {Text::None,                  "",                      ""},
    {Text::ProgramName,           "ProgramName",           "Halmira"},
    // The authors' site is not known; the address is under the reserved example domain.
    {Text::Caption,               "Caption",               "Halmira – https://www.halmira.example"},
    {Text::DistanceCaption,       "DistanceCaption",       "Vzdálenost"},
    {Text::RedShiftCaption,       "RedShiftCaption",       "červený posuv spektra"},
    {Text::SunCaption,            "SunCaption",            "Slunce"},
    {Text::SpeedCaption,          "SpeedCaption",          "Rychlost fotonu"},
    {Text::EarthClockCaption,     "EarthClockCaption",     "čas hodin na zemi"},
    {Text::PhotonClockCaption,    "PhotonClockCaption",    "čas  hodin fotonu"},
    {Text::EarthClockCaptionWide, "EarthClockCaptionWide", "čas  hodin na zemi"},
    {Text::SlowingCaption,        "SlowingCaption",        "Zpomalení animace"},
    {Text::PaceDesignText,        "PaceDesignText",        "Spomal"},
    {Text::PaceName,              "PaceName",              "Zpomalení"},
    {Text::SpectrumName,          "SpectrumName",          "Spektrum"},
    {Text::KonecButton,           "KonecButton",           "Konec"},
    {Text::StartButton,           "StartButton",           "Start"},
    {Text::PreviewName,           "PreviewName",           "Světlo unikající z okraje černé díry"},
    {Text::StartHint,             "StartHint",             "Klikněte na Start"},
    {Text::SceneName,             "SceneName",             "Dráhy světla u černé díry"},
    {Text::SceneDescription,      "SceneDescription",
     "Dráhy devatenácti fotonů, které vyletěly vějířem z okraje černé díry, stoupají, zakřivují "
     "se a padají zpět do ní. Vpravo je graf rychlosti fotonu vyslaného svisle vzhůru v "
     "závislosti na jeho výšce. Při stoupání leží body grafu vpravo od osy, při pádu vlevo."},
    {Text::RunStarted,            "RunStarted",            "Animace běží"},
    {Text::RunFinished,           "RunFinished",           "Animace skončila. %1"},
    {Text::ErrorReport,           "ErrorReport",           "Chyba za běhu %1:\n\n%2"},
    {Text::ErrorOverflow,         "ErrorOverflow",         "Přetečení"},
    {Text::ErrorDivisionByZero,   "ErrorDivisionByZero",   "Dělení nulou"},
    {Text::ErrorTypeMismatch,     "ErrorTypeMismatch",     "Nesoulad typů"},
    {Text::ErrorInternal,         "ErrorInternal",         "Vnitřní chyba"},
    {Text::ErrorObjectRequired,   "ErrorObjectRequired",   "Vyžadován objekt"},
    {Text::ErrorNotSupported,     "ErrorNotSupported",     "Objekt tuto vlastnost nebo metodu nepodporuje"},
    {Text::ErrorUnknown,          "ErrorUnknown",          "Neznámá chyba"},
    {Text::ErrorBoxOk,            "ErrorBoxOk",            "OK"},
    {Text::TurnDevice,            "TurnDevice",            "Otočte zařízení na šířku"},
    {Text::FullScreen,            "FullScreen",            "Celá obrazovka"},
    {Text::LeaveFullScreen,       "LeaveFullScreen",       "Ukončit celou obrazovku"},
    {Text::ProgramEnded,          "ProgramEnded",          "Program skončil."},
    {Text::OpenAgain,             "OpenAgain",             "Otevřít znovu"},
    {Text::Summary,               "Summary",               "Světlo unikající z okraje černé díry"},
    {Text::Keywords,              "Keywords",              "černá díra;světlo;foton;gravitace;fyzika;"},
}};
// clang-format on

// The table is looked up by position: each row must stand at its id's place.
constexpr bool inIdOrder()
{
    for (std::size_t i = 0; i < table.size(); ++i)
        if (static_cast<std::size_t>(table[i].id) != i)
            return false;
    return true;
}
static_assert(inIdOrder(), "a row of the word table stands away from its id");

const Entry &entry(Text id)
{
    return table[static_cast<std::size_t>(id)];
}

} // namespace

namespace texts {

std::string_view name(Text id)
{
    return entry(id).name;
}

std::string_view words(Text id, Language)
{
    return entry(id).czech;
}

std::string fill(Text id, Language language, std::initializer_list<std::string_view> slots)
{
    const std::string_view pattern = words(id, language);
    std::string filled;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        const char next = at + 1 < pattern.size() ? pattern[at + 1] : '\0';
        if (pattern[at] != '%' || next < '1' || next > '9') {
            filled += pattern[at];
            continue;
        }
        // A slot with no words given stays empty rather than show its mark.
        if (const auto slot = static_cast<std::size_t>(next - '1'); slot < slots.size())
            filled += slots.begin()[slot];
        ++at;
    }
    return filled;
}

std::array<Text, count - 1> all()
{
    std::array<Text, count - 1> ids{};
    for (std::size_t i = 1; i < count; ++i)
        ids[i - 1] = static_cast<Text>(i);
    return ids;
}

} // namespace texts

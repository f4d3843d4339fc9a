#include "core/window/texts.h"

#include "core/names.h"
#include "core/window/translations.h"

#include <cctype>

namespace {

struct Entry {
    Text value;
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
    // The drawing's name once a run has drawn it: its name, then what it shows.
    {Text::SceneDescribed,        "SceneDescribed",        "Dráhy světla u černé díry. %1"},
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
    {Text::Description,           "Description",
     "Malý výukový program. Devatenáct fotonů vyletí z bodu na okraji černé díry do vějíře "
     "směrů; každá dráha se krok za krokem kreslí pod přitažlivostí díry, takže dráhy stoupají, "
     "ohýbají se a padají zpět. U fotonu vyslaného svisle vzhůru program kreslí i jeho rychlost "
     "v závislosti na výšce. Posuvníkem lze animaci zpomalit."},
    // The language's name in itself, as a menu of languages lists it.
    {Text::LanguageName,          "LanguageName",          "Čeština"},
    {Text::LanguageMenu,          "LanguageMenu",          "Jazyk"},
    {Text::StartInLanguage,       "StartInLanguage",       "Halmira česky"},
    {Text::UnknownLanguage,       "UnknownLanguage",
     "Jazyk „%1“ Halmira nezná, zná tyto: %2. Poběží česky."},
    {Text::UnknownOption,         "UnknownOption",         "Volbu „%1“ Halmira nezná."},
    {Text::MissingLanguage,       "MissingLanguage",
     "Za volbou „%1“ chybí jazyk, jeden z těchto: %2."},
    // The options, for --help: %1 the program's name, %2 the languages' codes, %3 the version.
    {Text::HelpText,              "HelpText",
     "Halmira %3\n\n"
     "Použití: %1 [--lang=xx]\n\n"
     "--lang=xx, --lang xx\tokno v jazyce xx, jednom z těchto: %2\n"
     "--version\tverze programu\n"
     "--help\ttato nápověda\n\n"
     "Bez volby mluví Halmira česky, nebo jazykem z proměnné HALMIRA_LANG."},
    // The installer's and the uninstaller's, when they find the program running.
    {Text::ProgramRunning,        "ProgramRunning",
     "Halmira právě běží. Zavřete ji a zkuste to znovu."},
    // The MSI's, when a newer version is installed already.
    {Text::NewerInstalled,        "NewerInstalled",
     "Novější verze programu Halmira už je nainstalovaná."},
    // What a caption box is, as a screen reader names it before reading its text: a name that
    // repeated the text would have it read twice.
    {Text::CaptionBoxName,        "CaptionBoxName",        "Popisek"},
    // The page's entry that installs it as an app, where the browser can.
    {Text::InstallApp,            "InstallApp",            "Nainstalovat jako aplikaci"},
    // Where only the user can add it: on an iPad or an iPhone, in the words of Safari's own menu.
    {Text::AddToHomeScreen,       "AddToHomeScreen",       "Přidat na plochu"},
    {Text::AddToHomeScreenHow,    "AddToHomeScreenHow",
     "Klepněte na tlačítko Sdílet a pak na „Přidat na plochu“. Halmira se pak otevře z plochy "
     "jako aplikace, i bez připojení."},
    // The teacher's picture of the finished drawing: the menu a right click on the drawing
    // opens, its entries, and what the page's corner menu offers.
    {Text::PictureMenu,           "PictureMenu",           "Obrázek"},
    {Text::CopyPicture,           "CopyPicture",           "Kopírovat obrázek"},
    {Text::SavePicture,           "SavePicture",           "Uložit obrázek…"},
    {Text::PrintPicture,          "PrintPicture",          "Tisk…"},
    // %1 is the format: SVG or PNG.
    {Text::SavePictureAs,         "SavePictureAs",         "Uložit obrázek (%1)"},
    {Text::PrintPictureAlone,     "PrintPictureAlone",     "Vytisknout obrázek"},
    // A file type in the save dialog; %1 is the format: SVG, PNG, PDF or EMF.
    {Text::PictureFormat,         "PictureFormat",         "Obrázek %1"},
    // What a screen reader hears, and an error box says.
    {Text::PictureCopied,         "PictureCopied",         "Obrázek je ve schránce."},
    {Text::PictureSaved,          "PictureSaved",          "Obrázek je uložen: %1"},
    {Text::PictureNotSaved,       "PictureNotSaved",       "Obrázek se nepodařilo uložit: %1"},
    {Text::PictureNotPrinted,     "PictureNotPrinted",     "Obrázek se nepodařilo vytisknout."},
}};
// clang-format on

// The table is looked up by position: each row must stand at its id's place.
static_assert(namesInOrder(table), "a row of the word table stands away from its id");

const Entry &entry(Text id)
{
    return table[static_cast<std::size_t>(id)];
}

// The translation of an id in a column, where it translates the table's Czech words.
const char *translation(Text id, const translations::Column &column)
{
    const Entry &czech = entry(id);
    for (const translations::Entry &row : column.entries)
        if (std::string_view(row.id) == czech.name)
            return std::string_view(row.czech) == czech.czech ? row.words : nullptr;
    return nullptr;
}

const translations::Column *columnOf(Language language)
{
    const auto index = static_cast<std::size_t>(language);
    return index > 0 && index <= translations::columns.size() ? &translations::columns[index - 1]
                                                              : nullptr;
}

// "en_GB.UTF-8" and "en-GB" ask for "en".
std::string_view primary(std::string_view asked)
{
    const std::size_t end = asked.find_first_of("-_.@");
    return asked.substr(0, end);
}

} // namespace

namespace texts {

bool sameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::vector<Language> languages()
{
    std::vector<Language> all;
    for (std::size_t i = 0; i <= translations::columns.size(); ++i)
        all.push_back(static_cast<Language>(i));
    return all;
}

std::string_view code(Language language)
{
    const translations::Column *column = columnOf(language);
    return column ? column->code : "cs";
}

std::optional<Language> languageNamed(std::string_view asked)
{
    for (const Language language : languages())
        if (sameLetters(primary(asked), code(language)))
            return language;
    return std::nullopt;
}

std::string codes()
{
    std::string all;
    for (const Language language : languages()) {
        if (!all.empty())
            all += ", ";
        all += code(language);
    }
    return all;
}

bool translated(Text id, Language language)
{
    const translations::Column *column = columnOf(language);
    return column && translation(id, *column);
}

std::string_view name(Text id)
{
    return entry(id).name;
}

std::string_view words(Text id, Language language)
{
    const translations::Column *column = columnOf(language);
    const char *translated = column ? translation(id, *column) : nullptr;
    return translated ? translated : entry(id).czech;
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

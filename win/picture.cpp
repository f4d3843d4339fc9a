#include "win/picture.h"

#include "core/pen.h"
#include "core/picture/pngtext.h"
#include "core/picture/svgpicture.h"
#include "core/twips.h"
#include "core/window/layout.h"
#include "win/controls.h"
#include "win/unicode.h"

#include <commdlg.h>
#include <objidl.h>
#include <shlobj.h>
#include <wincodec.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cwctype>
#include <optional>
#include <variant>
#include <vector>

namespace winpicture {
namespace {

constexpr double twipsPerInch = 1440;
constexpr double hundredthsOfMmPerInch = 2540;

int units(double twips)
{
    return static_cast<int>(std::lround(twips));
}

HPEN penFor(const picture::Stroke &stroke)
{
    const LOGBRUSH brush{BS_SOLID, stroke.colour, 0};
    const auto width = static_cast<DWORD>(std::max(1, units(stroke.width)));
    if (stroke.dash > 0)
        return ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, width, &brush, 0, nullptr);
    return ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, width, &brush, 0,
                        nullptr);
}

// Each shape with its own pen and brush, put back as it was after it.
struct Drawn {
    HDC dc;

    void operator()(const picture::Lines &lines) const
    {
        std::vector<POINT> points;
        points.reserve(lines.segments.size() * 2);
        for (const picture::Segment &s : lines.segments) {
            if (lines.stroke.dash <= 0) {
                points.push_back({units(s.x1), units(s.y1)});
                points.push_back({units(s.x2), units(s.y2)});
                continue;
            }
            // Dashes of their own, laid out along the line as the SVG's are: not every GDI
            // draws a wide pen's own dashes.
            const double length = std::hypot(s.x2 - s.x1, s.y2 - s.y1);
            const double dx = (s.x2 - s.x1) / std::max(length, 1e-9);
            const double dy = (s.y2 - s.y1) / std::max(length, 1e-9);
            for (double from = 0; from < length; from += 2 * lines.stroke.dash) {
                const double to = std::min(length, from + lines.stroke.dash);
                points.push_back({units(s.x1 + dx * from), units(s.y1 + dy * from)});
                points.push_back({units(s.x1 + dx * to), units(s.y1 + dy * to)});
            }
        }
        const std::vector<DWORD> counts(points.size() / 2, 2);
        HPEN pen = penFor(lines.stroke);
        HGDIOBJ old = SelectObject(dc, pen);
        PolyPolyline(dc, points.data(), counts.data(), static_cast<DWORD>(counts.size()));
        SelectObject(dc, old);
        DeleteObject(pen);
    }

    void operator()(const picture::Band &band) const
    {
        HBRUSH brush = CreateSolidBrush(band.fill);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
        RoundRect(dc, units(band.left), units(band.top), units(band.left + band.width) + 1,
                  units(band.top + band.height) + 1, units(2 * band.corner),
                  units(2 * band.corner));
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
    }

    void operator()(const picture::Disc &disc) const
    {
        HPEN pen = disc.rimmed ? penFor(disc.rim) : nullptr;
        HBRUSH brush = disc.filled ? CreateSolidBrush(disc.fill) : nullptr;
        HGDIOBJ oldPen = SelectObject(dc, pen ? pen : GetStockObject(NULL_PEN));
        HGDIOBJ oldBrush = SelectObject(dc, brush ? brush : GetStockObject(NULL_BRUSH));
        Ellipse(dc, units(disc.x - disc.radius), units(disc.y - disc.radius),
                units(disc.x + disc.radius), units(disc.y + disc.radius));
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        if (pen)
            DeleteObject(pen);
        if (brush)
            DeleteObject(brush);
    }
};

void drawCaptions(HDC dc, const std::vector<picture::Caption> &captions, Language language)
{
    HBRUSH background = CreateSolidBrush(layout::backColor);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, pen::foreColor);
    SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    for (const picture::Caption &c : captions) {
        const RECT box{units(c.left), units(c.top), units(c.left + c.width),
                       units(c.top + c.height)};
        FillRect(dc, &box, background);
        HFONT font = makeDesignFont(units(c.size), c.bold, language);
        HGDIOBJ old = SelectObject(dc, font);
        const std::wstring text = wide(c.text);
        TextOutW(dc, units(c.textX), units(c.baseline), text.c_str(),
                 static_cast<int>(text.size()));
        SelectObject(dc, old);
        DeleteObject(font);
    }
    DeleteObject(background);
}

SIZE pixelsAt(const picture::Drawing &drawing, double twipsPerPixel)
{
    return {static_cast<LONG>(std::ceil(drawing.extent.width / twipsPerPixel)),
            static_cast<LONG>(std::ceil(drawing.extent.height / twipsPerPixel))};
}

// A Windows error's own words.
std::wstring systemMessage(DWORD error)
{
    wchar_t *text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::wstring message = text ? text : std::to_wstring(error);
    LocalFree(text);
    while (!message.empty() && std::iswspace(message.back()))
        message.pop_back();
    return message;
}

template <typename T> void release(T *&com)
{
    if (com)
        com->Release();
    com = nullptr;
}

// Encodes bottom-up 24-bit rows as a PNG with Windows' own imaging component.
std::string encodePng(const std::string &dib)
{
    if (dib.size() < sizeof(BITMAPINFOHEADER))
        return {};
    BITMAPINFOHEADER header;
    std::copy_n(dib.data(), sizeof header, reinterpret_cast<char *>(&header));
    const auto width = static_cast<UINT>(header.biWidth);
    const auto height = static_cast<UINT>(header.biHeight);
    const UINT stride = (width * 3 + 3) & ~3U;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory *factory = nullptr;
    IStream *stream = nullptr;
    IWICBitmapEncoder *encoder = nullptr;
    IWICBitmapFrameEncode *frame = nullptr;
    IPropertyBag2 *options = nullptr;
    std::string png;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    bool ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_PPV_ARGS(&factory))) &&
              SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
              SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
              SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
              SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) &&
              SUCCEEDED(frame->Initialize(options)) && SUCCEEDED(frame->SetSize(width, height)) &&
              SUCCEEDED(frame->SetPixelFormat(&format)) &&
              IsEqualGUID(format, GUID_WICPixelFormat24bppBGR);
    // The rows go top first.
    auto *rows = reinterpret_cast<BYTE *>(const_cast<char *>(dib.data()) + sizeof header);
    for (UINT y = 0; ok && y < height; ++y)
        ok = SUCCEEDED(frame->WritePixels(1, stride, stride, rows + (height - 1 - y) * stride));
    ok = ok && SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    STATSTG stat{};
    HGLOBAL memory = nullptr;
    if (ok && SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)) &&
        SUCCEEDED(GetHGlobalFromStream(stream, &memory))) {
        if (const void *bytes = GlobalLock(memory)) {
            png.assign(static_cast<const char *>(bytes),
                       static_cast<std::size_t>(stat.cbSize.QuadPart));
            GlobalUnlock(memory);
        }
    }
    release(options);
    release(frame);
    release(encoder);
    release(stream);
    release(factory);
    if (SUCCEEDED(com))
        CoUninitialize();
    return png;
}

bool setClipboardBytes(UINT format, const std::string &bytes)
{
    if (bytes.empty())
        return false;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory)
        return false;
    void *at = GlobalLock(memory);
    std::copy(bytes.begin(), bytes.end(), static_cast<char *>(at));
    GlobalUnlock(memory);
    if (SetClipboardData(format, memory))
        return true;
    GlobalFree(memory);
    return false;
}

// The bytes written whole or not at all: into a file beside it, which then takes its name.
bool writeFile(const std::wstring &path, const std::string &bytes, HENHMETAFILE picture,
               std::wstring &failure)
{
    const std::wstring part = path + L".part";
    bool written = false;
    if (picture) {
        HENHMETAFILE copied = CopyEnhMetaFileW(picture, part.c_str());
        written = copied != nullptr;
        if (copied)
            DeleteEnhMetaFile(copied);
    } else {
        HANDLE file = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD done = 0;
            written =
                WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                done == bytes.size() && FlushFileBuffers(file);
            written = CloseHandle(file) && written;
        }
    }
    written = written && MoveFileExW(part.c_str(), path.c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!written) {
        failure = systemMessage(GetLastError());
        DeleteFileW(part.c_str());
    }
    return written;
}

std::wstring picturesFolder()
{
    wchar_t *folder = nullptr;
    std::wstring path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Pictures, 0, nullptr, &folder)))
        path = folder;
    CoTaskMemFree(folder);
    return path;
}

// The entry's words without the dots that say it asks for more, for its dialog's title.
std::wstring titleOf(Text entry, Language language)
{
    std::wstring title = wide(texts::words(entry, language));
    if (!title.empty() && title.back() == L'\u2026')
        title.pop_back();
    return title;
}

} // namespace

HENHMETAFILE metafile(const picture::Drawing &drawing, const picture::Said &said)
{
    const picture::Extent &e = drawing.extent;
    HDC screen = GetDC(nullptr);
    const RECT frame{0, 0, units(e.width * hundredthsOfMmPerInch / twipsPerInch),
                     units(e.height * hundredthsOfMmPerInch / twipsPerInch)};
    // The program, then the picture's name, as a metafile's description has them.
    const std::wstring description = wide(said.software) + L'\0' + wide(said.title) + L'\0' + L'\0';
    HDC dc = CreateEnhMetaFileW(screen, nullptr, &frame, description.c_str());
    // The reference device's pixels to a twip, as the frame is measured against it.
    const double acrossPerMm =
        double(GetDeviceCaps(screen, HORZRES)) / std::max(1, GetDeviceCaps(screen, HORZSIZE));
    const double downPerMm =
        double(GetDeviceCaps(screen, VERTRES)) / std::max(1, GetDeviceCaps(screen, VERTSIZE));
    ReleaseDC(nullptr, screen);
    if (!dc)
        return nullptr;
    constexpr double mmPerTwip = 25.4 / twipsPerInch;
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowOrgEx(dc, units(e.left), units(e.top), nullptr);
    SetWindowExtEx(dc, units(e.width), units(e.height), nullptr);
    SetViewportExtEx(dc, units(e.width * mmPerTwip * acrossPerMm),
                     units(e.height * mmPerTwip * downPerMm), nullptr);
    // Only the canvas: a pen's reach past its edge is cut off, as the window cuts it.
    IntersectClipRect(dc, 0, 0, units(drawing.clipWidth), units(drawing.clipHeight));
    for (const picture::Shape &shape : drawing.shapes)
        std::visit(Drawn{dc}, shape);
    SelectClipRgn(dc, nullptr);
    const std::optional<Language> language = texts::languageNamed(said.language);
    drawCaptions(dc, drawing.captions, language.value_or(Language::Czech));
    return CloseEnhMetaFile(dc);
}

std::string dib(HENHMETAFILE picture, SIZE size)
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = size.cx;
    header.biHeight = size.cy; // bottom-up
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    void *bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO *>(&header), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
    std::string out;
    if (bitmap) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        const RECT all{0, 0, size.cx, size.cy};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        if (PlayEnhMetaFile(dc, picture, &all)) {
            GdiFlush();
            const std::size_t stride = (std::size_t(size.cx) * 3 + 3) & ~std::size_t(3);
            out.assign(reinterpret_cast<const char *>(&header), sizeof header);
            out.append(static_cast<const char *>(bits), stride * std::size_t(size.cy));
        }
        SelectObject(dc, old);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    return out;
}

std::string png(HENHMETAFILE picture, const picture::Drawing &drawing, const picture::About &about)
{
    const std::string encoded =
        encodePng(dib(picture, pixelsAt(drawing, picture::printTwipsPerPixel)));
    return encoded.empty() ? encoded : picture::withAbout(encoded, about);
}

bool copy(HWND owner, const picture::Drawing &drawing, const picture::About &about)
{
    HENHMETAFILE picture = metafile(drawing, picture::said(about));
    if (!picture)
        return false;
    const std::string screen = dib(picture, pixelsAt(drawing, twipsPerPixel));
    const std::string printed = png(picture, drawing, about);
    if (!OpenClipboard(owner)) {
        DeleteEnhMetaFile(picture);
        return false;
    }
    EmptyClipboard();
    // The clipboard owns the metafile from here on.
    bool copied = SetClipboardData(CF_ENHMETAFILE, picture) != nullptr;
    if (!copied)
        DeleteEnhMetaFile(picture);
    copied = setClipboardBytes(CF_DIB, screen) && copied;
    copied = setClipboardBytes(RegisterClipboardFormatW(L"PNG"), printed) && copied;
    return CloseClipboard() && copied;
}

std::wstring save(HWND owner, const picture::Drawing &drawing, const picture::About &about,
                  std::wstring &failure)
{
    constexpr std::array<const wchar_t *, 3> formats{L"svg", L"png", L"emf"};
    std::wstring filter;
    for (const wchar_t *format : formats) {
        std::string upper = narrow(format);
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](char c) { return static_cast<char>(c - 'a' + 'A'); });
        filter += wide(texts::fill(Text::PictureFormat, about.language, {upper}));
        filter += L'\0';
        filter += std::wstring(L"*.") + format + L'\0';
    }
    filter += L'\0';
    std::wstring file = wide(picture::fileBaseName(about.language)) + L".svg";
    file.resize(32768);
    const std::wstring folder = picturesFolder();
    const std::wstring title = titleOf(Text::SavePicture, about.language);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = formats[0];
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&dialog)) {
        if (const DWORD error = CommDlgExtendedError())
            failure = std::to_wstring(error);
        return {};
    }
    const std::wstring path = file.c_str();
    std::wstring ending = path.substr(path.find_last_of(L'.') + 1);
    std::transform(ending.begin(), ending.end(), ending.begin(), ::towlower);
    const auto known = std::find_if(formats.begin(), formats.end(),
                                    [&ending](const wchar_t *f) { return ending == f; });
    const std::wstring format =
        known != formats.end()
            ? *known
            : formats[std::min<std::size_t>(std::max<DWORD>(dialog.nFilterIndex, 1) - 1, 2)];

    bool written = false;
    if (format == L"emf") {
        HENHMETAFILE picture = metafile(drawing, picture::said(about));
        written = picture && writeFile(path, {}, picture, failure);
        if (picture)
            DeleteEnhMetaFile(picture);
    } else if (format == L"png") {
        HENHMETAFILE picture = metafile(drawing, picture::said(about));
        const std::string bytes = picture ? png(picture, drawing, about) : std::string();
        if (picture)
            DeleteEnhMetaFile(picture);
        written = !bytes.empty() && writeFile(path, bytes, nullptr, failure);
    } else {
        written = writeFile(path, picture::svg(drawing, about), nullptr, failure);
    }
    if (!written && failure.empty())
        failure = systemMessage(ERROR_GEN_FAILURE);
    return written ? path : std::wstring();
}

bool print(HWND owner, const picture::Drawing &drawing, const picture::About &about)
{
    // Landscape unless the user picks otherwise.
    HGLOBAL mode = GlobalAlloc(GHND, sizeof(DEVMODEW));
    if (auto *asked = static_cast<DEVMODEW *>(GlobalLock(mode))) {
        asked->dmSize = sizeof(DEVMODEW);
        asked->dmFields = DM_ORIENTATION;
        asked->dmOrientation = DMORIENT_LANDSCAPE;
        GlobalUnlock(mode);
    }
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hDevMode = mode;
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
    if (!PrintDlgW(&dialog)) {
        if (dialog.hDevMode)
            GlobalFree(dialog.hDevMode);
        if (dialog.hDevNames)
            GlobalFree(dialog.hDevNames);
        return CommDlgExtendedError() == 0; // cancelled
    }
    HDC dc = dialog.hDC;
    HENHMETAFILE picture = metafile(drawing, picture::said(about));
    const std::wstring name = wide(picture::fileBaseName(about.language));
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = name.c_str();
    bool printed = picture && StartDocW(dc, &document) > 0;
    if (printed && StartPage(dc) > 0) {
        const double width = GetDeviceCaps(dc, HORZRES), height = GetDeviceCaps(dc, VERTRES);
        const picture::Extent &e = drawing.extent;
        // As large as the page lets it be, in the middle, at the printer's own aspect.
        const double aspect =
            double(GetDeviceCaps(dc, LOGPIXELSX)) / std::max(1, GetDeviceCaps(dc, LOGPIXELSY));
        const double scale = std::min(width / e.width, height * aspect / e.height);
        const double w = e.width * scale, h = e.height * scale / aspect;
        const RECT place{units((width - w) / 2), units((height - h) / 2), units((width + w) / 2),
                         units((height + h) / 2)};
        printed = PlayEnhMetaFile(dc, picture, &place) && EndPage(dc) > 0 && EndDoc(dc) > 0;
    } else if (printed) {
        AbortDoc(dc);
        printed = false;
    }
    if (picture)
        DeleteEnhMetaFile(picture);
    DeleteDC(dc);
    if (dialog.hDevMode)
        GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames)
        GlobalFree(dialog.hDevNames);
    return printed;
}

} // namespace winpicture

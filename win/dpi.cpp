#include "win/dpi.h"

#include <cmath>

namespace {

constexpr double twipsPerInch = 1440;

// Looked up at run time: older Windows lacks them, and the program must still start there.
template <typename Function> Function user32(const char *name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

} // namespace

double devicePixelsPerTwip(UINT dpi)
{
    return dpi / twipsPerInch;
}

int devicePixels(double twips, UINT dpi)
{
    return static_cast<int>(std::lround(twips * devicePixelsPerTwip(dpi)));
}

UINT windowDpi(HWND window)
{
    using GetDpiForWindowFunction = UINT(WINAPI *)(HWND);
    static const auto getDpiForWindow = user32<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow && window)
        if (const UINT dpi = getDpiForWindow(window))
            return dpi;
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

RECT frameAround(RECT client, DWORD style, DWORD exStyle, UINT dpi)
{
    using AdjustFunction = BOOL(WINAPI *)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = user32<AdjustFunction>("AdjustWindowRectExForDpi");
    if (adjustForDpi)
        adjustForDpi(&client, style, FALSE, exStyle, dpi);
    else
        AdjustWindowRectEx(&client, style, FALSE, exStyle);
    return client;
}

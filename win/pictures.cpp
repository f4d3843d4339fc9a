#include "win/pictures.h"

#include "win/resource.h"

#include <objbase.h>
#include <shlwapi.h>
#include <wincodec.h>

#include <vector>

namespace {

int resourceOf(layout::Picture picture)
{
    switch (picture) {
    case layout::Picture::Preview:
        return IDR_PREVIEW;
    case layout::Picture::Spectrum:
        return IDR_SPECTRUM;
    case layout::Picture::Icon:
    case layout::Picture::None:
        break;
    }
    return 0;
}

template <typename T> struct Released {
    T *p = nullptr;
    ~Released()
    {
        if (p)
            p->Release();
    }
    T **operator&() { return &p; }
    T *operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

struct Pixels {
    UINT width = 0;
    UINT height = 0;
    std::vector<BYTE> bgra;
};

// The picture's pixels, top down, four bytes each.
Pixels decode(int resource)
{
    Pixels pixels;
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(10));
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const auto *data = loaded ? static_cast<const BYTE *>(LockResource(loaded)) : nullptr;
    if (!data)
        return pixels;
    Released<IStream> stream;
    stream.p = SHCreateMemStream(data, SizeofResource(nullptr, found));
    Released<IWICImagingFactory> factory;
    Released<IWICBitmapDecoder> decoder;
    Released<IWICBitmapFrameDecode> frame;
    // The factory's converter rather than WICConvertBitmapSource: no import of WindowsCodecs.dll,
    // which COM loads from the system folder.
    Released<IWICFormatConverter> converted;
    if (!stream ||
        FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void **>(&factory))) ||
        FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand,
                                                &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) ||
        FAILED(factory->CreateFormatConverter(&converted)) ||
        FAILED(converted->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                     nullptr, 0.0, WICBitmapPaletteTypeCustom)) ||
        FAILED(converted->GetSize(&pixels.width, &pixels.height)))
        return {};
    pixels.bgra.resize(std::size_t(pixels.width) * pixels.height * 4);
    if (FAILED(converted->CopyPixels(nullptr, pixels.width * 4,
                                     static_cast<UINT>(pixels.bgra.size()), pixels.bgra.data())))
        return {};
    return pixels;
}

} // namespace

HBITMAP pictureBitmap(layout::Picture picture, UINT dpi)
{
    const Pixels pixels = decode(resourceOf(picture));
    if (pixels.bgra.empty())
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(pixels.width);
    info.bmiHeader.biHeight = -static_cast<LONG>(pixels.height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // Natural size in logical pixels: at a higher DPI each pixel covers more device pixels,
    // scaled without blending, as the pictures are flat colours.
    const int width = MulDiv(static_cast<int>(pixels.width), static_cast<int>(dpi), 96);
    const int height = MulDiv(static_cast<int>(pixels.height), static_cast<int>(dpi), 96);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, 0, 0, width, height, 0, 0, static_cast<int>(pixels.width),
                  static_cast<int>(pixels.height), pixels.bgra.data(), &info, DIB_RGB_COLORS,
                  SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// Times writing the teacher's picture after one Start of the real window (offscreen): the SVG
// from the figure stream, and a PNG at four times the window's pixels (about 300 dots an inch
// across a landscape A4 page) drawn by the window's canvas, encoded and given its text chunks.
// Prints each one's size and median time beside the goal of under a second.
#include "app/halmirawindow.h"
#include "core/animation/startclick.h"
#include "core/picture/pngtext.h"
#include "core/picture/svgpicture.h"

#include <QApplication>
#include <QBuffer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

template <typename Work> double medianSeconds(int rounds, Work work)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    registerFontSubstitutes();
    HalmiraWindow window;
    window.show();
    window.run(comStartClick);
    Canvas &canvas = window.canvasView().canvas();
    const auto records = canvas.kept();
    const picture::About about{Language::Czech, "100000"};

    std::string svg;
    const double svgSeconds = medianSeconds(9, [&] { svg = picture::svg(records, {}, about); });
    std::string png;
    const double pngSeconds = medianSeconds(5, [&] {
        canvas.setDevicePixelRatio(4);
        QByteArray encoded;
        QBuffer buffer(&encoded);
        buffer.open(QIODevice::WriteOnly);
        canvas.image().save(&buffer, "PNG");
        png = picture::withAbout(encoded.toStdString(), about);
        canvas.setDevicePixelRatio(1);
    });
    std::printf("records kept after a run: %zu\n", records.size());
    std::printf("SVG  %7.1f kB  %6.1f ms (median of 9)\n", static_cast<double>(svg.size()) / 1000,
                svgSeconds * 1e3);
    std::printf("PNG  %7.1f kB  %6.1f ms (median of 5, 3200 x 2668 px)\n",
                static_cast<double>(png.size()) / 1000, pngSeconds * 1e3);
    std::printf("goal: each under a second: %s\n",
                svgSeconds < 1 && pngSeconds < 1 ? "met" : "MISSED");
    return 0;
}

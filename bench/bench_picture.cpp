// Times writing the teacher's picture after one Start of the real window (offscreen): the SVG
// from the figure stream; the PNG at print resolution, drawn shape by shape by Qt's painter,
// encoded and given its text chunks; and the PDF of one landscape A4 page.
// Prints each one's size and median time beside the goal of under a second.
#include "app/halmirawindow.h"
#include "app/picturepainter.h"
#include "core/animation/startclick.h"
#include "core/picture/svgpicture.h"

#include <QApplication>
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

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
    const auto records = window.canvasView().canvas().kept();
    const picture::About about{Language::Czech, "100000"};

    std::string svg;
    const double svgSeconds = medianSeconds(9, [&] { svg = picture::svg(records, {}, about); });
    const picture::Drawing drawing = window.pictureMenu().drawing();
    QByteArray png;
    const double pngSeconds = medianSeconds(5, [&] { png = picture::png(drawing, about); });
    QByteArray pdf;
    const double pdfSeconds = medianSeconds(5, [&] {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageOrientation(QPageLayout::Landscape);
        QPainter painter(&writer);
        picture::paintOnPage(painter, drawing, QRectF(0, 0, writer.width(), writer.height()));
    });
    const QSize pixels = picture::image(drawing).size();
    std::printf("records kept after a run: %zu\n", records.size());
    std::printf("SVG  %7.1f kB  %6.1f ms (median of 9)\n", static_cast<double>(svg.size()) / 1000,
                svgSeconds * 1e3);
    std::printf("PNG  %7.1f kB  %6.1f ms (median of 5, %d x %d px)\n",
                static_cast<double>(png.size()) / 1000, pngSeconds * 1e3, pixels.width(),
                pixels.height());
    std::printf("PDF  %7.1f kB  %6.1f ms (median of 5, one A4 page)\n",
                static_cast<double>(pdf.size()) / 1000, pdfSeconds * 1e3);
    std::printf("goal: each under a second: %s\n",
                svgSeconds < 1 && pngSeconds < 1 && pdfSeconds < 1 ? "met" : "MISSED");
    return 0;
}

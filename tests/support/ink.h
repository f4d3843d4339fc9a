#pragma once

#include <QByteArray>
#include <QImage>
#include <QStringList>

#include <vector>

// Comparing drawings as the browser tests do: where something dark was drawn, and the share of
// one drawing's ink with no ink of the other's within a pixel.
std::vector<bool> ink(const QImage &image);
double unmatched(const std::vector<bool> &a, const std::vector<bool> &b, int width);

// An SVG drawn by a real renderer, rsvg-convert, with its options (such as a zoom); a null
// image where it failed.
QImage renderedSvg(const QByteArray &svg, const QStringList &options = {});

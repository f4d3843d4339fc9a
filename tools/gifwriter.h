#pragma once

#include <QImage>
#include <QString>

enum class GifVersion { Gif87a, Gif89a };

// Writes an opaque image of at most 256 colours as a GIF with a 256-entry colour table.
// Returns an error text, empty on success.
QString writeGif(const QImage &image, const QString &path, GifVersion version);

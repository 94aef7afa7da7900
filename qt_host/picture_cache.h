// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The game's pictures as Qt pixmaps, each artwork loaded once from the embedded resources.
#pragma once

#include <map>
#include <tuple>
#include <string>

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace forms::qt {

class PictureCache {
public:
    // files: artwork name -> resource path, e.g. "title" -> ":/assets/title.bmp".
    explicit PictureCache(std::map<std::string, std::string> files);

    // A null pixmap for an artwork the program does not carry.
    const QPixmap& pixmap(const std::string& artwork);
    // The same picture enlarged once to `scale` times `zoom` device pixels a pixel, nearest
    // neighbour, so a scaled screen and a zoomed game draw it with a plain copy instead of scaling
    // it again on every paint. Its size in the window's pixels is its own times `zoom`.
    const QPixmap& pixmap(const std::string& artwork, qreal scale, int zoom = 1);
    QIcon icon(const std::string& artwork);
    // A mouse pointer with its hot spot in the middle of the picture.
    QCursor cursor(const std::string& artwork);

private:
    std::map<std::string, std::string> files_;
    std::map<std::string, QPixmap> loaded_;
    std::map<std::tuple<std::string, qreal, int>, QPixmap> scaled_;
};

}  // namespace forms::qt

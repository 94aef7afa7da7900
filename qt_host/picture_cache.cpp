// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/picture_cache.h"

#include <QFileInfo>
#include <QImageReader>
#include <QtDebug>

namespace forms::qt {

PictureCache::PictureCache(std::map<std::string, std::string> files) : files_(std::move(files)) {}

const QPixmap& PictureCache::pixmap(const std::string& artwork) {
    auto it = loaded_.find(artwork);
    if (it != loaded_.end()) return it->second;
    QPixmap pixmap;
    auto file = files_.find(artwork);
    if (file != files_.end()) {
        const QString path = QString::fromStdString(file->second);
        // The file's name gives its format. Left to guess from the contents, Qt would load
        // every image plugin (JPEG's library among them) just to read the title's bitmap.
        QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
        reader.setAutoDetectImageFormat(false);
        pixmap = QPixmap::fromImage(reader.read());
    }
    if (pixmap.isNull()) qWarning("miravel: no picture for artwork '%s'", artwork.c_str());
    // Remembered even when missing, so a broken picture warns once, not on every repaint.
    return loaded_.emplace(artwork, std::move(pixmap)).first->second;
}

const QPixmap& PictureCache::pixmap(const std::string& artwork, qreal scale, int zoom) {
    const QPixmap& original = pixmap(artwork);
    if ((scale == 1.0 && zoom == 1) || original.isNull()) return original;
    auto key = std::make_tuple(artwork, scale, zoom);
    auto it = scaled_.find(key);
    if (it != scaled_.end()) return it->second;
    QPixmap enlarged = original.scaled((QSizeF(original.size()) * (scale * zoom)).toSize(), Qt::IgnoreAspectRatio,
                                       Qt::FastTransformation);
    enlarged.setDevicePixelRatio(scale);
    return scaled_.emplace(std::move(key), std::move(enlarged)).first->second;
}

QIcon PictureCache::icon(const std::string& artwork) { return QIcon(pixmap(artwork)); }

QCursor PictureCache::cursor(const std::string& artwork) {
    const QPixmap& p = pixmap(artwork);
    return QCursor(p, p.width() / 2, p.height() / 2);
}

}  // namespace forms::qt

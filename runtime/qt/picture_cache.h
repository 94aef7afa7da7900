// The game's pictures as Qt pixmaps, each artwork loaded once from the embedded resources.
#pragma once

#include <map>
#include <string>

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace vb::qt {

class PictureCache {
public:
    // files: artwork name -> resource path, e.g. "title" -> ":/assets/title.bmp".
    explicit PictureCache(std::map<std::string, QString> files);

    // A null pixmap for an artwork the program does not carry.
    const QPixmap& pixmap(const std::string& artwork);
    QIcon icon(const std::string& artwork);
    // A mouse pointer with its hot spot in the middle of the picture.
    QCursor cursor(const std::string& artwork);

private:
    std::map<std::string, QString> files_;
    std::map<std::string, QPixmap> loaded_;
};

}  // namespace vb::qt

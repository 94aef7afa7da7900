// Writes the hicolor theme icons from the program's window icon: make_icons ICON OUTDIR NAME SIZE...
// puts OUTDIR/<SIZE>x<SIZE>/apps/NAME.png for each SIZE.
//
// The icon is pixel art, so whole multiples of it are scaled nearest-neighbour and every pixel
// stays a crisp square. Any other size is area-averaged, from a nearest-neighbour multiple at
// least as large when growing, so only the pixels that straddle a boundary get blended.
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <cstdio>
#include <vector>

namespace {

QImage scaledIcon(const QImage& source, int size) {
    const int base = source.width();
    const auto exact = [&](int side) {
        return source.scaled(side, side, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    };
    if (size % base == 0) return exact(size);
    const QImage from = size < base ? source : exact((size + base - 1) / base * base);
    return from.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// An .ico may hold several pictures; the largest is the best start.
QImage readLargest(const QString& path, QString& error) {
    QImageReader reader(path);
    QImage best;
    const int count = reader.imageCount() > 0 ? reader.imageCount() : 1;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i)) break;
        const QImage image = reader.read();
        if (image.isNull()) {
            error = reader.errorString();
            break;
        }
        if (image.width() > best.width()) best = image;
    }
    return best;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s ICON OUTDIR NAME SIZE...\n", argv[0]);
        return 2;
    }
    const QString iconPath = QString::fromLocal8Bit(argv[1]);
    const QString outDir = QString::fromLocal8Bit(argv[2]);
    const QString name = QString::fromLocal8Bit(argv[3]);

    std::vector<int> sizes;
    for (int i = 4; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size <= 0 || size > 1024) {
            std::fprintf(stderr, "make_icons: bad size '%s'\n", argv[i]);
            return 2;
        }
        sizes.push_back(size);
    }

    QString error;
    const QImage icon = readLargest(iconPath, error);
    if (icon.isNull()) {
        std::fprintf(stderr, "make_icons: cannot read %s: %s\n", argv[1], qPrintable(error));
        return 1;
    }
    if (icon.width() != icon.height()) {
        std::fprintf(stderr, "make_icons: %s is %dx%d, not square\n", argv[1], icon.width(),
                     icon.height());
        return 1;
    }
    // Premultiplied, so area-averaging does not pull the colour of clear pixels into the edge.
    const QImage source = icon.convertToFormat(QImage::Format_ARGB32_Premultiplied);

    for (const int size : sizes) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(dir, name);
        if (!QDir().mkpath(dir) ||
            !scaledIcon(source, size).convertToFormat(QImage::Format_ARGB32).save(file, "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

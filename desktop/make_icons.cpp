// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Writes the hicolor theme icons from the program's window icon: make_icons ICON OUTDIR NAME SIZE...
// puts OUTDIR/<SIZE>x<SIZE>/apps/NAME.png for each SIZE, and OUTDIR/scalable/apps/NAME.svg for
// the SIZE "scalable".
//
// The icon is pixel art, so whole multiples of it are scaled nearest-neighbour and every pixel
// stays a crisp square. Any other size is area-averaged, from a nearest-neighbour multiple at
// least as large when growing, so only the pixels that straddle a boundary get blended. The
// scalable icon draws the same pixels as squares that the renderer must not smooth.
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QString>

#include <cstdio>
#include <map>
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

// One path per colour, one subpath per run of that colour along a row: every edge lies on the
// pixel grid, and crispEdges keeps renderers from blending neighbouring runs at any size.
QByteArray pixelArtSvg(const QImage& icon) {
    std::vector<QRgb> order;  // colours in reading order, so the output never depends on a hash
    std::map<QRgb, QByteArray> runs;
    for (int y = 0; y < icon.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(icon.constScanLine(y));
        for (int x = 0; x < icon.width();) {
            int end = x + 1;
            while (end < icon.width() && row[end] == row[x]) ++end;
            if (qAlpha(row[x]) != 0) {
                auto [at, added] = runs.try_emplace(row[x]);
                if (added) order.push_back(row[x]);
                at->second += QStringLiteral("M%1 %2h%3v1h-%3z").arg(x).arg(y).arg(end - x).toLatin1();
            }
            x = end;
        }
    }
    QByteArray svg = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
        "viewBox=\"0 0 %1 %2\" shape-rendering=\"crispEdges\">\n")
        .arg(icon.width()).arg(icon.height()).toLatin1();
    for (const QRgb colour : order) {
        svg += QStringLiteral("<path fill=\"#%1\"").arg(colour & 0xffffff, 6, 16, QChar('0')).toLatin1();
        if (qAlpha(colour) != 255)
            svg += QStringLiteral(" fill-opacity=\"%1\"").arg(qAlpha(colour) / 255.0, 0, 'g', 3).toLatin1();
        svg += " d=\"" + runs[colour] + "\"/>\n";
    }
    return svg + "</svg>\n";
}

bool writeFile(const QString& dir, const QString& file, const QByteArray& bytes) {
    QSaveFile out(file);
    return QDir().mkpath(dir) && out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() &&
           out.commit();
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
        std::fprintf(stderr, "usage: %s ICON OUTDIR NAME SIZE|scalable...\n", argv[0]);
        return 2;
    }
    const QString iconPath = QString::fromLocal8Bit(argv[1]);
    const QString outDir = QString::fromLocal8Bit(argv[2]);
    const QString name = QString::fromLocal8Bit(argv[3]);

    std::vector<int> sizes;
    bool scalable = false;
    for (int i = 4; i < argc; ++i) {
        if (QByteArray(argv[i]) == "scalable") {
            scalable = true;
            continue;
        }
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
    if (scalable) {
        const QString dir = QStringLiteral("%1/scalable/apps").arg(outDir);
        const QString file = QStringLiteral("%1/%2.svg").arg(dir, name);
        // Straight colours: an SVG fill is not premultiplied.
        if (!writeFile(dir, file, pixelArtSvg(icon.convertToFormat(QImage::Format_ARGB32)))) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

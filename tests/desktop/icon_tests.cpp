// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Checks the generated theme icons against the program's window icon. Every output pixel must be
// the area-weighted average of the source pixels it covers: for whole multiples that is an exact
// copy of one source pixel (crisp squares), and otherwise only pixels across a boundary blend.
// A blurring, shifted or wrongly sized scaler fails here. The scalable icon is drawn by a real
// SVG renderer and must give the same crisp squares at any size.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

std::vector<int> sizes() {
    std::vector<int> out;
    for (const QString& s : QString(MIRAVEL_ICON_SIZES).split(',')) out.push_back(s.toInt());
    return out;
}

// Premultiplied, so a clear pixel counts as nothing whatever colour it carries.
QImage source() {
    return QImage(MIRAVEL_ICON_SOURCE).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage icon(int size) {
    const QString path =
        QStringLiteral("%1/%2x%2/apps/%3.png").arg(MIRAVEL_ICON_DIR).arg(size).arg(MIRAVEL_APP_ID);
    return QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// How much of source pixel i lies under output pixel o, both along one axis, with the source
// scaled by `scale` output pixels per source pixel.
double overlap(int o, int i, double scale) {
    const double lo = std::max(double(o), i * scale);
    const double hi = std::min(double(o + 1), (i + 1) * scale);
    return std::max(0.0, hi - lo);
}

std::array<double, 4> areaAverage(const QImage& src, int size, int x, int y) {
    const double scale = double(size) / src.width();
    std::array<double, 4> sum{};
    for (int sy = 0; sy < src.height(); ++sy) {
        const double wy = overlap(y, sy, scale);
        if (wy == 0) continue;
        for (int sx = 0; sx < src.width(); ++sx) {
            const double w = wy * overlap(x, sx, scale);
            if (w == 0) continue;
            const QRgb p = src.pixel(sx, sy);
            sum[0] += w * qRed(p);
            sum[1] += w * qGreen(p);
            sum[2] += w * qBlue(p);
            sum[3] += w * qAlpha(p);
        }
    }
    return sum;  // the weights of one output pixel add up to 1
}

TEST(IconSource, IsTheSquare48PixelPicture) {
    const QImage src = source();
    ASSERT_FALSE(src.isNull()) << MIRAVEL_ICON_SOURCE;
    EXPECT_EQ(src.width(), 48);
    EXPECT_EQ(src.height(), 48);
}

class IconSize : public testing::TestWithParam<int> {};

TEST_P(IconSize, IsEachPixelTheAverageOfTheSourceUnderIt) {
    const int size = GetParam();
    const QImage src = source();
    const QImage img = icon(size);
    ASSERT_FALSE(img.isNull());
    ASSERT_EQ(img.width(), size);
    ASSERT_EQ(img.height(), size);
    // Whole multiples are copies; blends may round a little on the way through 8 bits.
    const double tolerance = size % src.width() == 0 ? 0.0 : 3.0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const std::array<double, 4> want = areaAverage(src, size, x, y);
            const QRgb p = img.pixel(x, y);
            const std::array<int, 4> got{qRed(p), qGreen(p), qBlue(p), qAlpha(p)};
            for (int c = 0; c < 4; ++c)
                ASSERT_LE(std::abs(got[c] - want[c]), tolerance)
                    << "pixel " << x << "," << y << " channel " << c << ": " << got[c]
                    << ", expected " << want[c];
        }
}

// The SVG drawn at SIZE pixels by rsvg-convert (librsvg, as GNOME draws icons).
QImage renderedSvg(int size) {
    const QString tool = QStringLiteral(RSVG_CONVERT);
    if (tool.endsWith(QStringLiteral("NOTFOUND"))) {
        ADD_FAILURE() << "rsvg-convert is not installed (librsvg2-bin)";
        return {};
    }
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("icon.png"));
    QProcess render;
    render.start(tool, {QStringLiteral("--width=%1").arg(size), QStringLiteral("--height=%1").arg(size),
                        QStringLiteral("--output=%1").arg(png), QStringLiteral(MIRAVEL_SCALABLE_ICON)});
    if (!render.waitForFinished(60000) || render.exitCode() != 0) {
        ADD_FAILURE() << "rsvg-convert failed: " << render.readAllStandardError().toStdString();
        return {};
    }
    return QImage(png).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

class ScalableIcon : public testing::TestWithParam<int> {};

// At a whole multiple every pixel is the source pixel under it; at any other size each pixel
// still takes one source pixel's colour, so nothing is smoothed and no seam shows between runs.
TEST_P(ScalableIcon, DrawsEveryPixelAsACrispSquare) {
    const int size = GetParam();
    const QImage src = source();
    const QImage img = renderedSvg(size);
    ASSERT_EQ(img.width(), size);
    ASSERT_EQ(img.height(), size);
    const double scale = double(size) / src.width();
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            bool matches = false;
            for (int sy = int(y / scale); sy < src.height() && sy < (y + 1) / scale; ++sy)
                for (int sx = int(x / scale); sx < src.width() && sx < (x + 1) / scale; ++sx)
                    matches = matches || img.pixel(x, y) == src.pixel(sx, sy);
            ASSERT_TRUE(matches) << "pixel " << x << "," << y << " at " << size << " px is "
                                 << std::hex << img.pixel(x, y) << ", no source pixel under it";
            if (size % src.width() == 0) {
                ASSERT_EQ(img.pixel(x, y), src.pixel(int(x / scale), int(y / scale)))
                    << "pixel " << x << "," << y << " at " << size << " px";
            }
        }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScalableIcon, testing::Values(48, 144, 40, 100),
                         [](const testing::TestParamInfo<int>& param) {
                             return std::to_string(param.param);
                         });

INSTANTIATE_TEST_SUITE_P(Sizes, IconSize, testing::ValuesIn(sizes()),
                         [](const testing::TestParamInfo<int>& param) {
                             return std::to_string(param.param);
                         });

}  // namespace

// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/fitted_text.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include "host_core/stand_in_fonts.h"
#include "qt_host/stand_in_fonts.h"

namespace forms::qt {

namespace {

// Where the designed face puts its baseline in a line: the desktop's sans serif sets 11 of 13.
constexpr double kDesignedAscent = 0.8;
// How far hinting may move a zoomed face's ink past its outlines, in pixels.
constexpr double kHintingSlack = 0.5;

// The caption without its "&", and the index of the letter it marks ("&&" is a plain "&").
QString withoutAccessMark(const QString& text, int& accessKeyAt) {
    QString plain;
    accessKeyAt = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != u'&' && accessKeyAt < 0) accessKeyAt = static_cast<int>(plain.size());
        }
        plain += text[i];
    }
    return plain;
}

// The lines the text takes in a box of this width: broken between words where it is too long for
// one line, and at every line break of its own.
std::vector<QString> breakIntoLines(const QString& text, const QFont& font, qreal width, bool wrap) {
    QString laidOut = text;
    laidOut.replace(u'\n', QChar::LineSeparator);
    QTextLayout layout(laidOut, font);
    QTextOption option;
    option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    std::vector<QString> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        QString part = laidOut.mid(line.textStart(), line.textLength());
        while (!part.isEmpty() && (part.back().isSpace() || part.back() == QChar::LineSeparator)) part.chop(1);
        lines.push_back(part);
    }
    layout.endLayout();
    return lines;
}

// An underline's distance below the baseline and its thickness, in whole pixels.
qreal underlineOffset(const QFontMetricsF& m) { return std::max<qreal>(1, std::round(m.underlinePos())); }
qreal underlineWidth(const QFontMetricsF& m) { return std::max<qreal>(1, std::round(m.lineWidth())); }

}  // namespace

FittedText::FittedText(const forms::Font& designed, const QString& text, const TextBox& box, bool accessKey,
                       int zoom) {
    const QString plain = accessKey ? withoutAccessMark(text, accessKeyAt_) : text;
    zoom = std::max(1, zoom);
    const int largest = designed.pixelSize() * zoom;
    const qreal pitch = forms::core::linePitch(designed) * zoom;
    for (int size = largest; size >= std::min(largest, forms::core::kSmallestPixelSize * zoom); --size)
        if (setAt(size, pitch, designed, plain, box)) return;
}

// Sets the text at one pixel size, its lines `pitch` apart; true if every line's ink lies inside
// the box.
bool FittedText::setAt(int pixelSize, qreal pitch, const forms::Font& designed, const QString& text,
                       const TextBox& box) {
    font_ = standInFont(designed);
    font_.setPixelSize(pixelSize);
    const QFontMetricsF m(font_);
    // Ink is measured on the letters' outlines, each rounded out to whole pixels: hinting moves the
    // letters a little, differently at each scale, but never past that.
    QFont outlines = font_;
    outlines.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF ink(outlines);
    const std::vector<QString> parts = breakIntoLines(text, font_, box.rect.width(), box.wrap);
    const auto n = static_cast<qreal>(parts.size());

    // The ink of the lines around their baselines; an underline counts as ink.
    qreal inkAbove = 0, inkBelow = 0;
    for (const QString& part : parts) {
        if (part.isEmpty()) continue;
        const QRectF bounds = ink.tightBoundingRect(part);
        inkAbove = std::max(inkAbove, -bounds.top());
        inkBelow = std::max(inkBelow, bounds.bottom());
    }
    // Hinted at a screen's fractional scale, a large face's stems may snap up to half a pixel
    // further out than its outlines (a descender of 2x text on a 1.5x screen lost its last row).
    if (pixelSize > designed.pixelSize()) {
        inkAbove += kHintingSlack;
        inkBelow += kHintingSlack;
    }
    if (font_.underline() || accessKeyAt_ >= 0)
        inkBelow = std::max(inkBelow, underlineOffset(m) + underlineWidth(m));

    bool fits = n <= 1 || inkAbove + inkBelow <= pitch;  // lines must not run into each other
    // The first baseline: where the designed face has it, moved as little as needed to keep the
    // ink inside; a button's caption sits in the middle.
    const qreal lowest = std::ceil(inkAbove);
    const qreal highest = std::floor(box.rect.height() - (n - 1) * pitch - inkBelow);
    qreal first = box.middle ? std::round((box.rect.height() - (n - 1) * pitch - inkBelow + inkAbove) / 2)
                             : std::round(kDesignedAscent * pitch);
    if (lowest > highest) fits = false;
    first = std::clamp(first, lowest, std::max(lowest, highest));

    lines_.clear();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const qreal advance = m.horizontalAdvance(part);
        const QRectF bounds = part.isEmpty() ? QRectF() : ink.tightBoundingRect(part);
        // Letters that lean out past their advance (a handwriting face's swashes) stay inside too.
        const qreal inkLeft = std::min<qreal>(0, bounds.left());
        const qreal inkRight = std::max(advance, bounds.right());
        qreal x = box.centred ? std::round((box.rect.width() - advance) / 2) : -inkLeft;
        if (x + inkLeft < 0 || x + inkRight > box.rect.width()) {
            fits = false;
            x = std::max<qreal>(-inkLeft, 0);
        }
        lines_.push_back({part, box.rect.topLeft() + QPointF(x, first + static_cast<qreal>(i) * pitch),
                          i == 0 ? accessKeyAt_ : -1});
    }
    fits_ = fits;
    return fits;
}

void FittedText::draw(QPainter& painter) const {
    painter.setFont(font_);
    const QFontMetricsF m(font_);
    for (const Line& line : lines_) {
        painter.drawText(line.baseline, line.text);
        if (line.accessKey < 0 || line.accessKey >= line.text.size()) continue;
        // The access key's letter is underlined, as the desktop marks it on a button.
        const qreal x = m.horizontalAdvance(line.text.left(line.accessKey));
        const qreal width = m.horizontalAdvance(line.text.at(line.accessKey));
        painter.fillRect(QRectF(line.baseline.x() + x, line.baseline.y() + underlineOffset(m), width,
                                underlineWidth(m)),
                         painter.pen().color());
    }
}

}  // namespace forms::qt

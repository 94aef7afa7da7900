// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Text of the game's design set in its box with a stand-in face. The stand-ins are taller and
// wider than the faces the game was drawn with, so each caption is fitted: its lines stand one
// pitch of the stand-in face apart (host_core's font table), and the face is made a pixel smaller at a time until the ink
// of every line lies inside the box.
#pragma once

#include <vector>

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

#include "runtime/controls.h"

class QPainter;

namespace forms::qt {

struct TextBox {
    QRectF rect;          // where the ink must stay, in the window's pixels
    bool centred = false;  // each line centred across the box; else from its left edge
    bool middle = false;   // the lines centred from top to bottom (a button); else from the top
    bool wrap = true;      // a label breaks its text between words; a button's caption is one line
};

class FittedText {
public:
    FittedText() = default;
    // An "&" in a button's caption marks its access key: not drawn, its letter underlined. At a
    // zoom the designed face and its line height grow by it and the text is laid out afresh in a
    // box as many times larger, so its letters stay sharp instead of becoming enlarged pixels.
    FittedText(const forms::Font& designed, const QString& text, const TextBox& box, bool accessKey = false,
               int zoom = 1);

    const QFont& font() const { return font_; }
    int lineCount() const { return static_cast<int>(lines_.size()); }
    // Whether the text fits its box at the size chosen (only the smallest size may not).
    bool fits() const { return fits_; }
    void draw(QPainter& painter) const;

private:
    struct Line {
        QString text;
        QPointF baseline;   // where the line's text starts, on its baseline
        int accessKey = -1;  // index of the underlined letter, or -1
    };
    bool setAt(int pixelSize, qreal pitch, const forms::Font& designed, const QString& text, const TextBox& box);

    QFont font_;
    std::vector<Line> lines_;
    int accessKeyAt_ = -1;  // in the text without its "&"
    bool fits_ = false;
};

}  // namespace forms::qt

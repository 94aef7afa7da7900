// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Every caption of the game drawn with the stand-in faces stays inside its designed box, at the
// scales a desktop offers and the game's zooms on top of them: each label's text, and each
// button's caption inside its focus frame, laid out afresh at each zoom. The text is drawn on a
// larger canvas and any ink outside the box is a fault.
#include <set>

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "game/program.h"
#include "runtime/controls.h"
#include "qt_host/fitted_text.h"
#include "qt_host/form_button.h"
#include "qt_host/form_window.h"
#include "qt_host/geometry.h"
#include "game/screens/intro.h"
#include "game/screens/selec.h"

namespace hosttest {
namespace {

class NoDesktop final : public forms::Host {
public:
    void messageBox(std::string_view, std::string_view) override {}
};

// The desktop's scale, and the game's zoom on top of it.
struct Look {
    double scale;
    int zoom;
};
constexpr Look kLooks[] = {{1.0, 1}, {1.5, 1}, {2.0, 1}, {1.0, 2}, {1.0, 3}, {1.0, 4}, {1.5, 2}, {2.0, 2}};
std::string at(const Look& look) {
    return "at scale " + std::to_string(look.scale) + " zoom " + std::to_string(look.zoom);
}
constexpr int kMargin = 8;  // canvas pixels around the box, where ink must not go

// Device pixels with ink drawn outside `box` (window pixels) when `text` is drawn at `scale`;
// `inkRows` gets the rows, in device pixels relative to the box, that hold any ink at all.
int inkOutside(const forms::qt::FittedText& text, QSizeF box, double scale, int* inkRows = nullptr) {
    const QSize canvas = ((box + QSizeF(2 * kMargin, 2 * kMargin)) * scale).toSize();
    QImage image(canvas, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.translate(kMargin, kMargin);
        p.setPen(Qt::black);
        text.draw(p);
    }
    // The box as the window shows it: a picture of the box's size at the scale, rounded.
    const QRect inside(QPoint(int(kMargin * scale), int(kMargin * scale)), (box * scale).toSize());
    int outside = 0;
    std::set<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 0) continue;
            rows.insert(y);
            if (!inside.contains(x, y)) ++outside;
        }
    if (inkRows) *inkRows = static_cast<int>(rows.size());
    return outside;
}

// Every form of the program, loaded without a desktop: their labels and buttons as designed.
class Captions : public ::testing::Test {
protected:
    Captions() {
        for (forms::FormSlotBase* slot : std::initializer_list<forms::FormSlotBase*>{
                 &program.Intro, &program.Selec, &program.Game1, &program.Game2, &program.Game3, &program.Sprites})
            program.runtime.load(*slot);
    }
    template <class F>
    void forEach(F&& f) {
        for (forms::Form* form : program.runtime.loadedForms())
            for (forms::Control* c : form->controls()) f(*form, *c);
    }
    NoDesktop desktop;
    miravel::Program program{desktop};
};

TEST_F(Captions, EveryLabelsTextLiesInsideItsBoxAtEveryScale) {
    int labels = 0;
    forEach([&](forms::Form& form, forms::Control& c) {
        if (c.kind() != forms::Control::Kind::Label) return;
        ++labels;
        auto& label = static_cast<forms::Label&>(c);
        SCOPED_TRACE(form.name() + "." + label.name() + " \"" + label.Caption.get() + "\"");
        for (const Look& look : kLooks) {
            const QSize box = forms::qt::qRectOf(label).size() * look.zoom;
            const forms::qt::FittedText text = forms::qt::FormWindow::labelLayout(label, box, look.zoom);
            EXPECT_TRUE(text.fits()) << at(look);
            EXPECT_EQ(inkOutside(text, box, look.scale), 0) << at(look);
        }
    });
    EXPECT_GE(labels, 9);  // the title's five, the selection's caption, a stray one on each level
}

TEST_F(Captions, TextsSetOnTheLinesTheyWereDesignedFor) {
    auto& intro = program.Intro.get();
    struct Case {
        forms::Label& label;
        std::string caption;
        int lines;
        int shrinksBy = 3;  // pixels the stand-in may be smaller than the designed face, at most
    };
    const Case cases[] = {
        {intro.Label1, "Miravel Vozoda", 1},
        {intro.Label2, intro.Label2.Caption.get(), 1},
        {intro.Label3, intro.Label3.Caption.get(), 2},  // the contact line, two lines high
        {intro.LblScr, "Score", 1},
        {intro.Score, "0", 1},
        // Scores a long game may reach still fit the score board on one line.
        {intro.Score, "1230", 1},
        {intro.Score, "99990", 1, 10},
        {program.Selec.get().Selec, "Please Select a Level of Difficulty", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.label.name()) + " \"" + c.caption + "\"");
        c.label.Caption = c.caption;
        for (const Look& look : kLooks) {
            // Laid out afresh at the zoom: the same lines, in a face as many times larger.
            const QSize box = forms::qt::qRectOf(c.label).size() * look.zoom;
            const forms::qt::FittedText text = forms::qt::FormWindow::labelLayout(c.label, box, look.zoom);
            EXPECT_EQ(text.lineCount(), c.lines) << at(look);
            EXPECT_GE(text.font().pixelSize(), (c.label.look.font.pixelSize() - c.shrinksBy) * look.zoom) << at(look);
            EXPECT_EQ(inkOutside(text, box, look.scale), 0) << at(look);
        }
    }
}

TEST_F(Captions, EveryButtonsCaptionLiesInsideItsFocusFrame) {
    int buttons = 0;
    forEach([&](forms::Form& form, forms::Control& c) {
        if (c.kind() != forms::Control::Kind::CommandButton) return;
        ++buttons;
        auto& button = static_cast<forms::CommandButton&>(c);
        SCOPED_TRACE(form.name() + "." + button.name());
        for (const Look& look : kLooks) {
            const QSize size = forms::qt::qRectOf(button).size() * look.zoom;
            const QSizeF frame = forms::qt::FormButton::captionBox(size).size();
            const forms::qt::FittedText text(button.look.font, QString::fromStdString(button.Caption.get()),
                                             {QRectF(QPointF(), frame), true, true, false}, true, look.zoom);
            EXPECT_EQ(text.lineCount(), 1) << at(look);
            int rows = 0;
            EXPECT_EQ(inkOutside(text, frame, look.scale, &rows), 0) << at(look);
            // Drawn at all, and as large as the zoom makes it: the letters and the access key's
            // underline.
            const qreal designedFrame = forms::qt::FormButton::captionBox(forms::qt::qRectOf(button).size()).height();
            EXPECT_GE(rows, designedFrame * look.zoom * look.scale / 3) << at(look);
        }
    });
    EXPECT_EQ(buttons, 5);  // Begin, Quit and the three levels
}

}  // namespace
}  // namespace hosttest

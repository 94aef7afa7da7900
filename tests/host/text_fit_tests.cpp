// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Every caption of the game drawn with the stand-in faces stays inside its designed box, at the
// scales a desktop offers: each label's text, and each button's caption inside its focus frame.
// The text is drawn on a larger canvas and any ink outside the box is a fault.
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

constexpr double kScales[] = {1.0, 1.5, 2.0};
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
        const QSize box = forms::qt::qRectOf(label).size();
        const forms::qt::FittedText text = forms::qt::FormWindow::labelLayout(label, box);
        SCOPED_TRACE(form.name() + "." + label.name() + " \"" + label.Caption.get() + "\"");
        EXPECT_TRUE(text.fits());
        for (double scale : kScales) EXPECT_EQ(inkOutside(text, box, scale), 0) << "at scale " << scale;
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
        const QSize box = forms::qt::qRectOf(c.label).size();
        const forms::qt::FittedText text = forms::qt::FormWindow::labelLayout(c.label, box);
        EXPECT_EQ(text.lineCount(), c.lines);
        EXPECT_GE(text.font().pixelSize(), c.label.look.font.pixelSize() - c.shrinksBy);
        for (double scale : kScales) EXPECT_EQ(inkOutside(text, box, scale), 0) << "at scale " << scale;
    }
}

TEST_F(Captions, EveryButtonsCaptionLiesInsideItsFocusFrame) {
    int buttons = 0;
    forEach([&](forms::Form& form, forms::Control& c) {
        if (c.kind() != forms::Control::Kind::CommandButton) return;
        ++buttons;
        auto& button = static_cast<forms::CommandButton&>(c);
        const QSize size = forms::qt::qRectOf(button).size();
        const QSizeF frame = forms::qt::FormButton::captionBox(size).size();
        const forms::qt::FittedText text(button.look.font, QString::fromStdString(button.Caption.get()),
                                      {QRectF(QPointF(), frame), true, true, false}, true);
        SCOPED_TRACE(form.name() + "." + button.name());
        EXPECT_EQ(text.lineCount(), 1);
        for (double scale : kScales) {
            int rows = 0;
            EXPECT_EQ(inkOutside(text, frame, scale, &rows), 0) << "at scale " << scale;
            // Drawn at all: the letters and the access key's underline.
            EXPECT_GE(rows, frame.height() * scale / 3) << "at scale " << scale;
        }
    });
    EXPECT_EQ(buttons, 5);  // Begin, Quit and the three levels
}

}  // namespace
}  // namespace hosttest

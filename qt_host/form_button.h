// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A command button of a form as a real push button. It never takes Qt's keyboard focus and owns
// no shortcut: the model routes every key and says which button has the focus.
#pragma once

#include <QPushButton>
#include <QSize>
#include <utility>

#include "qt_host/fitted_text.h"

namespace forms {
class CommandButton;
}

namespace forms::qt {

class FormButton : public QPushButton {
    Q_OBJECT
public:
    FormButton(forms::CommandButton& button, QWidget* parent);

    forms::CommandButton* button() const { return button_; }
    void detach() { button_ = nullptr; }

    // Brings caption, geometry, visibility and focus in line with the model, the button drawn at
    // `zoom` with the form's top-left at `origin` of its window.
    void sync(int zoom, QPoint origin);
    bool hasModelFocus() const { return modelFocus_; }
    // The caption as drawn, and the box it is fitted to in a button of that size.
    const FittedText& caption() const { return fitted_; }
    static QRectF captionBox(QSize size);
    // Pixels between the button's edge and the dotted frame that marks the focus.
    static constexpr int kFocusInset = 3;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    forms::CommandButton* button_;
    bool modelFocus_ = false;
    QString caption_;
    FittedText fitted_;
    std::pair<QString, QSize> fittedFor_;
    int fittedZoom_ = 0;
};

}  // namespace forms::qt

// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/form_button.h"

#include <QPen>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "runtime/controls.h"
#include "runtime/form.h"
#include "qt_host/geometry.h"
#include "qt_host/stand_in_fonts.h"

namespace forms::qt {

FormButton::FormButton(forms::CommandButton& button, QWidget* parent)
    : QPushButton(parent), button_(&button) {
    setFocusPolicy(Qt::NoFocus);
    setAutoDefault(false);
    setFont(standInFont(button.look.font));
    // The form's custom pointer is for its surface; buttons keep the desktop's own.
    setCursor(Qt::ArrowCursor);
}

void FormButton::sync(int zoom, QPoint origin) {
    if (!button_) return;
    const QString caption = QString::fromStdString(button_->Caption.get());
    if (caption != caption_) {
        caption_ = caption;
        setText(caption);
        // setText grabs the "&" letter as a Qt shortcut; Alt+letter is the model's to route.
        setShortcut(QKeySequence());
    }
    const QRect designed = qRectOf(*button_);
    const QRect place(origin + designed.topLeft() * zoom, designed.size() * zoom);
    if (caption != fittedFor_.first || place.size() != fittedFor_.second || zoom != fittedZoom_) {
        fittedFor_ = {caption, place.size()};
        fittedZoom_ = zoom;
        fitted_ = FittedText(button_->look.font, caption, {captionBox(place.size()), true, true, false}, true, zoom);
        update();
    }
    setGeometry(place);
    const bool focused = button_->form().focus() == button_;
    if (focused != modelFocus_) {
        modelFocus_ = focused;
        update();
    }
    setVisible(button_->Visible);
}

// Inside the frame the desktop draws around the focused button's caption.
QRectF FormButton::captionBox(QSize size) {
    return QRectF(kFocusInset + 1, kFocusInset + 1, size.width() - 2 * (kFocusInset + 1),
                  size.height() - 2 * (kFocusInset + 1));
}

void FormButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    if (modelFocus_) option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    painter.setPen(palette().color(QPalette::ButtonText));
    // The caption is set by the game's own rules, fitted inside the focus frame, so the frame
    // never runs through it.
    fitted_.draw(painter);
    if (!modelFocus_) return;
    // The style's own focus hint is faint on a coloured form: add the desktop's classic dotted
    // frame inside the button, so the player sees where Enter goes.
    painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1));
}

}  // namespace forms::qt

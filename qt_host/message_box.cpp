// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/message_box.h"

#include <algorithm>

#include <QApplication>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "qt_host/placement.h"
#include "qt_host/window_state.h"

namespace forms::qt {

namespace {
// A long message wraps at about this many of the desktop font's average letters.
constexpr int kLettersPerLine = 60;
}  // namespace

MessageBox::MessageBox(const QString& title, const QString& text, QWidget* owner, int zoom,
                       std::function<QRect()> keepClear)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      text_(new QLabel(text, this)),
      keepClear_(std::move(keepClear)) {
    if (owner) owner->installEventFilter(this);
    setWindowTitle(title);
    if (zoom > 1) {
        // As large as the game's windows are; the window manager's caption does not grow.
        QFont larger = QApplication::font();
        larger.setPointSizeF(larger.pointSizeF() * zoom);
        setFont(larger);
    }
    setModal(true);
    text_->setTextFormat(Qt::PlainText);
    text_->setWordWrap(true);
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const QString& line : text.split(u'\n')) widest = std::max(widest, metrics.horizontalAdvance(line));
    // Each line whole where it is short; a long text wraps into a comfortable column. The box is
    // never narrower than its caption needs.
    auto* layout = new QVBoxLayout(this);
    const QMargins margins = layout->contentsMargins();
    text_->setMinimumWidth(std::max(std::min(widest, metrics.averageCharWidth() * kLettersPerLine),
                                    widthForCaption(title) - margins.left() - margins.right()));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setCenterButtons(true);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setIcon(QIcon());  // a plain OK, as the desktop's own boxes have
    ok_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(text_);
    layout->addSpacing(metrics.height() / 2);
    layout->addWidget(buttons);
    // Its final size now, so that showing it centres it over its owner.
    adjustSize();
}

void MessageBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!watchingState_ && windowHandle()) {
        watchingState_ = true;
        // The game waits for this box: put it back in front of the player, once the window
        // manager has finished minimising it (on openbox that brings its owner back too). Qt's
        // own frame on Wayland minimises the window alone, telling the widget nothing. That frame
        // also offers to maximise it: the box keeps its own size.
        connect(windowHandle(), &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
            if (state == Qt::WindowMinimized)
                QTimer::singleShot(0, this, [this] {
                    returning_ = true;
                    bringBack(*this);
                    // Long enough for the window manager to have mapped it again.
                    QTimer::singleShot(1000, this, [this] { returning_ = false; });
                });
            if (state == Qt::WindowMaximized || state == Qt::WindowFullScreen)
                QTimer::singleShot(0, this, [this] { showNormal(); });
        });
    }
    if (placedAt_) {
        putBack();
        return;
    }
    place();
}

void MessageBox::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (returning_) putBack();
}

void MessageBox::putBack() {
    // Qt takes a move to where it believes the box already is for no move at all; the frame's
    // place is set on the window itself.
    if (placedAt_ && pos() != *placedAt_ && windowHandle()) windowHandle()->setFramePosition(*placedAt_);
}

void MessageBox::place() {
    // Over the window it belongs to, clear of what the game has just put up there; Qt's own
    // placement allows for a frame it guesses.
    QWidget* owner = parentWidget();
    if (!owner || !owner->isVisible()) return;
    const QSize frame = size().grownBy(expectedFrame());
    const QRect ownerFrame = owner->frameGeometry();
    move(placedClearOf(ownerFrame, frame, keepClear_ ? keepClear_() : QRect(), availableAt(ownerFrame.center())));
    placedAt_ = pos();
}

bool MessageBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && (event->type() == QEvent::Resize || event->type() == QEvent::Move) &&
        isVisible() && placedAt_)
        place();
    return QDialog::eventFilter(watched, event);
}

void MessageBox::ask() {
    // Not QDialog::exec(): hiding the box, as bringing it back on Wayland does, would end that.
    QEventLoop answered;
    connect(this, &QDialog::finished, &answered, &QEventLoop::quit);
    show();
    answered.exec(QEventLoop::DialogExec);
}

QString MessageBox::text() const { return text_->text(); }

int MessageBox::widthForCaption(const QString& caption) {
    // Title bars set their caption bold, often a little larger than the desktop's text, and many
    // centre it across the whole bar, which holds a window menu on one side and up to three
    // buttons on the other (Qt's own frame on Wayland draws all three), each about as wide as
    // the bar is high.
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    const QFontMetrics metrics(titleFont);
    return metrics.horizontalAdvance(caption) + 2 * (3 * metrics.height() + 24);
}

}  // namespace forms::qt

#include "runtime/qt/message_box.h"

#include <algorithm>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "runtime/qt/placement.h"

namespace vb::qt {

namespace {
// A long message wraps at about this many of the desktop font's average letters.
constexpr int kLettersPerLine = 60;
}  // namespace

MessageBox::MessageBox(const QString& title, const QString& text, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      text_(new QLabel(text, this)) {
    setWindowTitle(title);
    setModal(true);
    text_->setTextFormat(Qt::PlainText);
    text_->setWordWrap(true);
    const QFontMetrics metrics(text_->font());
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
    // Centred over the window it belongs to; Qt's own placement allows for a frame it guesses.
    QWidget* owner = parentWidget();
    if (!owner || !owner->isVisible()) return;
    const QPoint ownerFrame = owner->geometry().topLeft() - owner->frameGeometry().topLeft();
    placeWindow(*this, owner->geometry().center() - rect().center() - ownerFrame);
}

void MessageBox::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized()) return;
    // The game waits for this box: put it back in front of the player, once the window manager
    // has finished minimising (bringing it back brings its owner back too).
    QTimer::singleShot(0, this, [this] {
        showNormal();
        raise();
        activateWindow();
    });
}

QString MessageBox::text() const { return text_->text(); }

int MessageBox::widthForCaption(const QString& caption) {
    // Title bars set their caption bold, often a little larger than the desktop's text; a window
    // menu and a close button stand beside it, each about as wide as the bar is high.
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    const QFontMetrics metrics(titleFont);
    return metrics.horizontalAdvance(caption) + 4 * metrics.height() + 32;
}

}  // namespace vb::qt

// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/form_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QRegion>
#include <QTimer>
#include <QWindow>

#include <cmath>

#include "host_core/zoom.h"
#include "runtime/form.h"
#include "runtime/runtime.h"
#include "qt_host/form_button.h"
#include "qt_host/geometry.h"
#include "qt_host/key_codes.h"
#include "qt_host/picture_cache.h"
#include "qt_host/placement.h"
#include "qt_host/qt_host.h"
#include "qt_host/window_state.h"
#include "qt_host/fitted_text.h"

namespace forms::qt {

namespace {

QColor toQColor(const forms::Color& c) { return {c.r, c.g, c.b}; }
core::Size coreSize(QSize s) { return {s.width(), s.height()}; }

// The fewest window pixels that are whole device pixels at this scale (2 at 1.5): the form's
// place in a larger window is a multiple of it, so its pictures' squares stay whole.
int wholeDeviceStep(qreal scale) {
    for (int step = 1; step < 4; ++step)
        if (std::abs(step * scale - std::round(step * scale)) < 1e-6) return step;
    return 4;
}

}  // namespace

FormWindow::FormWindow(forms::Form& form, QtHost& host)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      form_(&form),
      host_(host),
      view_(form) {
    const forms::FormDesign& design = form.design();
    designSize_ = QSize(design.clientWidth / kTwipsPerPixel, design.clientHeight / kTwipsPerPixel);
    // Whatever size a window manager or compositor gives the window, the form is drawn at the
    // zoom that fits it; a compositor ends a client that will not take the size it configured.
    setMinimumSize(designSize_);
    // At its design position times its zoom, on the screen there.
    const QPoint designed(design.left / kTwipsPerPixel, design.top / kTwipsPerPixel);
    move(designed * host.zoom());
    const int zoom = normalZoom();
    resize(designSize_ * zoom);
    placeWindow(*this, designed * zoom);
    fitToSize();
    setFocusPolicy(Qt::StrongFocus);
    // Long enough for the press of an X auto-repeat pair to arrive, too short for a player to feel.
    releaseTimer_.setSingleShot(true);
    releaseTimer_.setInterval(25);
    connect(&releaseTimer_, &QTimer::timeout, this, &FormWindow::flushRelease);
    // Every pixel is painted by paintEvent: no need for Qt to clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (const forms::PictureData* icon = form.Icon.data()) setWindowIcon(host.pictures().icon(icon->name));
    if (const forms::PictureData* pointer = form.MouseIcon.data())
        setCursor(host.pictures().cursor(pointer->name));

    for (forms::Control* c : form.controls()) {
        if (c->kind() != forms::Control::Kind::CommandButton) continue;
        auto* button = new FormButton(*static_cast<forms::CommandButton*>(c), this);
        connect(button, &QPushButton::clicked, this, [this, button] {
            if (form_ && button->button()) host_.click(*this, *button->button());
        });
        buttons_.push_back(button);
    }
    sync();
}

void FormWindow::detach() {
    form_ = nullptr;
    labelText_.clear();
    for (FormButton* b : buttons_) b->detach();
    hide();
}

void FormWindow::syncIfChanged() {
    if (form_ && view_.stale()) sync();
}

void FormWindow::sync() {
    if (!form_) return;
    const forms::core::FormView::Changes changes = view_.sync(&before_);
    if (changes.caption) setWindowTitle(QString::fromStdString(view_.caption()));
    // Buttons are child widgets, so they lie over everything the form paints.
    for (FormButton* b : buttons_) b->sync(zoom_, origin_);
    // Shown only through the host's formShown; a form the game hides goes away here.
    if (!form_->Visible && isVisible()) hide();
    updateChanged(changes);
}

void FormWindow::updateChanged(const forms::core::FormView::Changes& changes) {
    if (changes.first) {
        update();
        return;
    }
    // A ball that moves costs its old and new places, not the whole window. Buttons are widgets
    // of their own and paint themselves.
    const std::vector<forms::Control*>& controls = form_->controls();
    auto place = [](const forms::core::ControlView& v) { return v.visible ? toQRect(v.rect) : QRect(); };
    QRegion dirty;
    for (std::size_t k = 0; k < changes.controls.size(); ++k) {
        const auto i = static_cast<std::size_t>(changes.controls[k]);
        if (controls[i]->kind() == forms::Control::Kind::CommandButton) continue;
        dirty += place(before_[k]);
        dirty += place(view_.controls()[i]);
    }
    if (dirty.isEmpty()) return;
    changed_ += dirty;
    QRegion inside;
    for (const QRect& r : dirty) inside += inWindow(r);
    update(inside);
}

QRect FormWindow::inWindow(const QRect& designed) const {
    return {origin_ + designed.topLeft() * zoom_, designed.size() * zoom_};
}

int FormWindow::normalZoom() const {
    const QRect available = availableAt(isVisible() ? frameGeometry().center() : pos());
    return core::windowZoom(host_.zoom(), coreSize(designSize_), coreSize(QSize(0, 0).grownBy(expectedFrame())),
                            coreSize(available.size()));
}

void FormWindow::followZoom() {
    if (isFullScreen() || isMaximized()) return;
    const int zoom = normalZoom();
    const QSize size = designSize_ * zoom;
    if (normalPlace_) {
        // Back from fullscreen, where it was. The window manager may not have put its frame back
        // yet, so the client area is placed, and its frame still kept on the screen.
        const NormalPlace from = *normalPlace_;
        normalPlace_.reset();
        const QMargins frame = expectedFrame();
        const QPoint inset(frame.left(), frame.top());
        const QPoint client = from.pos * zoom / std::max(1, from.zoom);
        setGeometry(QRect(placedOnScreen(client - inset, size.grownBy(frame), availableAt(client)) + inset, size));
        return;
    }
    if (size == this->size()) return;
    // Its frame's place grows and shrinks with the zoom, as the design position does, and stays
    // wholly on the screen.
    const QPoint at = pos() * zoom / std::max(1, zoom_);
    resize(size);
    placeWindow(*this, at);
}

void FormWindow::showFullScreen() {
    // Some window managers (openbox) put a window back at the screen's corner, its title bar
    // off the screen, when it leaves fullscreen.
    if (!isFullScreen() && !isMaximized() && !normalPlace_) normalPlace_ = NormalPlace{geometry().topLeft(), zoom_};
    QWidget::showFullScreen();
}

void FormWindow::showAsTheGameIs() {
    if (host_.fullScreen()) {
        showFullScreen();
        return;
    }
    if (isFullScreen()) showNormal();
    show();
}

QRect FormWindow::changedOnScreen() const {
    if (!form_ || changed_.isEmpty()) return {};
    QRect changed = changed_.boundingRect();
    // With the frames drawn around it.
    for (const forms::Control* c : form_->controls())
        if (c->kind() == forms::Control::Kind::Shape && static_cast<const forms::Shape&>(*c).Visible) {
            const QRect shape = qRectOf(static_cast<const forms::Shape&>(*c));
            if (shape.intersects(changed)) changed |= shape;
        }
    const QRect r = inWindow(changed);
    return {mapToGlobal(r.topLeft()), r.size()};
}

void FormWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitToSize();
}

void FormWindow::fitToSize() {
    // The largest whole zoom that fits, centred; black around it.
    zoom_ = std::max(1, core::wholeZoomToFit(coreSize(designSize_), {}, coreSize(size())));
    const int step = wholeDeviceStep(devicePixelRatioF());
    const QSize room = size() - designSize_ * zoom_;
    origin_ = QPoint(std::max(0, room.width() / 2) / step * step, std::max(0, room.height() / 2) / step * step);
    if (!form_) return;
    for (FormButton* b : buttons_) b->sync(zoom_, origin_);
    update();
}

void FormWindow::applyWindowState(int state) {
    applyingState_ = true;
    if (state == 1) {
        showMinimized();
    } else if (host_.fullScreen()) {
        if (minimisingIsOneWay()) hide();  // only a new surface comes back there
        showFullScreen();
        raise();
        activateWindow();
    } else {
        bringBack(*this);
    }
    applyingState_ = false;
}

void FormWindow::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    // Pixel art: no smoothing, so a scaled screen shows crisp pixels.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (!form_) return;
    const QRect form(origin_, designSize_ * zoom_);
    // One pass per rectangle of what needs repainting, each under a plain rectangular clip: the
    // raster engine then copies pictures row by row. Under a clip of several rectangles it blends
    // them span by span and hands the work to helper threads, costing more than the drawing.
    for (const QRect& area : event->region()) {
        if (!form.contains(area))
            for (const QRect& around : QRegion(area).subtracted(form)) p.fillRect(around, Qt::black);
        const QRect inside = area & form;
        if (inside.isEmpty()) continue;
        p.setClipRect(inside);
        paintArea(p, inside);
    }
}

void FormWindow::paintArea(QPainter& p, const QRect& area) {
    const forms::FormDesign& design = form_->design();
    p.fillRect(area, design.backColor ? toQColor(*design.backColor) : palette().color(QPalette::Window));
    PictureCache& pictures = host_.pictures();
    const qreal scale = devicePixelRatioF();
    // Unscaled from the top-left; what passes the client area is cut off.
    if (const forms::PictureData* bg = form_->Picture.data())
        p.drawPixmap(origin_, pictures.pixmap(bg->name, scale, zoom_));

    for (forms::Control* c : form_->controls()) {
        switch (c->kind()) {
        case forms::Control::Kind::Shape: {
            auto& shape = static_cast<forms::Shape&>(*c);
            if (!shape.Visible) break;
            // Drawn as a frame: the shapes of the game mark out a place, they do not cover it.
            const QRect r = inWindow(qRectOf(shape));
            if (!r.intersects(area)) break;
            const int kFrame = 2 * zoom_;
            const QColor colour = toQColor(shape.color);
            p.fillRect(QRect(r.left(), r.top(), r.width(), kFrame), colour);
            p.fillRect(QRect(r.left(), r.bottom() - kFrame + 1, r.width(), kFrame), colour);
            p.fillRect(QRect(r.left(), r.top(), kFrame, r.height()), colour);
            p.fillRect(QRect(r.right() - kFrame + 1, r.top(), kFrame, r.height()), colour);
            break;
        }
        case forms::Control::Kind::Image: {
            auto& image = static_cast<forms::Image&>(*c);
            const forms::PictureData* picture = image.Picture.get().data();
            if (!image.Visible || !picture) break;
            const QRect r = inWindow(QRect(toPixels(image.Left.get().value()), toPixels(image.Top.get().value()),
                                           picture->width, picture->height));
            if (!r.intersects(area)) break;
            // Unscaled at its own place; a GIF's transparent colour lets what lies beneath show.
            p.drawPixmap(r.topLeft(), pictures.pixmap(picture->name, scale, zoom_));
            break;
        }
        case forms::Control::Kind::Label: {
            auto& label = static_cast<forms::Label&>(*c);
            if (!label.Visible) break;
            const QRect r = inWindow(qRectOf(label));
            if (!r.intersects(area)) break;
            p.drawPixmap(r.topLeft(), labelText(label, r.size(), scale, zoom_));
            break;
        }
        case forms::Control::Kind::CommandButton:  // real buttons, over everything
        case forms::Control::Kind::Timer:
            break;
        }
    }
}

// Laying out and filling the glyphs of large text is the dearest thing a window here paints
// (the title's letters are filled as outlines at twice the scale), so each label's text is drawn
// once and the picture reused until its caption or size changes.
const QPixmap& FormWindow::labelText(const forms::Label& label, QSize size, qreal scale, int zoom) {
    LabelText& cached = labelText_[&label];
    const std::string& caption = label.Caption.get();
    if (cached.caption == caption && cached.size == size && cached.scale == scale && cached.zoom == zoom &&
        !cached.pixmap.isNull())
        return cached.pixmap;
    cached.caption = caption;
    cached.size = size;
    cached.scale = scale;
    cached.zoom = zoom;
    cached.pixmap = QPixmap((QSizeF(size) * scale).toSize());
    cached.pixmap.setDevicePixelRatio(scale);
    cached.pixmap.fill(label.look.backColor ? toQColor(*label.look.backColor) : QColor(Qt::transparent));
    QPainter p(&cached.pixmap);
    p.setPen(label.look.foreColor ? toQColor(*label.look.foreColor) : QColor(Qt::black));
    // The picture is the label's box, so its text never leaves it.
    labelLayout(label, size, zoom).draw(p);
    return cached.pixmap;
}

FittedText FormWindow::labelLayout(const forms::Label& label, QSize size, int zoom) {
    return FittedText(label.look.font, QString::fromStdString(label.Caption.get()),
                      {QRectF(QPointF(0, 0), QSizeF(size)), label.look.centred, false, true}, false, zoom);
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    // Zoom and fullscreen are the desktop's own keys: the game never sees them.
    if (host_.hostKey(*this, *event)) return;
    const int code = desktopKeyCode(event->key(), event->modifiers());
    if (!form_ || code == 0) {
        event->ignore();
        return;
    }
    if (pendingRelease_ && pendingRelease_->code == code) {
        pendingRelease_.reset();  // the key never came up: this press is a repeat
        releaseTimer_.stop();
    } else {
        flushRelease();  // keys reach the game in the order they happened
    }
    // A held key repeats as further key-downs, as on the desktop.
    keys_.pressed(code);
    host_.keyDown(*this, code, desktopModifiers(event->modifiers()));
}

void FormWindow::keyReleaseEvent(QKeyEvent* event) {
    // X repeats a held key as release and press pairs; the one key-up comes at the real release.
    if (event->isAutoRepeat()) return;
    const int code = desktopKeyCode(event->key(), event->modifiers());
    if (!form_ || code == 0 || !keys_.isDown(code)) {
        event->ignore();
        return;
    }
    flushRelease();
    pendingRelease_ = PendingRelease{code, desktopModifiers(event->modifiers())};
    releaseTimer_.start();
}

void FormWindow::flushRelease() {
    if (!pendingRelease_) return;
    const PendingRelease r = *pendingRelease_;
    pendingRelease_.reset();
    releaseTimer_.stop();
    if (keys_.released(r.code) && form_) host_.keyUp(*this, r.code, r.modifiers);
}

void FormWindow::focusOutEvent(QFocusEvent* event) {
    // Keys released while another window has the keyboard never come back here.
    flushRelease();
    keys_.clear();
    QWidget::focusOutEvent(event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // The form decides; if it unloads, the model takes the window away.
    event->ignore();
    if (form_) host_.frameClose(*this);
}

void FormWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (watchingState_ || !windowHandle()) return;
    watchingState_ = true;
    // Qt's own frame on Wayland minimises the window alone, telling the widget nothing.
    connect(windowHandle(), &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
        if (state == Qt::WindowMinimized && !applyingState_ && form_ && form_->WindowState != 1)
            host_.playerSetWindowState(*this, 1);
    });
}

void FormWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Back from maximised or fullscreen: the size of the game's zoom, which may have changed.
    if (form_ && event->type() == QEvent::WindowStateChange &&
        !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
        QTimer::singleShot(0, this, [this] {
            if (form_) followZoom();
        });
    if (applyingState_ || !form_) return;
    if (event->type() == QEvent::WindowStateChange) {
        // Only a change the model does not know of yet is the player's own. Where minimising is
        // one way, a window reported normal may well still be minimised: that report says nothing.
        const int state = isMinimized() ? 1 : 0;
        if (state == 0 && minimisingIsOneWay()) return;
        if (state != form_->WindowState) host_.playerSetWindowState(*this, state);
    } else if (event->type() == QEvent::ActivationChange && minimisingIsOneWay()) {
        // There, a window the player brings back from the task list tells only by becoming active:
        // a minimised window never is.
        if (isActiveWindow() && form_->WindowState == 1) host_.playerSetWindowState(*this, 0);
    }
}

bool FormWindow::focusNextPrevChild(bool) { return false; }

}  // namespace forms::qt

// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/qt_host.h"

#include <vector>

#include <QApplication>
#include <QKeyEvent>

#include "host_core/zoom.h"
#include "qt_host/placement.h"
#include "runtime/form.h"
#include "qt_host/form_window.h"
#include "qt_host/message_box.h"
#include "runtime/pixels.h"
#include "runtime/runtime.h"

namespace forms::qt {

// The pump keeps a reference to the alarm, which is made just after it; it first uses it in attach.
QtHost::QtHost(std::map<std::string, std::string> resources, QObject* parent)
    : QObject(parent), LiveHost(alarm_), pictures_(std::move(resources)), alarm_([this] { pump().fire(); }) {}

QtHost::~QtHost() {
    // The forms may be gone already; windows must not reach for them while they close.
    for (auto& [form, window] : windows_) window->detach();
}

FormWindow* QtHost::window(const forms::Form& form) const {
    auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second.get();
}

FormWindow* QtHost::windowInFront() const {
    if (auto* active = qobject_cast<FormWindow*>(QApplication::activeWindow()); active && active->form())
        return active;
    return lastRaised_ && lastRaised_->form() && lastRaised_->isVisible() ? lastRaised_.data() : nullptr;
}

void QtHost::formShown(forms::Form& form) {
    FormWindow* w = window(form);
    if (zoom_.zoom == 0) {
        // The first window, the title, sets the zoom: the largest at which it, frame included,
        // fits the screen it opens on.
        const forms::FormDesign& d = form.design();
        const QPoint at(d.left / kTwipsPerPixel, d.top / kTwipsPerPixel);
        const QRect available = availableAt(at);
        const QSize frame = QSize(0, 0).grownBy(expectedFrame());
        zoom_.zoom = zoom_.startZoom = core::startZoom({d.clientWidth / kTwipsPerPixel, d.clientHeight / kTwipsPerPixel},
                                                       {frame.width(), frame.height()},
                                                       {available.width(), available.height()});
    }
    if (!w) {
        auto created = std::make_unique<FormWindow>(form, *this);
        w = created.get();
        windows_.emplace(&form, std::move(created));
    }
    if (form.WindowState == 1) {
        w->applyWindowState(1);
        return;
    }
    w->showAsTheGameIs();
    w->raise();
    w->activateWindow();
    lastRaised_ = w;
}

void QtHost::formUnloading(forms::Form& form) { dropWindow(form); }

void QtHost::dropWindow(const forms::Form& form) {
    Q_EMIT formGoing(&form);
    auto it = windows_.find(&form);
    if (it == windows_.end()) return;
    FormWindow* w = it->second.release();
    windows_.erase(it);
    w->detach();
    // Later: the player's click or close that led here may still be running inside the window.
    w->deleteLater();
}

void QtHost::windowStateChanged(forms::Form& form) {
    FormWindow* w = window(form);
    if (!w) return;
    w->applyWindowState(form.WindowState);
    if (form.WindowState == 0) lastRaised_ = w;
}

void QtHost::showBox(std::string_view title, std::string_view text) {
    // Over the window last brought up, which is where the game wants the player to look.
    FormWindow* owner = lastRaised_ && lastRaised_->form() && lastRaised_->isVisible() ? lastRaised_.data() : nullptr;
    // At the game's zoom, clear of what the game has just put up on its owner.
    QPointer<FormWindow> watched = owner;
    MessageBox box(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                   QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), owner,
                   owner ? owner->zoom() : zoom(), [watched] { return watched ? watched->changedOnScreen() : QRect(); });
    openBox_ = &box;
    Q_EMIT messageBoxOpened();
    box.ask();
    openBox_ = nullptr;
    Q_EMIT messageBoxClosed();
}

void QtHost::closeAll(int status) {
    while (!windows_.empty()) dropWindow(*windows_.begin()->first);
    Q_EMIT ended(status);
}

void QtHost::syncWindows() {
    for (auto& [form, window] : windows_) window->syncIfChanged();
}

void QtHost::windowsChanged() {
    syncWindows();
    // What an event changed is news only until the next one: a box keeps the latest clear.
    for (auto& [form, window] : windows_) window->forgetChanges();
}

bool QtHost::hostKey(FormWindow& window, const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    const int k = key.key();
    if (mods == Qt::ControlModifier) {
        if (k == Qt::Key_Plus || k == Qt::Key_Equal) setZoom(zoom() + 1);
        else if (k == Qt::Key_Minus || k == Qt::Key_Underscore) setZoom(zoom() - 1);
        else if (k == Qt::Key_0 || k == Qt::Key_ParenRight) setZoom(zoom_.startZoom);
        else return false;
        return true;
    }
    const bool f11 = k == Qt::Key_F11 && mods == Qt::NoModifier;
    const bool altEnter = (k == Qt::Key_Return || k == Qt::Key_Enter) && mods == Qt::AltModifier;
    if (!f11 && !altEnter) return false;
    if (!key.isAutoRepeat()) setFullScreen(window, !zoom_.fullScreen);
    return true;
}

void QtHost::setZoom(int zoom) {
    // Beyond the largest zoom any shown window fits at, nothing would grow.
    std::vector<core::Size> shown;
    QRect available;
    for (auto& [form, window] : windows_)
        if (window->isVisible()) {
            shown.push_back({window->designSize().width(), window->designSize().height()});
            available = availableAt(window->frameGeometry().center());
        }
    if (shown.empty()) available = availableAt(QPoint(0, 0));
    const QSize frame = QSize(0, 0).grownBy(expectedFrame());
    const int largest = core::largestZoom(shown.data(), static_cast<int>(shown.size()),
                                          {frame.width(), frame.height()}, {available.width(), available.height()});
    zoom_.zoom = std::clamp(zoom, 1, std::max(largest, zoom_.startZoom));
    for (auto& [form, window] : windows_) window->followZoom();
}

void QtHost::setFullScreen(FormWindow& front, bool on) {
    zoom_.fullScreen = on;
    if (on) {
        front.showFullScreen();
        return;
    }
    for (auto& [form, window] : windows_)
        if (window->isFullScreen()) window->showNormal();
}

// A window's form is gone once the model unloaded it; the window only waits to be deleted.
void QtHost::click(FormWindow& window, forms::CommandButton& button) {
    if (caughtUp([&] { return window.form(); })) runtime()->click(button);
}

void QtHost::keyDown(FormWindow& window, int keyCode, int modifiers) {
    if (forms::Form* f = caughtUp([&] { return window.form(); })) runtime()->keyDown(*f, keyCode, modifiers);
}

void QtHost::keyUp(FormWindow& window, int keyCode, int modifiers) {
    if (forms::Form* f = caughtUp([&] { return window.form(); })) runtime()->keyUp(*f, keyCode, modifiers);
}

void QtHost::frameClose(FormWindow& window) {
    if (forms::Form* f = caughtUp([&] { return window.form(); })) runtime()->frameClose(*f);
}

void QtHost::playerSetWindowState(FormWindow& window, int state) {
    if (forms::Form* f = caughtUp([&] { return window.form(); })) runtime()->playerSetWindowState(*f, state);
}

}  // namespace forms::qt

// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/qt_host.h"

#include <QApplication>

#include "host_core/error_text.h"
#include "runtime/form.h"
#include "qt_host/form_window.h"
#include "qt_host/message_box.h"
#include "runtime/runtime.h"

namespace forms::qt {

QtHost::QtHost(std::map<std::string, std::string> resources, QObject* parent)
    : QObject(parent), pictures_(std::move(resources)) {}

QtHost::~QtHost() {
    // The forms may be gone already; windows must not reach for them while they close.
    for (auto& [form, window] : windows_) window->detach();
}

void QtHost::attach(forms::Runtime& runtime) {
    runtime_ = &runtime;
    pump_.attach(runtime);
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
    if (!w) {
        auto created = std::make_unique<FormWindow>(form, *this);
        w = created.get();
        windows_.emplace(&form, std::move(created));
    }
    if (form.WindowState == 1) {
        w->applyWindowState(1);
        return;
    }
    w->show();
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

void QtHost::showBox(const QString& title, const QString& text) {
    // The handler that opens the box has changed the windows (a defeat puts up the score board
    // first): show that now, not after the player has closed the box.
    syncWindows();
    // Over the window last brought up, which is where the game wants the player to look.
    QWidget* owner = lastRaised_ && lastRaised_->form() && lastRaised_->isVisible() ? lastRaised_.data() : nullptr;
    MessageBox box(title, text, owner);
    openBox_ = &box;
    Q_EMIT messageBoxOpened();
    box.ask();
    openBox_ = nullptr;
    Q_EMIT messageBoxClosed();
}

void QtHost::messageBox(std::string_view title, std::string_view text) {
    // The model holds its ticks back while the box is open; Qt's timers keep firing inside exec(),
    // so the pump stops until the event that opened the box is done.
    pump_.rearm();
    showBox(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QtHost::runtimeError(const forms::RuntimeError& error) {
    pump_.rearm();  // the report is a box too: no tick is due under it
    showBox(QString::fromStdString(runtime_ ? runtime_->title() : std::string()),
            QString::fromStdString(forms::core::errorText(error)));
}

void QtHost::programEnded(int status) {
    pump_.rearm();  // nothing is due any more: the pump stops
    while (!windows_.empty()) dropWindow(*windows_.begin()->first);
    Q_EMIT ended(status);
}

void QtHost::syncWindows() {
    for (auto& [form, window] : windows_) window->syncIfChanged();
}

void QtHost::eventDone() {
    syncWindows();
    pump_.rearm();
}

bool QtHost::catchUpFor(const FormWindow& window) {
    if (!runtime_ || runtime_->ended()) return false;
    pump_.catchUp();
    return window.form() != nullptr;
}

void QtHost::click(FormWindow& window, forms::CommandButton& button) {
    if (catchUpFor(window)) runtime_->click(button);
}

void QtHost::keyDown(FormWindow& window, int keyCode, int modifiers) {
    if (catchUpFor(window)) runtime_->keyDown(*window.form(), keyCode, modifiers);
}

void QtHost::keyUp(FormWindow& window, int keyCode, int modifiers) {
    if (catchUpFor(window)) runtime_->keyUp(*window.form(), keyCode, modifiers);
}

void QtHost::closeRequested(FormWindow& window) {
    if (catchUpFor(window)) runtime_->closeRequested(*window.form());
}

void QtHost::playerSetWindowState(FormWindow& window, int state) {
    if (catchUpFor(window)) runtime_->setWindowState(*window.form(), state);
}

}  // namespace forms::qt

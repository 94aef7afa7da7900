// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/qt_host.h"

#include "runtime/form.h"
#include "qt_host/form_window.h"
#include "qt_host/message_box.h"
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
    QWidget* owner = lastRaised_ && lastRaised_->form() && lastRaised_->isVisible() ? lastRaised_.data() : nullptr;
    MessageBox box(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                   QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), owner);
    box.ask();
}

void QtHost::closeAll(int status) {
    while (!windows_.empty()) dropWindow(*windows_.begin()->first);
    Q_EMIT ended(status);
}

void QtHost::syncWindows() {
    for (auto& [form, window] : windows_) window->syncIfChanged();
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

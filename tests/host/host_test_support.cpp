// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host_test_support.h"

#include <QApplication>
#include "qt_host/message_box.h"
#include <QPushButton>
#include <QTimer>

#include "assets/artwork.h"
#include "assets/embedded.h"
#include "game/screens/intro.h"

namespace hosttest {

QImage asset(const char* name) {
    const std::string path = miravel::resourcePath(name);
    if (!path.empty()) return QImage(QString::fromStdString(path));
    ADD_FAILURE() << "no artwork " << name;
    return {};
}

QImage grabImage(QWidget& window) {
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

double expectedScale() {
    bool ok = false;
    const double scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok ? scale : 1.0;
}

void answerNextBox(std::function<void(forms::qt::MessageBox&)> inspect) {
    // Polls, since the box appears only once exec() has started its own event loop.
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, inspect = std::move(inspect)] {
        auto* box = qobject_cast<forms::qt::MessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        poll->stop();
        poll->deleteLater();
        inspect(*box);
        box->okButton()->click();
    });
    poll->start(5);
}

void GameDesktop::SetUp() {
    QObject::connect(&host, &forms::qt::QtHost::ended, [this](int status) { endings.push_back(status); });
    host.attach(program.runtime);
    program.start();
}

void GameOnTestClock::SetUp() {
    host.alarm().setClock([this] { return clockNs; });
    GameDesktop::SetUp();
}

void GameOnTestClock::advance(std::int64_t ms) {
    clockNs += ms * 1'000'000;
    if (host.pump().armed()) host.pump().fire();
}

void GameDesktop::TearDown() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

forms::qt::FormWindow* GameDesktop::window(forms::FormSlotBase& slot) const {
    return slot.instance() ? host.window(*slot.instance()) : nullptr;
}

void GameDesktop::open(forms::FormSlotBase& slot) {
    program.runtime.dispatch([&] { program.runtime.show(slot); });
}

void GameDesktop::finishSlide() {
    while (program.Intro->Timer1.Enabled) program.runtime.tick(program.Intro->Timer1);
}

namespace {
const forms::FormDesign kProbeDesign{"Probe", 3000, 1500, 1500, 1500, forms::Color{0, 128, 0}};
}

KeyProbe::KeyProbe(forms::FormSlotBase& slot) : forms::Form(slot, kProbeDesign) {}

ButtonProbe::ButtonProbe(forms::FormSlotBase& slot)
    : forms::Form(slot, kProbeDesign),
      Go(*this, "Go", {120, 120, 1200, 450}, true, "&Go", {{}, true, false}),
      Stop(*this, "Stop", {1560, 120, 1200, 450}, true, "&Stop", {{}, false, true}) {
    Go.Click = [this] { ++goClicks; };
    Stop.Click = [this] { ++stopClicks; };
}

ProbeDesktop::ProbeDesktop()
    : keyProbe(runtime, "KeyProbe", [](forms::FormSlotBase& s) { return std::make_unique<KeyProbe>(s); }),
      buttonProbe(runtime, "ButtonProbe",
                  [](forms::FormSlotBase& s) { return std::make_unique<ButtonProbe>(s); }) {
    host.attach(runtime);
}

void ProbeDesktop::TearDown() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

forms::qt::FormWindow& ProbeDesktop::show(forms::FormSlotBase& slot) {
    runtime.dispatch([&] { runtime.show(slot); });
    forms::qt::FormWindow* w = host.window(slot.form());
    if (!w) throw std::logic_error("no window for " + slot.name());
    return *w;
}

}  // namespace hosttest

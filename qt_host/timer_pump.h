// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Drives the model's clock in real time: one single-shot timer, armed for the next tick due.
#pragma once

#include <cstdint>
#include <functional>

#include <QObject>
#include <QTimer>

namespace forms {
class Runtime;
}

namespace forms::qt {

class TimerPump : public QObject {
    Q_OBJECT
public:
    // Nanoseconds on a steady clock. The pump reads real time unless it is handed a clock of its
    // own, as tests do to run on time they move themselves.
    using Clock = std::function<std::int64_t()>;

    explicit TimerPump(QObject* parent = nullptr);

    void setClock(Clock clock);
    // Model time 0 is now.
    void attach(forms::Runtime& runtime);
    // Milliseconds on the clock since attach.
    std::int64_t now() const;
    // Brings the model's clock up to now, delivering what fell due. Done before every input
    // event, so ticks keep their place in time and a timer started by the input counts from now.
    void catchUp();
    // Arms the timer for the next tick due, or stops it when none is due.
    void rearm();
    // What the armed timer does when it falls: catch up, then arm for the next tick.
    void wake();
    bool armed() const { return timer_.isActive(); }
    // Milliseconds until the armed timer falls.
    int wakesIn() const { return timer_.interval(); }

private:
    forms::Runtime* runtime_ = nullptr;
    Clock clock_;
    std::int64_t startNs_ = 0;
    QTimer timer_;
};

}  // namespace forms::qt

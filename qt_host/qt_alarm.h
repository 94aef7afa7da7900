// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The timer pump's alarm on the desktop: one single-shot Qt timer and Qt's steady clock.
#pragma once

#include <cstdint>
#include <functional>

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "host_core/timer_pump.h"

namespace forms::qt {

class QtAlarm final : public QObject, public forms::core::Alarm {
    Q_OBJECT
public:
    // Nanoseconds on a steady clock. The alarm reads real time unless it is handed a clock of
    // its own, as tests do to run on time they move themselves.
    using Clock = std::function<std::int64_t()>;

    // `fired` runs when an armed alarm falls.
    explicit QtAlarm(std::function<void()> fired, QObject* parent = nullptr);

    void setClock(Clock clock) { clock_ = std::move(clock); }

    std::int64_t nowNs() const override;
    void arm(std::int64_t ms) override;
    void stop() override { timer_.stop(); }

private:
    QElapsedTimer realTime_;
    Clock clock_;
    QTimer timer_;
};

}  // namespace forms::qt

// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The timer pump's alarm on the page: one page timeout and the page's monotonic clock.
#pragma once

#include <cmath>

#include "host_core/timer_pump.h"
#include "web_host/page.h"

namespace forms::web {

class PageAlarm final : public forms::core::Alarm {
public:
    std::int64_t nowNs() const override { return std::llround(page::now() * 1e6); }
    // The page calls web_timer when it falls.
    void arm(std::int64_t ms) override { page::armTimer(static_cast<double>(ms)); }
    void stop() override { page::stopTimer(); }
};

}  // namespace forms::web

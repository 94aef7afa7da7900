// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A host with no display for the benchmarks: message boxes are answered at once, and it counts
// the events the runtime completes (each tick and each key is one).
#pragma once

#include <cstdint>

#include "runtime/host.h"

namespace bench {

class HeadlessHost final : public forms::Host {
public:
    void messageBox(std::string_view, std::string_view) override { ++boxes; }
    void eventDone() override {
        if (counting) ++events;
    }

    std::uint64_t events = 0;
    std::uint64_t boxes = 0;
    bool counting = true;
};

}  // namespace bench

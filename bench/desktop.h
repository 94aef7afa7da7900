// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What the Qt harnesses share: a quieter log.
#pragma once

namespace bench {

// The offscreen platform says on every raise that it cannot; that would drown the figures.
void quietQtLog();

}  // namespace bench

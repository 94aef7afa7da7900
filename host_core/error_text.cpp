// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host_core/error_text.h"

#include "runtime/values.h"

namespace forms::core {

std::string errorText(const forms::RuntimeError& error) {
    return "Run-time error '" + std::to_string(error.number()) + "':\n\n" + error.description();
}

}  // namespace forms::core

// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/form_slot.h"

#include "runtime/runtime.h"

namespace forms {

FormSlotBase::FormSlotBase(Runtime& runtime, std::string name)
    : runtime_(runtime), name_(std::move(name)) {
    // The program's forms make themselves known, as a form's controls and properties do.
    runtime.addSlot(*this);
}

Form& FormSlotBase::form() {
    if (!instance_) runtime_.load(*this);
    return *instance_;
}

}  // namespace forms

// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host_core/held_keys.h"

#include <algorithm>

namespace forms::core {

// Each delivery runs game code, which may unload a form or open a message box and so come back
// here: the list is looked up afresh after every one.

void HeldKeys::press(forms::Form& form, int keyCode, std::int64_t now, bool repeats) {
    if (isHeld(keyCode)) return;
    held_.push_back({keyCode, &form, repeats ? std::optional(now + KeyRepeat::kDelayMs) : std::nullopt});
    deliver_(form, true, keyCode);
}

void HeldKeys::release(int keyCode) {
    auto it = std::find_if(held_.begin(), held_.end(), [&](const Held& h) { return h.code == keyCode; });
    if (it == held_.end()) return;
    forms::Form& form = *it->form;
    held_.erase(it);
    deliver_(form, false, keyCode);
}

void HeldKeys::releaseAll() {
    while (!held_.empty()) release(held_.front().code);
}

void HeldKeys::forget(const forms::Form& form) {
    std::erase_if(held_, [&](const Held& h) { return h.form == &form; });
}

bool HeldKeys::isHeld(int keyCode) const {
    return std::any_of(held_.begin(), held_.end(), [&](const Held& h) { return h.code == keyCode; });
}

std::optional<std::int64_t> HeldKeys::nextDue() const {
    std::optional<std::int64_t> next;
    for (const Held& h : held_)
        if (h.due && (!next || *h.due < *next)) next = h.due;
    return next;
}

void HeldKeys::repeatDue(std::int64_t now) {
    std::vector<int> due;
    for (const Held& h : held_)
        if (h.due && *h.due <= now) due.push_back(h.code);
    for (int code : due) {
        auto it = std::find_if(held_.begin(), held_.end(), [&](const Held& h) { return h.code == code; });
        if (it == held_.end() || !it->due || *it->due > now) continue;
        // Kept on its beat; after a long stall the next comes a whole period on, not at once.
        *it->due += KeyRepeat::kEveryMs;
        if (*it->due <= now) *it->due = now + KeyRepeat::kEveryMs;
        deliver_(*it->form, true, code);
    }
}

}  // namespace forms::core

// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Keys held down by something other than the keyboard (a pad, the page's touch keys), repeated
// as a held key repeats: one key-down, further key-downs after the desktop's usual delay and at
// its usual rate, one key-up at the release. The host arms a timer for nextDue() and calls
// repeatDue() when it fires.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace forms {
class Form;
}

namespace forms::core {

// The desktop's usual typematic: the first repeat after half a second, then about 30 a second.
struct KeyRepeat {
    static constexpr std::int64_t kDelayMs = 500;
    static constexpr std::int64_t kEveryMs = 33;
};

class HeldKeys {
public:
    // Delivers one key event to a form, as the host delivers the keyboard's.
    using Deliver = std::function<void(forms::Form& form, bool down, int keyCode)>;
    explicit HeldKeys(Deliver deliver) : deliver_(std::move(deliver)) {}

    // Key-down now; with `repeats`, further key-downs while it stays held. A key already held
    // is left as it is.
    void press(forms::Form& form, int keyCode, std::int64_t now, bool repeats = true);
    // The key-up, to the form the key went down on.
    void release(int keyCode);
    void releaseAll();
    // Without a key-up: the form went away, or something else took the keys.
    void forget(const forms::Form& form);
    void forgetAll() { held_.clear(); }

    bool isHeld(int keyCode) const;
    bool empty() const { return held_.empty(); }
    // When the next repeat falls due; empty when none repeats.
    std::optional<std::int64_t> nextDue() const;
    // Delivers the repeats due by `now`, at most one each: a late timer does not make a burst.
    void repeatDue(std::int64_t now);

private:
    struct Held {
        int code;
        forms::Form* form;
        std::optional<std::int64_t> due;
    };
    Deliver deliver_;
    std::vector<Held> held_;
};

}  // namespace forms::core

// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The keys held down at one window. A key-up whose key-down went elsewhere (the Enter that
// closed a message box, say, coming up at the window behind it) is not this window's, and the
// game never hears it.
#pragma once

#include <set>

namespace forms::core {

class KeyUpFilter {
public:
    void pressed(int code) { down_.insert(code); }
    bool isDown(int code) const { return down_.count(code) != 0; }
    // Whether this key-up is the window's own (its key went down here); it is no longer down.
    bool released(int code) { return down_.erase(code) != 0; }
    // The window has lost the keyboard: keys released elsewhere never come back here.
    void clear() { down_.clear(); }

private:
    std::set<int> down_;
};

}  // namespace forms::core

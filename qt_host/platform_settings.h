// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Settings of the Qt platform that must be made before the application object exists.
#pragma once

namespace forms::qt {

// Call first thing in main. A setting the player has made in the environment stays as it is.
void applyPlatformSettings();

// Until platformStarted, a platform Qt cannot open (no X server at DISPLAY, no compositor at
// WAYLAND_DISPLAY, neither set) ends the program with one line naming what is missing and exit
// status 1, where Qt would advise reinstalling the program and abort with a core dump.
void guardPlatformStart(const char* program);
void platformStarted();

}  // namespace forms::qt

// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Settings of the Qt platform that must be made before the application object exists.
#pragma once

namespace forms::qt {

// Call first thing in main. A setting the player has made in the environment stays as it is.
void applyPlatformSettings();

}  // namespace forms::qt

// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The pictures as the desktop programs embed them: Qt resources under :/assets/.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace miravel {

// Where a picture is embedded: ":/assets/<name>.<ext>"; empty for an unknown name.
std::string resourcePath(std::string_view name);
// Every picture's name with its resource path, as the desktop host takes them.
std::map<std::string, std::string> pictureResources();

}  // namespace miravel

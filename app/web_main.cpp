// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The game in a browser: the program's forms as panels of the page (web/), run until the program
// ends. main only sets the game up; the page starts it once its pictures and fonts are ready.
#include <map>
#include <string>
#include <vector>

#include "game/program.h"
#include "assets/artwork.h"
#include "web_host/web_host.h"

namespace {

// The keys a player needs on each level, as buttons under its panel for a touch screen: turn and
// step, wind up and throw, and the Difficult level's two rows.
std::map<std::string, std::vector<int>> touchKeys() {
    const std::vector<int> street{forms::key::Left, forms::key::Right, 'D'};
    std::vector<int> rows = street;
    rows.insert(rows.end(), {forms::key::Up, forms::key::Down});
    return {{"Game1", street}, {"Game2", street}, {"Game3", rows}};
}

}  // namespace

int main() {
    // They live as long as the page: main returns, the program goes on in the page's events.
    static forms::web::WebHost host(miravel::pictureFiles(), touchKeys());
    static miravel::Program program(host);
    host.attach(program.runtime, [] { program.start(); });
    return 0;
}

// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The reference for the page's first frame: a bare Emscripten module that draws a rectangle of
// the title window's size on its first animation frame, and marks that frame as the game's page
// marks the one in which its title first shows (scripts/bench-web compares the two).
#include <emscripten/em_js.h>
#include <emscripten/html5.h>

EM_JS(void, draw_first_frame, (), {
    const canvas = document.getElementById('canvas');
    const g = canvas.getContext('2d');
    g.fillStyle = '#d4d0c8';
    g.fillRect(0, 0, canvas.width, canvas.height);
    performance.mark('miravel-first-frame');
});

namespace {
EM_BOOL firstFrame(double, void*) {
    draw_first_frame();
    return EM_FALSE;  // one frame, then nothing
}
}  // namespace

int main() {
    emscripten_request_animation_frame(firstFrame, nullptr);
    return 0;
}

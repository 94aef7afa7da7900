// The fonts of the game's design, or close installed stand-ins where they are missing.
#pragma once

#include <thread>

#include <QFont>

#include "runtime/controls.h"

namespace vb::qt {

// Sizes are points at 96 dots per inch, so a font is as many pixels high as it was designed,
// whatever the screen's own resolution: pixel size = points * 4 / 3.
QFont standInFont(const vb::Font& font);

// Reads the desktop's list of fonts on a helper thread. Qt reads it (about 10 ms) before the
// first text is laid out; begun as soon as the host exists, it runs while the first window
// decodes its picture. All of Qt's font database is thread-safe: text laid out meanwhile waits.
class FontListPreload {
public:
    FontListPreload();

private:
    std::jthread thread_;  // joined on destruction
};

}  // namespace vb::qt

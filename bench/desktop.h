// What the Qt harnesses share: the game's embedded pictures for the host, and a quieter log.
#pragma once

#include <map>
#include <string>

#include <QString>

namespace bench {

// The offscreen platform says on every raise that it cannot; that would drown the figures.
void quietQtLog();

}  // namespace bench

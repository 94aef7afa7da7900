// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Gamepads on the desktop, through SDL's game controller API (its database knows the layouts of
// the pads Linux players use), without SDL's video. The pads' state goes through the host core's
// mapping (host_core/pad_mapping.h) and reaches the window in front as the keyboard's keys do;
// south, east or Start close a message box. A pad plugged in at any time works at once, one
// pulled out leaves no key held.
//
// SDL tells nothing by itself: it is asked a few times a second while no pad is there (to see
// one come), and once a frame while one is. Held keys repeat on a timer of their own, set for
// the mapping's next repeat.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "host_core/pad_mapping.h"

struct _SDL_GameController;

namespace forms::qt {

class QtHost;

class PadInput final : public QObject {
    Q_OBJECT
public:
    explicit PadInput(QtHost& host, QObject* parent = nullptr);
    ~PadInput() override;
    PadInput(const PadInput&) = delete;
    PadInput& operator=(const PadInput&) = delete;

    // Starts SDL's game controllers; false where it cannot (the game then plays without pads).
    bool start();
    // Starts once the first of the game's windows has been painted, so that the game's start
    // waits for nothing of SDL's.
    void startAfterFirstPaint();
    bool started() const { return started_; }
    int padCount() const { return static_cast<int>(pads_.size()); }
    // How often SDL is asked, with and without a pad.
    static constexpr int kPollWithPadMs = 16;
    static constexpr int kPollWithoutPadMs = 250;
    int pollInterval() const { return poll_.interval(); }

    // Asks SDL for what happened since, as the poll timer does.
    void poll();
    // The repeat of held keys: armed or not, for how long, and what its timer does.
    bool repeatArmed() const { return repeat_.isActive(); }
    int repeatArmedFor() const { return repeat_.interval(); }
    void wakeRepeat();
    // The clock the repeats keep, in milliseconds; by default real time. Tests move their own.
    void setClock(std::function<std::int64_t()> ms) { clock_ = std::move(ms); }

private:
    core::PadState readPads() const;
    void update();
    void armRepeat();
    std::int64_t now() const { return clock_(); }

    struct Sdl;
    std::unique_ptr<Sdl> sdl_;
    QtHost& host_;
    core::PadMapping mapping_;
    std::vector<_SDL_GameController*> pads_;
    QTimer poll_;
    QTimer repeat_;
    QElapsedTimer elapsed_;
    std::function<std::int64_t()> clock_;
    bool started_ = false;
};

}  // namespace forms::qt

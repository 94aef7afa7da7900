// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Gamepads on the desktop, through SDL's game controller API (its database knows the layouts of
// the pads Linux players use), without SDL's video. The pads' state goes through the host core's
// mapping (host_core/pad_mapping.h) and reaches the window in front as the keyboard's keys do;
// south, east or Start close a message box. A pad plugged in at any time works at once, one
// pulled out leaves no key held.
//
// SDL tells nothing by itself: a thread of its own asks it twice a second while no pad is
// there (to see one come), once a frame while a pad is in use, and 20 times a second once it has
// lain still for a while; it wakes the game only when what the pads hold has changed (a wake of
// the game's event loop costs several times what SDL's look does). Held keys repeat on a timer
// of their own, set for the mapping's next repeat.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
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
    // The pads as the game last heard of them.
    int padCount() const { return padCount_; }
    const core::PadState& state() const { return state_; }
    // How often SDL is asked: a pad in use, one that has lain still for kRestAfterMs, none.
    static constexpr int kPollInUseMs = 16;
    static constexpr int kPollRestingMs = 50;
    static constexpr int kRestAfterMs = 2000;
    static constexpr int kPollWithoutPadMs = 500;
    int pollInterval() const { return interval_; }
    // The repeat of held keys: armed or not, for how long, and what its timer does.
    bool repeatArmed() const { return repeat_.isActive(); }
    int repeatArmedFor() const { return repeat_.interval(); }
    void wakeRepeat();
    // The clock the repeats keep, in milliseconds; by default real time. Tests move their own.
    void setClock(std::function<std::int64_t()> ms) { clock_ = std::move(ms); }

private:
    // The reading thread's: asks SDL until stopped, and tells the game what changed since it
    // last told.
    struct Told {
        core::PadState state;
        int count = 0;
        std::chrono::steady_clock::time_point when;
    };
    void readLoop();
    void look(Told& told);
    core::PadState readPads() const;
    // The game's: the pads as they are now.
    void heard(const core::PadState& state, int padCount, bool lastGone);
    void update();
    void armRepeat();
    std::int64_t now() const { return clock_(); }

    struct Sdl;
    std::unique_ptr<Sdl> sdl_;
    QtHost& host_;
    core::PadMapping mapping_;
    core::PadState state_;
    int padCount_ = 0;
    std::thread reader_;
    std::mutex stopping_;
    std::condition_variable stop_;
    bool stopped_ = false;
    std::atomic<int> interval_{kPollWithoutPadMs};
    std::vector<_SDL_GameController*> pads_;  // the reading thread's alone
    QTimer repeat_;
    QElapsedTimer elapsed_;
    std::function<std::int64_t()> clock_;
    bool started_ = false;
};

}  // namespace forms::qt

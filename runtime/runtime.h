// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The forms runtime: the forms and their lifecycle, the clock and its timers, the routing of
// clicks and keys, the message box, run-time errors and the end of the program. The game's
// handlers are written against it; a Host puts it on a desktop, on a page or behind a script.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/form_slot.h"
#include "runtime/host.h"

namespace forms {

// One picture the program carries: its name and its size in pixels.
struct Artwork {
    const char* name;
    int width;
    int height;
};

// Key codes and modifier bits as the desktop reports them.
namespace key {
constexpr int Tab = 9, Enter = 13, Escape = 27, Space = 32;
constexpr int Left = 37, Up = 38, Right = 39, Down = 40;
constexpr int ShiftMask = 1, CtrlMask = 2, AltMask = 4;
}  // namespace key

class Runtime {
public:
    Runtime(Host& host, std::span<const Artwork> artwork, std::string title);
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;
    ~Runtime();

    Host& host() const { return host_; }
    const std::string& title() const { return title_; }

    // --- Forms --------------------------------------------------------------------------------
    FormSlotBase* slot(std::string_view name) const;
    const std::vector<Form*>& loadedForms() const { return loaded_; }  // in load order

    void load(FormSlotBase& slot);  // does nothing on a loaded form
    void show(FormSlotBase& slot);  // loads first if needed; modeless
    // Safe from inside the form's own handler: the form gets no further event and is destroyed
    // when the event that unloaded it has run to its end.
    void unload(FormSlotBase& slot);
    // The player minimised or restored the window by hand: the host has done it already.
    void playerSetWindowState(Form& form, int state);

    forms::Picture newPicture(std::string_view artwork);

    // --- Events from the host; each runs to completion ------------------------------------------
    void click(CommandButton& button);  // ignored for a hidden button or an unloaded form
    void keyDown(Form& form, int keyCode, int modifiers);
    void keyUp(Form& form, int keyCode, int modifiers);
    void frameClose(Form& form);  // the player closed the window by its frame
    // Runs any piece of game code as an event: errors are reported, End is honoured.
    template <class F>
    void dispatch(F&& f) {
        Dispatch d(*this);
        if (ended_) return;
        try {
            f();
        } catch (const RuntimeError& e) {
            fail(e);
        } catch (const EndRequest&) {
            if (depth_ > 1) throw;  // unwinds to the outermost event
        }
    }

    // --- The clock ------------------------------------------------------------------------------
    std::int64_t now() const { return now_; }
    // When the next tick falls due; empty if no timer runs, or while a message box is open.
    std::optional<std::int64_t> nextDue() const;
    // Moves the clock to `t`, delivering the ticks that fall due in time order (forms in load
    // order, timers in design order at the same moment).
    void advanceTo(std::int64_t t, LateTicks late);
    // Delivers one tick of a timer now, whatever its interval.
    void tick(Timer& timer);
    // Shortest period a timer can have, in milliseconds.
    static constexpr std::int64_t kShortestPeriod = 16;

    // --- Services for the game's handlers -------------------------------------------------------
    void messageBox(std::string_view text);
    [[noreturn]] void end();
    bool messageBoxOpen() const { return modal_ > 0; }
    bool ended() const { return ended_; }
    int exitStatus() const { return exitStatus_; }

private:
    friend class FormSlotBase;
    void addSlot(FormSlotBase& slot);  // each slot, as it is made

    struct Dispatch {
        explicit Dispatch(Runtime& r);
        ~Dispatch();
        Runtime& rt;
    };
    void fail(const RuntimeError& e);
    void finish(int status);
    void routeButtonKey(Form& form, int keyCode, int modifiers);
    Timer* earliestDue() const;

    Host& host_;
    std::span<const Artwork> artwork_;
    std::string title_;
    std::vector<FormSlotBase*> slots_;
    std::vector<Form*> loaded_;
    std::vector<std::unique_ptr<Form>> unloaded_;  // destroyed when the outermost event ends
    std::int64_t now_ = 0;
    int depth_ = 0;
    int modal_ = 0;
    int nextHandle_ = 1;
    std::uint64_t loads_ = 0;
    bool ended_ = false;
    int exitStatus_ = 0;
};

}  // namespace forms

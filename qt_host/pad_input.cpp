// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/pad_input.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QEvent>
#include <QLibrary>

#include <SDL.h>

#include "qt_host/form_window.h"
#include "qt_host/message_box.h"
#include "runtime/form.h"
#include "qt_host/qt_host.h"

namespace forms::qt {

// SDL, loaded as the pads start rather than linked: Debian's SDL brings some forty sound, video
// and system libraries with it, which would all load, and cost their time and memory, before the
// game's first window could show.
struct PadInput::Sdl {
    QLibrary library{QStringLiteral("SDL2-2.0"), 0};
    decltype(&SDL_SetHint) SetHint = nullptr;
    decltype(&SDL_GetError) GetError = nullptr;
    decltype(&SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&SDL_QuitSubSystem) QuitSubSystem = nullptr;
    decltype(&SDL_PollEvent) PollEvent = nullptr;
    decltype(&SDL_GameControllerOpen) GameControllerOpen = nullptr;
    decltype(&SDL_GameControllerClose) GameControllerClose = nullptr;
    decltype(&SDL_GameControllerGetJoystick) GameControllerGetJoystick = nullptr;
    decltype(&SDL_JoystickInstanceID) JoystickInstanceID = nullptr;
    decltype(&SDL_GameControllerGetButton) GameControllerGetButton = nullptr;
    decltype(&SDL_GameControllerGetAxis) GameControllerGetAxis = nullptr;

    template <class F>
    bool resolve(F& f, const char* name) {
        f = reinterpret_cast<F>(library.resolve(name));
        return f != nullptr;
    }
    bool load() {
        return library.load() && resolve(SetHint, "SDL_SetHint") && resolve(GetError, "SDL_GetError") &&
               resolve(InitSubSystem, "SDL_InitSubSystem") && resolve(QuitSubSystem, "SDL_QuitSubSystem") &&
               resolve(PollEvent, "SDL_PollEvent") && resolve(GameControllerOpen, "SDL_GameControllerOpen") &&
               resolve(GameControllerClose, "SDL_GameControllerClose") &&
               resolve(GameControllerGetJoystick, "SDL_GameControllerGetJoystick") &&
               resolve(JoystickInstanceID, "SDL_JoystickInstanceID") &&
               resolve(GameControllerGetButton, "SDL_GameControllerGetButton") &&
               resolve(GameControllerGetAxis, "SDL_GameControllerGetAxis");
    }
};

namespace {

// Less than this of a stick's travel is not worth telling.
constexpr double kStickStep = 0.02;

// Waits for the first paint of any of the game's windows, then starts the pads and goes.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(PadInput& pads) : QObject(&pads), pads_(pads) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<FormWindow*>(watched)) {
            qApp->removeEventFilter(this);
            // After this paint has reached the screen.
            QTimer::singleShot(0, &pads_, [this] {
                pads_.start();
                deleteLater();
            });
        }
        return false;
    }

private:
    PadInput& pads_;
};

}  // namespace

PadInput::PadInput(QtHost& host, QObject* parent)
    : QObject(parent), host_(host), mapping_([this](forms::Form& form, bool down, int keyCode) {
          if (FormWindow* w = host_.window(form)) {
              if (down) host_.keyDown(*w, keyCode, 0);
              else host_.keyUp(*w, keyCode, 0);
          }
      }) {
    elapsed_.start();
    clock_ = [this] { return elapsed_.elapsed(); };
    repeat_.setSingleShot(true);
    connect(&repeat_, &QTimer::timeout, this, &PadInput::wakeRepeat);
    connect(&host_, &QtHost::messageBoxOpened, this, [this] {
        mapping_.messageBoxOpened();
        armRepeat();
    });
    connect(&host_, &QtHost::messageBoxClosed, this, [this] {
        mapping_.messageBoxClosed();
        // What the player holds as the box goes was spent on it: told now, not at the next change.
        if (padCount_ > 0) update();
    });
    connect(&host_, &QtHost::formGoing, this, [this](const forms::Form* form) { mapping_.formGone(*form); });
}

PadInput::~PadInput() {
    if (!started_) return;
    {
        std::lock_guard lock(stopping_);
        stopped_ = true;
    }
    stop_.notify_one();
    reader_.join();
    for (SDL_GameController* pad : pads_) sdl_->GameControllerClose(pad);
    sdl_->QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void PadInput::startAfterFirstPaint() {
    if (!started_) new FirstPaint(*this);
}

bool PadInput::start() {
    if (started_) return true;
    if (!sdl_) sdl_ = std::make_unique<Sdl>();
    if (!sdl_->load()) {
        qWarning("No gamepads: %s", qPrintable(sdl_->library.errorString()));
        return false;
    }
    // Ctrl+C and the session's end are Qt's to handle, not SDL's.
    sdl_->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The pads count whichever window has the keyboard: SDL has none of its own to watch.
    sdl_->SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // South is the button at the bottom on every pad, whatever letter it carries.
    sdl_->SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
    if (sdl_->InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        qWarning("No gamepads: %s", sdl_->GetError());
        return false;
    }
    started_ = true;
    // The pads there already come as events of their own, at the thread's first look.
    reader_ = std::thread([this] { readLoop(); });
    return true;
}

void PadInput::readLoop() {
    Told told;
    std::unique_lock lock(stopping_);
    while (!stopped_) {
        lock.unlock();
        look(told);
        lock.lock();
        stop_.wait_for(lock, std::chrono::milliseconds(interval_.load()), [this] { return stopped_; });
    }
}

void PadInput::look(Told& told) {
    bool changed = false, gone = false;
    SDL_Event e;
    while (sdl_->PollEvent(&e)) {
        switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED:
            if (SDL_GameController* pad = sdl_->GameControllerOpen(e.cdevice.which)) {
                if (std::find(pads_.begin(), pads_.end(), pad) == pads_.end()) pads_.push_back(pad);
                else sdl_->GameControllerClose(pad);  // opened twice: once is enough
                changed = true;
            }
            break;
        case SDL_CONTROLLERDEVICEREMOVED: {
            auto it = std::find_if(pads_.begin(), pads_.end(), [&](SDL_GameController* pad) {
                return sdl_->JoystickInstanceID(sdl_->GameControllerGetJoystick(pad)) == e.cdevice.which;
            });
            if (it != pads_.end()) {
                sdl_->GameControllerClose(*it);
                pads_.erase(it);
                changed = gone = true;
            }
            break;
        }
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
        case SDL_CONTROLLERAXISMOTION: changed = true; break;
        default: break;
        }
    }
    const int count = static_cast<int>(pads_.size());
    const auto now = std::chrono::steady_clock::now();
    const bool resting = now - told.when >= std::chrono::milliseconds(kRestAfterMs);
    interval_ = count == 0 ? kPollWithoutPadMs : resting ? kPollRestingMs : kPollInUseMs;
    if (!changed) return;
    // A stick's jitter is not worth a wake: the mapping's thresholds lie far apart.
    const core::PadState state = readPads();
    if (count == told.count && state.buttons == told.state.buttons &&
        std::abs(state.stickX - told.state.stickX) < kStickStep && std::abs(state.stickY - told.state.stickY) < kStickStep)
        return;
    told = {state, count, now};
    interval_ = count == 0 ? kPollWithoutPadMs : kPollInUseMs;
    const bool lastGone = gone && count == 0;
    QMetaObject::invokeMethod(
        this, [this, state, count, lastGone] { heard(state, count, lastGone); }, Qt::QueuedConnection);
}

void PadInput::heard(const core::PadState& state, int padCount, bool lastGone) {
    state_ = state;
    padCount_ = padCount;
    if (lastGone) {
        mapping_.padsGone();
        armRepeat();
    } else {
        update();
    }
}

core::PadState PadInput::readPads() const {
    struct Button {
        SDL_GameControllerButton sdl;
        unsigned bit;
    };
    static constexpr Button kButtons[] = {
        {SDL_CONTROLLER_BUTTON_A, core::pad::South},         {SDL_CONTROLLER_BUTTON_B, core::pad::East},
        {SDL_CONTROLLER_BUTTON_START, core::pad::Start},     {SDL_CONTROLLER_BUTTON_DPAD_UP, core::pad::Up},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, core::pad::Down},  {SDL_CONTROLLER_BUTTON_DPAD_LEFT, core::pad::Left},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, core::pad::Right}};
    // Several pads play as one.
    core::PadState state;
    for (SDL_GameController* pad : pads_) {
        for (const Button& b : kButtons)
            if (sdl_->GameControllerGetButton(pad, b.sdl)) state.buttons |= b.bit;
        auto axis = [&](SDL_GameControllerAxis a) {
            return std::clamp(sdl_->GameControllerGetAxis(pad, a) / 32767.0, -1.0, 1.0);
        };
        const double x = axis(SDL_CONTROLLER_AXIS_LEFTX), y = axis(SDL_CONTROLLER_AXIS_LEFTY);
        if (std::abs(x) > std::abs(state.stickX)) state.stickX = x;
        if (std::abs(y) > std::abs(state.stickY)) state.stickY = y;
    }
    return state;
}

void PadInput::update() {
    MessageBox* box = host_.openBox();
    FormWindow* front = box ? nullptr : host_.windowInFront();
    if (mapping_.update(state_, front ? front->form() : nullptr, now()) && box) box->accept();
    armRepeat();
}

void PadInput::wakeRepeat() {
    FormWindow* front = host_.openBox() ? nullptr : host_.windowInFront();
    mapping_.repeatDue(front ? front->form() : nullptr, now());
    armRepeat();
}

void PadInput::armRepeat() {
    const std::optional<std::int64_t> due = mapping_.nextRepeat();
    if (!due) {
        repeat_.stop();
        return;
    }
    repeat_.start(static_cast<int>(std::max<std::int64_t>(0, *due - now())));
}

}  // namespace forms::qt

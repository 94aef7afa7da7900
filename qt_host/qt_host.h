// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The desktop host: puts the forms runtime on a Qt desktop. One top-level window per shown form,
// Qt message boxes, and the real-time pump of the model's timers. The model decides everything;
// the host shows it and hands the player's input back.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include <QObject>
#include <QPointer>
#include <QString>

#include "host_core/live_host.h"
#include "qt_host/picture_cache.h"
#include "qt_host/qt_alarm.h"

class QKeyEvent;

namespace forms {
class CommandButton;
class Runtime;
}  // namespace forms

namespace forms::qt {

class FormWindow;
class MessageBox;

// The game's zoom on the desktop: whole steps over the desktop's own scale, chosen from the screen
// when the first window opens, changed by the desktop's zoom keys, and whether the game is shown
// fullscreen. The model never knows: it still sees twips.
struct ZoomState {
    int zoom = 0;       // 0 until the first window has chosen it
    int startZoom = 1;  // what Ctrl+0 goes back to
    bool fullScreen = false;
};

class QtHost final : public QObject, public forms::core::LiveHost {
    Q_OBJECT
public:
    // resources: each artwork's name -> its resource path, e.g. "street" -> ":/assets/street.bmp".
    explicit QtHost(std::map<std::string, std::string> resources, QObject* parent = nullptr);
    ~QtHost() override;

    // The runtime is built with the host, so it is handed over afterwards; its clock starts here.
    void attach(forms::Runtime& runtime) { attachRuntime(runtime); }
    PictureCache& pictures() { return pictures_; }
    QtAlarm& alarm() { return alarm_; }
    // The window of a shown form, or null.
    FormWindow* window(const forms::Form& form) const;
    // The game's window in front: the one with the keyboard, else the one last brought up.
    FormWindow* windowInFront() const;
    // The message box the game waits for, or null.
    MessageBox* openBox() const { return openBox_; }

    // The game's zoom (1 until the first window is shown), the one it started at, and whether
    // the game is fullscreen.
    int zoom() const { return std::max(1, zoom_.zoom); }
    int startZoom() const { return zoom_.startZoom; }
    bool fullScreen() const { return zoom_.fullScreen; }
    // The desktop's own keys, pressed in `window`: Ctrl+Plus (or Ctrl+=), Ctrl+Minus and Ctrl+0
    // zoom every window; F11 and Alt+Enter toggle fullscreen. True if the key was one of them.
    bool hostKey(FormWindow& window, const QKeyEvent& key);
    // Zooms every window to `zoom`, within 1 and the largest any shown window can take.
    void setZoom(int zoom);
    // The window in front fills its screen, and each window shown later comes up so; or back.
    void setFullScreen(FormWindow& front, bool on);

    // forms::Host
    void formShown(forms::Form& form) override;
    void formUnloading(forms::Form& form) override;
    void windowStateChanged(forms::Form& form) override;

    // The player's input from a window, each an event of the model's.
    void click(FormWindow& window, forms::CommandButton& button);
    void keyDown(FormWindow& window, int keyCode, int modifiers);
    void keyUp(FormWindow& window, int keyCode, int modifiers);
    void frameClose(FormWindow& window);
    void playerSetWindowState(FormWindow& window, int state);

Q_SIGNALS:
    // The program has ended with this exit status; the application should quit with it.
    void ended(int status);
    // For other input than the keyboard's: a message box takes the player's input and gives it
    // back; a form goes, and with it any key held down at it.
    void messageBoxOpened();
    void messageBoxClosed();
    void formGoing(const forms::Form* form);

private:
    // forms::core::LiveHost
    void syncWindows() override;
    void windowsChanged() override;
    void showBox(std::string_view title, std::string_view text) override;
    void closeAll(int status) override;

    void dropWindow(const forms::Form& form);

    PictureCache pictures_;
    QtAlarm alarm_;
    ZoomState zoom_;
    std::unordered_map<const forms::Form*, std::unique_ptr<FormWindow>> windows_;
    QPointer<FormWindow> lastRaised_;
    MessageBox* openBox_ = nullptr;
};

}  // namespace forms::qt

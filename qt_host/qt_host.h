// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The desktop host: puts the forms runtime on a Qt desktop. One top-level window per shown form,
// Qt message boxes, and the real-time pump of the model's timers. The model decides everything;
// the host shows it and hands the player's input back.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include <QObject>
#include <QPointer>
#include <QString>

#include "runtime/host.h"
#include "qt_host/picture_cache.h"
#include "qt_host/timer_pump.h"

namespace forms {
class CommandButton;
class Runtime;
}  // namespace forms

namespace forms::qt {

class FormWindow;
class MessageBox;

class QtHost final : public QObject, public forms::Host {
    Q_OBJECT
public:
    // resources: each artwork's name -> its resource path, e.g. "street" -> ":/assets/street.bmp".
    explicit QtHost(std::map<std::string, std::string> resources, QObject* parent = nullptr);
    ~QtHost() override;

    // The runtime is built with the host, so it is handed over afterwards; its clock starts here.
    void attach(forms::Runtime& runtime);
    PictureCache& pictures() { return pictures_; }
    TimerPump& pump() { return pump_; }
    // The window of a shown form, or null.
    FormWindow* window(const forms::Form& form) const;
    // The game's window in front: the one with the keyboard, else the one last brought up.
    FormWindow* windowInFront() const;
    // The message box the game waits for, or null.
    MessageBox* openBox() const { return openBox_; }

    // forms::Host
    void formShown(forms::Form& form) override;
    void formUnloading(forms::Form& form) override;
    void windowStateChanged(forms::Form& form) override;
    void messageBox(std::string_view title, std::string_view text) override;
    void runtimeError(const forms::RuntimeError& error) override;
    void programEnded(int status) override;
    void eventDone() override;

    // The player's input from a window, each an event of the model's.
    void click(FormWindow& window, forms::CommandButton& button);
    void keyDown(FormWindow& window, int keyCode, int modifiers);
    void keyUp(FormWindow& window, int keyCode, int modifiers);
    void closeRequested(FormWindow& window);
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
    // Brings the clock up to now first; false if the window's form went away meanwhile.
    bool catchUpFor(const FormWindow& window);
    void dropWindow(const forms::Form& form);
    void syncWindows();
    void showBox(const QString& title, const QString& text);

    PictureCache pictures_;
    TimerPump pump_;
    forms::Runtime* runtime_ = nullptr;
    std::unordered_map<const forms::Form*, std::unique_ptr<FormWindow>> windows_;
    QPointer<FormWindow> lastRaised_;
    MessageBox* openBox_ = nullptr;
};

}  // namespace forms::qt

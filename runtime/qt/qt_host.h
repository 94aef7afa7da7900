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
#include "runtime/qt/picture_cache.h"
#include "runtime/qt/timer_pump.h"

namespace vb {
class CommandButton;
class Runtime;
}  // namespace vb

namespace vb::qt {

class FormWindow;

class QtHost final : public QObject, public vb::Host {
    Q_OBJECT
public:
    // resources: each artwork's name -> its resource path, e.g. "street" -> ":/assets/street.bmp".
    explicit QtHost(std::map<std::string, std::string> resources, QObject* parent = nullptr);
    ~QtHost() override;

    // The runtime is built with the host, so it is handed over afterwards; its clock starts here.
    void attach(vb::Runtime& runtime);
    PictureCache& pictures() { return pictures_; }
    TimerPump& pump() { return pump_; }
    // The window of a shown form, or null.
    FormWindow* window(const vb::Form& form) const;

    // vb::Host
    void formShown(vb::Form& form) override;
    void formUnloading(vb::Form& form) override;
    void windowStateChanged(vb::Form& form) override;
    void messageBox(std::string_view title, std::string_view text) override;
    void runtimeError(const vb::RuntimeError& error) override;
    void programEnded(int status) override;
    void eventDone() override;

    // The player's input from a window, each an event of the model's.
    void click(FormWindow& window, vb::CommandButton& button);
    void keyDown(FormWindow& window, int keyCode, int shift);
    void keyUp(FormWindow& window, int keyCode, int shift);
    void closeRequested(FormWindow& window);
    void playerSetWindowState(FormWindow& window, int state);

Q_SIGNALS:
    // The program has ended with this exit status; the application should quit with it.
    void ended(int status);

private:
    // Brings the clock up to now first; false if the window's form went away meanwhile.
    bool catchUpFor(const FormWindow& window);
    void dropWindow(const vb::Form& form);
    void syncWindows();
    void showBox(const QString& title, const QString& text);

    PictureCache pictures_;
    TimerPump pump_;
    vb::Runtime* runtime_ = nullptr;
    std::unordered_map<const vb::Form*, std::unique_ptr<FormWindow>> windows_;
    QPointer<FormWindow> lastRaised_;
};

}  // namespace vb::qt

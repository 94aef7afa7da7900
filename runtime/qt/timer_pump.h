// Drives the model's clock in real time: one single-shot timer, armed for the next tick due.
#pragma once

#include <cstdint>

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace vb {
class Runtime;
}

namespace vb::qt {

class TimerPump : public QObject {
    Q_OBJECT
public:
    explicit TimerPump(QObject* parent = nullptr);

    // Model time 0 is now.
    void attach(vb::Runtime& runtime);
    // Milliseconds of real time since attach.
    std::int64_t now() const;
    // Brings the model's clock up to real time, delivering what fell due. Done before every input
    // event, so ticks keep their place in time and a timer started by the input counts from now.
    void catchUp();
    // Arms the timer for the next tick due, or stops it when none is due.
    void rearm();
    // While held, nothing is delivered (a box the model does not know of is open).
    void setHeld(bool held);
    bool armed() const { return timer_.isActive(); }

private:
    void fire();

    vb::Runtime* runtime_ = nullptr;
    QElapsedTimer clock_;
    QTimer timer_;
    bool held_ = false;
};

}  // namespace vb::qt

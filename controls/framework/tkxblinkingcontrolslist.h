#pragma once

#include <QList>
#include <QObject>
#include <QTimer>

#include <cstdint>

class IKxBlinkingControl;

// The one list of blinking controls of the program and its shared timer, so that all of them
// change together. It exists while a control is registered; the timer runs for its whole life.
class TKxBlinkingControlsList : public QObject {
    Q_OBJECT

public:
    // The program-wide instance, made on first use.
    static TKxBlinkingControlsList &Instance();
    static bool Exists();

    void Add(IKxBlinkingControl *control);
    // Frees the program-wide instance when the last control leaves.
    void Remove(IKxBlinkingControl *control);
    virtual int Count() const;

    int Phase() const { return m_phase; }
    std::uint16_t IntervalOff() const { return m_intervalOff; }
    std::uint16_t IntervalOn() const { return m_intervalOn; }
    void SetIntervalOff(std::uint16_t milliseconds);
    void SetIntervalOn(std::uint16_t milliseconds);
    int TimerInterval() const { return m_timer.interval(); }

public slots:
    // Flips the phase, sets the next interval and tells every blinking control.
    void Tick();

private:
    TKxBlinkingControlsList();

    QList<IKxBlinkingControl *> m_controls;
    int m_phase = 1;
    std::uint16_t m_intervalOff = 500;
    std::uint16_t m_intervalOn = 500;
    QTimer m_timer;
};

#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>

// Prints the milliseconds from the moment in BENCH_T0_NS (nanoseconds of the real-time
// clock, taken by the runner just before it started the process) to the end of the first
// paint of the given window, then ends the program.
class FirstFrame : public QObject
{
public:
    explicit FirstFrame(QWidget *window) : m_window(window) { window->installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // After the paint event the frame is flushed in the same pass; the timer fires
            // once it is on screen.
            QTimer::singleShot(0, this, [] {
                timespec now{};
                clock_gettime(CLOCK_REALTIME, &now);
                const char *t0 = std::getenv("BENCH_T0_NS");
                const double start = t0 ? std::strtod(t0, nullptr) : 0.0;
                const double elapsed = (double(now.tv_sec) * 1e9 + double(now.tv_nsec) - start) / 1e6;
                std::printf("%.2f\n", elapsed);
                std::fflush(stdout);
                std::_Exit(0); // no close hook, no teardown: only the start is measured
            });
        }
        return false;
    }

private:
    QWidget *m_window;
    bool m_seen = false;
};

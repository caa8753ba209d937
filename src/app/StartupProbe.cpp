#include "app/StartupProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

class TStartupProbe : public QObject {
public:
    explicit TStartupProbe(QObject* window) : QObject(window), m_window(window) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // The window's own paint event comes first; its controls are painted and the
            // picture is put on the screen before the event loop runs this.
            QTimer::singleShot(0, this, &TStartupProbe::Report);
        }
        return false;
    }

private:
    void Report() {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        int widgets = 0;
        for (const QObject* child : m_window->findChildren<QObject*>())
            widgets += child->isWidgetType() ? 1 : 0;
        std::printf("first-paint-ns %lld widgets %d\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                    widgets);
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    QObject* m_window;
    bool m_seen = false;
};

} // namespace

void InstallStartupProbe(QObject* window) {
    if (!window || qEnvironmentVariableIsEmpty(StartupProbeVariable)) return;
    new TStartupProbe(window);
}

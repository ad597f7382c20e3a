// Drives a modal showing from inside its own event loop, so a test that opens
// a modal window never blocks.
//
//     ModalCloser closer(window, [](QWidget &w) { QTest::mouseClick(...); });
//     window.exec();                 // the action runs once the window is active
//     QVERIFY(!closer.forced());     // the action itself ended the showing
//
// If the window is still shown after the time-out, the closer hides it itself
// and forced() becomes true.
#pragma once

#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class ModalCloser {
public:
    using Action = std::function<void(QWidget &)>;

    ModalCloser(QWidget &window, Action action, int timeoutMs = 5000)
        : m_window(&window), m_context(std::make_unique<QObject>()) {
        // The timers belong to m_context: they die with the closer.
        QTimer::singleShot(0, m_context.get(), [this, action = std::move(action)] {
            m_active = QTest::qWaitForWindowActive(m_window.data());
            if (m_window && m_active) {
                action(*m_window);
            }
        });
        QTimer::singleShot(timeoutMs, m_context.get(), [this] {
            if (m_window && m_window->isVisible()) {
                m_forced = true;
                m_window->hide();
            }
        });
    }

    // Whether the window became active inside the showing.
    [[nodiscard]] bool wasActive() const { return m_active; }
    // Whether the time-out had to hide the window.
    [[nodiscard]] bool forced() const { return m_forced; }

private:
    QPointer<QWidget> m_window;
    std::unique_ptr<QObject> m_context;
    bool m_active = false;
    bool m_forced = false;
};

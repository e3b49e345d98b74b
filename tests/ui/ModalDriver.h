#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace flowcfg::testing {

// Answers the modal dialogs a test opens, one step per dialog, in order: each step waits for
// a new modal window of its type and acts on it. A dialog nobody answers within a few seconds
// is closed, so that a test fails instead of hanging.
class ModalDriver {
public:
    ModalDriver() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
        clock_.start();
    }

    template <class T>
    void then(std::function<void(T*)> action) {
        steps_.push_back([action](QWidget* w) {
            auto* typed = qobject_cast<T*>(w);
            if (!typed) return false;
            QPointer<T> guard(typed);
            QTimer::singleShot(0, typed, [guard, action] {
                if (guard) action(guard.data());
            });
            return true;
        });
    }

    // Every step has run.
    bool finished() const { return steps_.empty(); }
    // A dialog had to be closed because no step matched it.
    bool timedOut() const { return timedOut_; }

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != current_) {
            current_ = modal;
            clock_.restart();
        }
        if (!modal) return;
        if (!seen(modal) && !steps_.empty() && steps_.front()(modal)) {
            handled_.emplace_back(modal);
            steps_.pop_front();
            clock_.restart();
            return;
        }
        // A window left open (unanswered, or not closed by its step) is closed.
        if (clock_.elapsed() > 5000) {
            timedOut_ = true;
            handled_.emplace_back(modal);
            QTimer::singleShot(0, modal, [modal] { modal->close(); });
            clock_.restart();
        }
    }

    QTimer timer_;
    QElapsedTimer clock_;
    bool seen(QWidget* w) const {
        for (const auto& h : handled_)
            if (h == w) return true;
        return false;
    }

    std::vector<QPointer<QWidget>> handled_;
    QPointer<QWidget> current_;
    std::deque<std::function<bool(QWidget*)>> steps_;
    bool timedOut_ = false;
};

}  // namespace flowcfg::testing

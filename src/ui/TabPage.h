#pragma once

#include <QPointer>
#include <QWidget>

namespace flowcfg {

// One page of a TabPages control. The controls on it notify the tab page, which passes every
// notification on to its owner page with the same field id; id -1 stays on the tab page.
class TabPage : public QWidget {
    Q_OBJECT
public:
    explicit TabPage(QObject* owner, QWidget* parent = nullptr);

    QObject* owner() const { return owner_; }

protected:
    bool event(QEvent* event) override;

private:
    QPointer<QObject> owner_;
};

}  // namespace flowcfg

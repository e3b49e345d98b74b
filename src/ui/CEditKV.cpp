#include "ui/CEditKV.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPointer>
#include <QTimer>

#include "shell/EditValueRules.h"
#include "shell/ValueDisplay.h"

namespace flowcfg {
namespace {

// The last widget that took the focus, read-only boxes left out, so that a read-only box can
// give the focus back. One watcher for the whole program.
QPointer<QWidget>& previousFocus() {
    static QPointer<QWidget> previous;
    static bool watching = false;
    if (!watching && qApp) {
        watching = true;
        QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
            auto* edit = qobject_cast<CEditKV*>(now);
            if (!edit || !edit->isReadOnlyField()) previous = now;
        });
    }
    return previous;
}

}  // namespace

CEditKV::CEditKV(QWidget* parent) : QLineEdit(parent) {
    previousFocus();
    connect(this, &QLineEdit::textEdited, this,
            [this] { notify(ControlNotification::EditOnChange); });
}

int CEditKV::setFormat(double low, double high, const std::string& format) {
    if (format.size() < 2) return -1;
    low_ = low;
    high_ = high;
    format_ = format;
    applyLimits();
    return 0;
}

void CEditKV::setReadOnlyField(bool readOnly) {
    readOnly_ = readOnly;
    setReadOnly(readOnly);
    setFocusPolicy(readOnly ? Qt::NoFocus : Qt::StrongFocus);
    if (readOnly && hasFocus()) focusNextChild();
}

double CEditKV::value() const {
    return editTextValue(text().toStdString(), format_);
}

void CEditKV::setValue(double value) {
    setText(QString::fromStdString(displayValue(value, format_, low_, high_)));
}

void CEditKV::applyLimits() {
    if (auto limited = limitedEditText(text().toStdString(), format_, low_, high_))
        replaceText(*limited);
}

// A changed text counts as a change of the person's entry: the owner hears about it.
void CEditKV::replaceText(const std::string& text) {
    QString replacement = QString::fromStdString(text);
    if (replacement == this->text()) return;
    setText(replacement);
    notify(ControlNotification::EditOnChange);
}

void CEditKV::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (readOnly_) {
        // Never the focus: back to where it came from (or nowhere).
        QTimer::singleShot(0, this, [this] {
            if (!hasFocus()) return;
            QPointer<QWidget> back = previousFocus();
            if (back && back != this && back->isVisible())
                back->setFocus(Qt::OtherFocusReason);
            else
                clearFocus();
        });
        return;
    }
    // After the mouse press that may have brought the focus, so the selection stays.
    QTimer::singleShot(0, this, [this] {
        if (!hasFocus()) return;
        selectAll();
    });
}

void CEditKV::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    replaceText(reformattedEditText(text().toStdString(), format_, low_, high_));
    if (!readOnly_) applyLimits();
    notify(ControlNotification::EditLostFocus);
}

}  // namespace flowcfg

#pragma once

#include <QLineEdit>
#include <string>

#include "ui/ControlNotifier.h"

namespace flowcfg {

// An edit box for one value of a field. It knows the field's display format and limits: when
// the person leaves it, the text is shown again by the field's display rules and held within
// the limits. A read-only box never takes the focus.
class CEditKV : public QLineEdit, public ControlNotifier {
    Q_OBJECT
public:
    explicit CEditKV(QWidget* parent = nullptr);

    // Formats shorter than two characters are refused (-1). A format ending in 'h' is
    // hexadecimal, one ending in 's' is text; the others are printf formats or "autoN".
    int setFormat(double low, double high, const std::string& format);
    const std::string& format() const { return format_; }
    double low() const { return low_; }
    double high() const { return high_; }

    void setReadOnlyField(bool readOnly);
    bool isReadOnlyField() const { return readOnly_; }

    // The value of the text (see editTextValue); 0 when it is no number.
    double value() const;
    // Shows `value` by the display rules.
    void setValue(double value);
    // Replaces a value outside the limits by the nearer limit.
    void applyLimits();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void replaceText(const std::string& text);

    bool readOnly_ = false;
    double low_ = 0;
    double high_ = -1;  // no limits until a format gives them
    std::string format_ = "%s";
};

}  // namespace flowcfg

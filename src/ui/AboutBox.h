#pragma once

#include "ui/PageDialog.h"

class QLabel;

namespace flowcfg {

class TransparentLabel;

// "A propos...": the program's name, version and legal notice beside its emblem. A customer
// logo announced at start-up replaces the emblem by nothing, as the logo stands for the
// program then.
class AboutBox : public PageDialog {
    Q_OBJECT
public:
    explicit AboutBox(Application& application, QWidget* parent = nullptr);

    TransparentLabel* textLabel() const { return text_; }
    QLabel* picture() const { return picture_; }

private:
    QLabel* picture_;
    TransparentLabel* text_;
};

}  // namespace flowcfg

#include "ui/AboutBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ProgramIdentity.h"
#include "ui/ProgramArt.h"
#include "ui/TransparentLabel.h"

namespace flowcfg {

AboutBox::AboutBox(Application& application, QWidget* parent)
    : PageDialog(application, parent),
      picture_(new QLabel(this)),
      text_(new TransparentLabel(this)) {
    setCaptionId(ProgramIdentity::kAboutCaptionTextId);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    picture_->setFixedSize(96, 96);
    if (!settings().showLogo) picture_->setPixmap(ProgramArt::aboutPicture(96));

    text_->setText(QString::fromStdString(ProgramIdentity::aboutText(texts(), language())));
    text_->setTextFlags(Qt::AlignLeft | Qt::AlignVCenter);
    text_->setPointSize(10);
    text_->setMinimumSize(text_->sizeHint());

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(picture_, 0, Qt::AlignTop);
    top->addWidget(text_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 14);
    layout->setSpacing(16);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace flowcfg

#pragma once

#include "params/FactorySettingsPage.h"
#include "params/SpecialSettingsPage.h"
#include "ui/BlockPageDialog.h"

namespace flowcfg {

// "Special Settings": both serial numbers (text and parts), hardware, application, instrument
// type, the three chord limits and the eight configuration words; "Transfer", "Save", "Print",
// "Cancel".
class SpecialSettingsDialog : public BlockPageDialog {
    Q_OBJECT
public:
    SpecialSettingsDialog(Application& application, SpecialSettingsPage& page,
                          WidgetProgress& progress, QWidget* parent = nullptr);

protected:
    void layoutFields(QWidget* content) override;
    BlockPage::Result startPage() override;
    void fieldChanged(int controlId) override;
    void transfer() override;
    void save() override;

private:
    SpecialSettingsPage& special_;
};

// "Factory Settings": reboot, reset and the upgrade with its file name; "Transfer", "Save",
// "Cancel".
class FactorySettingsDialog : public BlockPageDialog {
    Q_OBJECT
public:
    FactorySettingsDialog(Application& application, FactorySettingsPage& page,
                          WidgetProgress& progress, QWidget* parent = nullptr);

protected:
    void layoutFields(QWidget* content) override;
    BlockPage::Result startPage() override;
    void transfer() override;
    void save() override;

private:
    FactorySettingsPage& factoryPage_;
};

}  // namespace flowcfg

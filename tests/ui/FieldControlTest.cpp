#include <gtest/gtest.h>

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>

#include "NotificationLog.h"
#include "ui/CComboKV.h"
#include "ui/CEditKV.h"
#include "ui/CSpinKV.h"
#include "ui/TabPage.h"
#include "ui/TabPages.h"
#include "ui/WidgetFieldControl.h"
#include "ui/WidgetFieldControlFactory.h"

namespace flowcfg {
namespace {

using Role = FieldControlSpec::Role;
using N = ControlNotification;

FieldControlSpec request(Role role, int controlId, int fieldId, int kind = 0, int tab = -1) {
    FieldControlSpec s;
    s.role = role;
    s.controlId = controlId;
    s.fieldId = fieldId;
    s.kind = kind;
    s.tab = tab;
    return s;
}

// A page that records its notifications, with a grid for its fields.
class Page : public QWidget {
public:
    Page() : grid(new QGridLayout(this)) {}
    QGridLayout* grid;
    testing::NotificationLog log;

protected:
    bool event(QEvent* e) override {
        if (e->type() == ControlEvent::eventType()) return QCoreApplication::sendEvent(&log, e);
        return QWidget::event(e);
    }
};

TEST(WidgetFieldControlTest, FieldsGetCaptionValueAndUnitOnOneRowAndReportToThePage) {
    Page page;
    WidgetFieldControlFactory factory(&page);
    factory.setGrid(-1, page.grid);

    auto caption = factory.createControl(request(Role::Caption, 1031, 1031));
    auto value =
        factory.createControl(request(Role::Value, 1032, 1031, WidgetFieldControlFactory::kList));
    auto unit = factory.createControl(request(Role::Unit, 1033, 1031));
    ASSERT_TRUE(caption && value && unit);
    auto edit =
        factory.createControl(request(Role::Value, 1066, 1066, WidgetFieldControlFactory::kEdit));
    ASSERT_TRUE(edit);

    EXPECT_EQ(page.grid->itemAtPosition(0, 0)->widget()->objectName(), "item1031");
    EXPECT_EQ(page.grid->itemAtPosition(0, 1)->widget()->objectName(), "item1032");
    EXPECT_EQ(page.grid->itemAtPosition(0, 2)->widget()->objectName(), "item1033");
    EXPECT_EQ(page.grid->itemAtPosition(1, 1)->widget()->objectName(), "item1066");

    caption->setText("Bauds");
    EXPECT_EQ(caption->text(), "Bauds");
    value->setItems({"300", "600", "1200", "2400", "4800", "9600", "BlueTooth", "115200"}, 5);
    EXPECT_EQ(value->text(), "9600");
    value->setItemFlags(6, 0);
    EXPECT_EQ(value->select(6), 0);
    EXPECT_EQ(value->selectedValue(), 7);
    value->setText("600");
    EXPECT_EQ(value->selectedValue(), 1);
    auto* combo = page.findChild<CComboKV*>("item1032");
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(2);  // the person chooses
    ASSERT_EQ(page.log.count(N::ComboSelChange), 1);
    EXPECT_EQ(page.log.entries.back().notifyId, 1031);

    EXPECT_EQ(edit->setFormat(0, 10, "%"), -1);
    EXPECT_EQ(edit->setFormat(0, 10, "%0.f"), 0);
    edit->setText("12");
    EXPECT_EQ(edit->text(), "12");
    auto* box = page.findChild<CEditKV*>("item1066");
    ASSERT_NE(box, nullptr);
    box->applyLimits();
    EXPECT_EQ(edit->text(), "10");
    edit->setEnabled(false);
    EXPECT_FALSE(box->isEnabled());
    EXPECT_EQ(caption->setFormat(0, 1, "%d"), 0);  // labels take no format

    // Destroying a control takes its widget off the page.
    unit.reset();
    EXPECT_EQ(page.findChild<QLabel*>("item1033"), nullptr);
}

TEST(WidgetFieldControlTest, SpinGaugeDisplaySlotsAndTabPages) {
    Page page;
    auto* tabs = new TabPages(&page);
    auto* tab = new TabPage(&page);
    auto* tabGrid = new QGridLayout(tab);
    tabs->addPage(tab, "Général");
    WidgetFieldControlFactory factory(&page, tabs);
    factory.setGrid(0, tabGrid);
    factory.setGrid(-1, page.grid);
    auto* special = new QGridLayout;
    page.grid->addLayout(special, 5, 0);
    factory.setSlot(2001, special, 3, 4);

    auto spin = factory.createControl(
        request(Role::Value, 1500, 1500, WidgetFieldControlFactory::kSpin, 0));
    ASSERT_TRUE(spin);
    auto* arrows = tab->findChild<CSpinKV*>();
    ASSERT_NE(arrows, nullptr);
    arrows->upButton()->click();
    ASSERT_EQ(page.log.count(N::SpinNewDelta), 1);  // through the tab page
    EXPECT_EQ(page.log.entries.back().notifyId, 1500);
    EXPECT_EQ(page.log.entries.back().delta, 1);
    spin->setVisible(false);
    EXPECT_FALSE(arrows->isVisibleTo(&page));

    auto gauge =
        factory.createControl(request(Role::Value, 2001, 2001, WidgetFieldControlFactory::kGauge));
    ASSERT_TRUE(gauge);
    EXPECT_NE(special->itemAtPosition(3, 4), nullptr);
    gauge->setText("73.6");
    EXPECT_EQ(gauge->text(), "74");
    gauge->setText("250");
    EXPECT_EQ(gauge->text(), "100");

    auto display = factory.createControl(
        request(Role::Value, 1600, 1600, WidgetFieldControlFactory::kDisplay));
    ASSERT_TRUE(display);
    display->setText("12.5");
    EXPECT_EQ(display->text(), "12.5");

    factory.setTabTitle(0, "General");
    EXPECT_EQ(tabs->tabText(0), "General");
    // A control with nowhere to go is refused.
    EXPECT_EQ(
        factory.createControl(request(Role::Value, 9, 9, WidgetFieldControlFactory::kEdit, 3)),
        nullptr);
}

}  // namespace
}  // namespace flowcfg

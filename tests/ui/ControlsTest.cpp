#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "NotificationLog.h"
#include "texts/LanguageTable.h"
#include "ui/CButtonKV.h"
#include "ui/CComboKV.h"
#include "ui/CEditKV.h"
#include "ui/CSpinKV.h"
#include "ui/TabPage.h"
#include "ui/TabPages.h"
#include "ui/TransparentLabel.h"

namespace flowcfg {
namespace {

using testing::NotificationLog;
using N = ControlNotification;

// A shown window holding the controls under test and a plain edit to move the focus to.
struct Window {
    QWidget widget;
    QVBoxLayout* layout = new QVBoxLayout(&widget);
    QLineEdit* elsewhere = new QLineEdit;

    template <class T>
    T* add(T* control) {
        layout->addWidget(control);
        return control;
    }
    void show() {
        layout->addWidget(elsewhere);
        widget.show();
        widget.activateWindow();
        QApplication::setActiveWindow(&widget);
        QApplication::processEvents();
    }
};

TEST(CComboKVTest, HiddenBlueToothLeavesSevenSpeedsAndSixLandsOn115200) {
    LanguageTable texts;
    CComboKV combo;
    combo.setItems(texts.lookup(571, 1), 5);
    EXPECT_EQ(combo.count(), 8);
    EXPECT_EQ(combo.selectedText(), "9600");
    ASSERT_EQ(combo.setItemFlags(6, 0), 0);
    ASSERT_EQ(combo.count(), 7);
    for (int row = 0; row < combo.count(); ++row)
        EXPECT_NE(combo.itemText(row), "BlueTooth");
    EXPECT_EQ(combo.selectedText(), "9600");  // the selection stays
    EXPECT_EQ(combo.select(6), 0);
    EXPECT_EQ(combo.currentText(), "115200");
    EXPECT_EQ(combo.selectedValue(), 7);
    EXPECT_EQ(combo.select(8), -1);
    EXPECT_EQ(combo.selectedValue(), 7);
}

TEST(CComboKVTest, MarksAndNotifications) {
    NotificationLog owner;
    CComboKV combo;
    combo.setOwner(&owner);
    combo.setNotifyId(1049);
    combo.setItems({"Oui", "Non"}, 1);
    EXPECT_TRUE(owner.entries.empty());  // filling tells nobody
    combo.setItemFlags(0, ComboItemList::kShown | ComboItemList::kDashed);
    combo.setItemFlags(1, ComboItemList::kShown | ComboItemList::kStarred);
    EXPECT_EQ(combo.itemText(0), "------");
    EXPECT_EQ(combo.itemText(1), "**Non**");
    EXPECT_EQ(combo.selectedText(), "Non");
    EXPECT_EQ(combo.select(0), 0);  // still selectable
    EXPECT_TRUE(owner.entries.empty());

    combo.setCurrentIndex(1);  // as the person would
    ASSERT_EQ(owner.count(N::ComboSelChange), 1);
    EXPECT_EQ(owner.entries.back().notifyId, 1049);
    emit combo.activated(1);
    EXPECT_EQ(owner.count(N::ComboSelEndOk), 1);
    EXPECT_EQ(combo.setAllFlags({1, 1, 1}), -1);
    EXPECT_EQ(combo.setAllFlags({0, 1}), 0);
    EXPECT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.selectedValue(), 1);
}

TEST(CEditKVTest, TypedValueAboveTheLimitShowsTheLimitWhenFocusLeaves) {
    NotificationLog owner;
    Window w;
    auto* edit = w.add(new CEditKV);
    edit->setOwner(&owner);
    edit->setNotifyId(1066);
    ASSERT_EQ(edit->setFormat(0, 10, "%0.f"), 0);
    w.show();
    edit->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(edit->hasFocus());
    edit->clear();
    QTest::keyClicks(edit, "12");
    EXPECT_EQ(edit->text(), "12");
    EXPECT_EQ(owner.count(N::EditOnChange), 2);
    EXPECT_EQ(owner.count(N::EditLostFocus), 0);

    w.elsewhere->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(edit->text(), "10");
    EXPECT_EQ(edit->value(), 10);
    ASSERT_FALSE(owner.entries.empty());
    EXPECT_EQ(owner.entries.back().notification, N::EditLostFocus);
    EXPECT_EQ(owner.entries.back().notifyId, 1066);
    EXPECT_EQ(owner.count(N::EditOnChange), 3);  // "12" became "10"
}

TEST(CEditKVTest, FormatsLimitsAndTheValueRead) {
    CEditKV edit;
    EXPECT_EQ(edit.setFormat(0, 10, "%"), -1);
    EXPECT_EQ(edit.format(), "%s");
    edit.setText("25");
    ASSERT_EQ(edit.setFormat(0, 20, "%0.1f"), 0);  // re-applies the limits
    EXPECT_EQ(edit.text(), "20.0");
    edit.setText("-4");
    edit.applyLimits();
    EXPECT_EQ(edit.text(), "0.0");

    edit.setFormat(0, 0, "auto4");
    edit.setValue(12.3456);
    EXPECT_EQ(edit.text(), "12.35");
    edit.setValue(-0.5);
    EXPECT_EQ(edit.text(), "-0.500");
    edit.setValue(12345);
    EXPECT_EQ(edit.text(), "12350");

    edit.setFormat(0, 0xFFFF, "%4h");
    edit.setValue(0x1F);
    EXPECT_EQ(edit.text(), "0x001F");
    EXPECT_EQ(edit.value(), 0x1F);
    edit.setText("0x5a5a");
    EXPECT_EQ(edit.value(), 0x5A5A);
}

TEST(CEditKVTest, ReadOnlyBoxNeverTakesTheFocus) {
    Window w;
    auto* edit = w.add(new CEditKV);
    edit->setReadOnlyField(true);
    w.show();
    w.elsewhere->setFocus();
    QApplication::processEvents();
    edit->setFocus();  // even when asked in code
    QApplication::processEvents();
    EXPECT_FALSE(edit->hasFocus());
    EXPECT_TRUE(w.elsewhere->hasFocus());
    EXPECT_TRUE(edit->isReadOnly());
}

TEST(TabPageTest, NotificationsReachTheOwnerPageExceptForIdMinusOne) {
    NotificationLog page;
    TabPages tabs;
    EXPECT_EQ(tabs.selectedIndex(), -1);
    auto* tab = new TabPage(&page);
    tabs.addPage(tab, "Modem");
    EXPECT_EQ(tabs.selectedIndex(), 0);
    auto* combo = new CComboKV(tab);
    combo->setOwner(tab);
    combo->setItems({"Tonalité", "Impulsion"}, 0);
    combo->setNotifyId(1152);
    combo->setCurrentIndex(1);
    ASSERT_EQ(page.entries.size(), 1u);
    EXPECT_EQ(page.entries[0].notification, N::ComboSelChange);
    EXPECT_EQ(page.entries[0].notifyId, 1152);

    combo->setNotifyId(-1);
    combo->setCurrentIndex(0);
    EXPECT_EQ(page.entries.size(), 1u);
    combo->setNotifyId(0);  // id 0 sends nothing at all
    combo->setCurrentIndex(1);
    EXPECT_EQ(page.entries.size(), 1u);
}

TEST(CSpinKVAndCButtonKVTest, ArrowsClicksAndFocus) {
    NotificationLog owner;
    Window w;
    auto* spin = w.add(new CSpinKV);
    auto* button = w.add(new CButtonKV("..."));
    spin->setOwner(&owner);
    spin->setNotifyId(7);
    button->setOwner(&owner);
    button->setNotifyId(4990);
    w.show();

    spin->upButton()->click();
    spin->downButton()->click();
    spin->downButton()->click();
    ASSERT_EQ(owner.count(N::SpinNewDelta), 3);
    EXPECT_EQ(owner.entries[0].delta, 1);
    EXPECT_EQ(owner.entries[1].delta, -1);
    EXPECT_EQ(owner.entries[0].notifyId, 7);
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(owner.entries.back().delta, 1);

    owner.entries.clear();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(owner.count(N::ButtonClick), 1);
    QTest::mouseDClick(button, Qt::LeftButton);
    EXPECT_EQ(owner.count(N::ButtonDbClick), 1);
    button->setFocus();
    QApplication::processEvents();
    w.elsewhere->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(owner.count(N::ButtonKillFocus), 1);
    EXPECT_EQ(owner.entries.back().focusWidget, w.elsewhere);
    EXPECT_STREQ(notificationName(N::ButtonKillFocus), "WM_USER_CBUTTONKV_KILL_FOCUS");
}

TEST(TransparentLabelTest, DrawsItsTextAndLeavesTheBackgroundVisible) {
    QWidget back;
    back.resize(200, 40);
    auto* label = new TransparentLabel(&back);
    label->setGeometry(0, 0, 200, 40);
    label->setText("Application : Zq4xxKRw 03");
    label->setTextColor(Qt::black);
    EXPECT_EQ(label->textFlags(), 0);
    QPixmap canvas(200, 40);
    canvas.fill(Qt::red);
    label->render(&canvas, QPoint(), QRegion(), QWidget::RenderFlags());
    QImage image = canvas.toImage();
    EXPECT_EQ(image.pixelColor(199, 39), QColor(Qt::red));  // no background painted
    int dark = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 120; ++x)
            dark += image.pixelColor(x, y).red() < 100;
    EXPECT_GT(dark, 20);  // the text is there, at the top left
}

}  // namespace
}  // namespace flowcfg

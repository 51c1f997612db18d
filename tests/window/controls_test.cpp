#include "controls.h"

#include <memory>

#include <QApplication>
#include <QGroupBox>
#include <QMessageBox>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include "qt_printers.h"
#include "user_actions.h"

namespace quorvel::test {
namespace {

// A window with two boxes and two groups of options, each event written to a log.
class ControlsTest : public testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<QWidget>();
        window->resize(400, 300);
        first = AddBox("first", 10, 10);
        second = AddBox("second", 10, 40);
        sizeGroup = new QGroupBox(window.get());
        sizeGroup->setGeometry(100, 10, 120, 100);
        audioGroup = new QGroupBox(window.get());
        audioGroup->setGeometry(230, 10, 120, 100);
        a1 = AddOption(sizeGroup, "a1", 10, true);
        a2 = AddOption(sizeGroup, "a2", 40, false);
        b1 = AddOption(audioGroup, "b1", 10, true);
        b2 = AddOption(audioGroup, "b2", 40, false);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        first->setFocus(Qt::OtherFocusReason);
        log.clear();
    }

    TextBox* AddBox(const QString& name, int x, int y) {
        auto* box = new TextBox(window.get());
        box->setObjectName(name);
        box->setGeometry(x, y, 80, 22);
        box->setMaxLength(6);
        QObject::connect(box, &TextBox::Change,
                         [this, box] { log << box->objectName() + " Change " + box->text(); });
        QObject::connect(box, &TextBox::LostFocus,
                         [this, box] { log << box->objectName() + " LostFocus"; });
        return box;
    }

    OptionButton* AddOption(QGroupBox* group, const QString& name, int y, bool selected) {
        auto* option = new OptionButton(group);
        option->setObjectName(name);
        option->setText(name);
        option->setGeometry(10, y, 100, 20);
        option->setChecked(selected);
        QObject::connect(option, &OptionButton::Click,
                         [this, option] { log << option->objectName() + " Click"; });
        return option;
    }

    std::unique_ptr<QWidget> window;
    TextBox* first = nullptr;
    TextBox* second = nullptr;
    QGroupBox* sizeGroup = nullptr;
    QGroupBox* audioGroup = nullptr;
    OptionButton* a1 = nullptr;
    OptionButton* a2 = nullptr;
    OptionButton* b1 = nullptr;
    OptionButton* b2 = nullptr;
    QStringList log;
};

TEST_F(ControlsTest, EveryUserEditRaisesOneChange) {
    QTest::keyClicks(first, "12");
    QTest::keyClick(first, Qt::Key_Backspace);
    QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(first, Qt::Key_X, Qt::ControlModifier); // cut
    QApplication::clipboard()->setText("77");
    QTest::keyClick(first, Qt::Key_V, Qt::ControlModifier); // paste
    QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(first, "5"); // typed over a selection
    EXPECT_EQ(log, (QStringList{"first Change 1", "first Change 12", "first Change 1",
                                "first Change ", "first Change 77", "first Change 5"}));
}

TEST_F(ControlsTest, AProgramWriteRaisesChangeInsideTheWriteAndOnlyWhenTheTextDiffers) {
    bool inside = false;
    QObject::connect(first, &TextBox::Change, [&] { inside = true; });
    first->setText("42");
    EXPECT_TRUE(inside); // the handler ran before setText returned
    first->setText("42");
    first->setText("0");
    first->setText("0");
    EXPECT_EQ(log, (QStringList{"first Change 42", "first Change 0"}));
}

TEST_F(ControlsTest, AWriteFromAChangeHandlerNestsAndLeavesTheBoxConsistent) {
    // As a limit does: text over 500 is written back as 500 while the user types.
    QObject::connect(first, &TextBox::Change, [this] {
        if (first->text().toInt() > 500) {
            log << "rewrite";
            first->setText("500");
            log << "rewrite done";
        }
    });
    QTest::keyClicks(first, "9999");
    EXPECT_EQ(first->text(), "500");
    QTest::keyClicks(first, "7"); // typed on at the end of the rewritten text
    EXPECT_EQ(first->text(), "500");
    EXPECT_EQ(log, (QStringList{"first Change 9", "first Change 99", "first Change 999", "rewrite",
                                "first Change 500", "rewrite done", "first Change 5009", "rewrite",
                                "first Change 500", "rewrite done", "first Change 5007", "rewrite",
                                "first Change 500", "rewrite done"}));
}

TEST_F(ControlsTest, TheLengthLimitBindsTypingAndPasting) {
    QTest::keyClicks(first, "12345678");
    EXPECT_EQ(first->text(), "123456");
    QApplication::clipboard()->setText("9876543210");
    QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(first, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(first->text(), "987654");
}

TEST_F(ControlsTest, LostFocusWhenTheFocusMovesToAnotherControl) {
    pressTab();
    EXPECT_EQ(QApplication::focusWidget(), second);
    clickOn(first);
    EXPECT_EQ(log, (QStringList{"first LostFocus", "second LostFocus"}));
}

TEST_F(ControlsTest, NoLostFocusWhenAnotherWindowOrADialogTakesTheFocus) {
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), first);

    QMessageBox box(QMessageBox::Information, "t", "m", QMessageBox::Ok, window.get());
    box.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    box.close();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), first);
    EXPECT_TRUE(log.isEmpty()) << log.join(", ").toStdString();
}

TEST_F(ControlsTest, AnOptionRaisesClickWhenChosenOrSelectedByTheProgram) {
    clickOn(a2);
    EXPECT_TRUE(a2->isChecked());
    EXPECT_FALSE(a1->isChecked());
    clickOn(a2); // already selected
    bool inside = false;
    QObject::connect(a1, &OptionButton::Click, [&] { inside = true; });
    a1->select();
    EXPECT_TRUE(inside);
    a1->select(); // already selected
    EXPECT_EQ(log, (QStringList{"first LostFocus", "a2 Click", "a1 Click"}));
}

TEST(OptionButton, AnOptionOfNoGroupIsSelectedAndClicksAsAnyOther) {
    OptionButton option;
    int clicks = 0;
    QObject::connect(&option, &OptionButton::Click, [&clicks] { ++clicks; });
    option.select();
    EXPECT_TRUE(option.isChecked());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(option.focusPolicy(), Qt::StrongFocus);
}

TEST_F(ControlsTest, TheTwoGroupsAreIndependent) {
    clickOn(b2);
    a2->select();
    EXPECT_TRUE(a2->isChecked());
    EXPECT_TRUE(b2->isChecked());
    EXPECT_FALSE(a1->isChecked());
    EXPECT_FALSE(b1->isChecked());
    b1->select();
    EXPECT_TRUE(a2->isChecked());
    EXPECT_EQ(log, (QStringList{"first LostFocus", "b2 Click", "a2 Click", "b1 Click"}));
}

TEST_F(ControlsTest, ArrowKeysMoveTheSelectionWithinAGroup) {
    clickOn(a1);
    QTest::keyClick(a1, Qt::Key_Down);
    EXPECT_TRUE(a2->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), a2);
    EXPECT_TRUE(b1->isChecked());
    EXPECT_EQ(log, (QStringList{"first LostFocus", "a2 Click"}));
}

TEST_F(ControlsTest, TheBoxLostFocusAndAllItSetsOffRunBeforeTheOptionsClick) {
    QObject::connect(first, &TextBox::LostFocus, [this] {
        first->setText("2");
        b2->select();
    });
    clickOn(a2);
    EXPECT_TRUE(a2->isChecked());
    EXPECT_EQ(log, (QStringList{"first LostFocus", "first Change 2", "b2 Click", "a2 Click"}));
}

} // namespace
} // namespace quorvel::test

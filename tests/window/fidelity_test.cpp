// What a user meets at the edges of the window: clicks anywhere in an option,
// the first keystroke in a box, one group beside the other, and start-up.
#include <QSignalSpy>

#include "accessibility_events.h"
#include "form_fixture.h"
#include "qt_printers.h"
#include "user_actions.h"

namespace quorvel::test {
namespace {

using FidelityTest = FormTest;

// Each one changes the selection of its group, the start-up presets last.
constexpr const char* kOptionsInTurn[] = {"File700",   "File651",    "File654",  "File702",
                                          "FileOther", "File650",    "Audio112", "Audio128",
                                          "Audio160",  "Audio192",   "Audio224", "Audio256",
                                          "Audio320",  "AudioOther", "Audio96"};

TEST_F(FidelityTest, AClickAtTheRightEndOfAnOptionChoosesItAfterTheBoxIsLeft) {
    for (const char* name : kOptionsInTurn) {
        OptionButton* option = optionButton(name);
        // State: the minutes box holds a typed 5, which reads "05" once left.
        typeOver(textBox("LengthMinutes"), "5");
        QString boxAtClick;
        const auto spy = QObject::connect(option, &OptionButton::Click,
                                          [&] { boxAtClick = textBox("LengthMinutes")->text(); });
        // Action: a click right of the caption, inside the option's rectangle.
        QTest::mouseClick(option, Qt::LeftButton, {},
                          QPoint(option->width() - 2, option->height() / 2));
        QObject::disconnect(spy);
        // Expected: chosen, with the box's LostFocus rewrite run first.
        EXPECT_TRUE(option->isChecked()) << name;
        EXPECT_EQ(boxAtClick, "05") << name;
        EXPECT_EQ(QApplication::focusWidget(), option) << name;
    }
}

TEST_F(FidelityTest, NoSectorsGiveMinusTheAudioRate) {
    typeOver(textBox("FileSectors"), "0");
    EXPECT_EQ(calcState().FileKbits, 0);
    EXPECT_EQ(shownResult(), "-96");
}

TEST_F(FidelityTest, TheFirstCharacterTypedInABoxChoosesItsOtherOption) {
    const struct {
        const char* box;
        const char* preset;
        const char* other;
    } boxes[] = {{"FileSectors", "File650", "FileOther"},
                 {"FileBytes", "File650", "FileOther"},
                 {"AudioKBPS", "Audio96", "AudioOther"}};
    for (const auto& b : boxes) {
        clickOn(optionButton(b.preset));
        selectAllIn(textBox(b.box));
        EXPECT_TRUE(optionButton(b.preset)->isChecked()) << b.box;
        QTest::keyClick(textBox(b.box), Qt::Key_1);
        EXPECT_TRUE(optionButton(b.other)->isChecked()) << b.box;
    }
}

TEST_F(FidelityTest, ChoosingInOneGroupNeverChangesTheOther) {
    for (const char* name : kOptionsInTurn) {
        const bool size = QString::fromLatin1(name).startsWith("File");
        const QString otherGroup = size ? audioOption() : sizeOption();
        clickOn(optionButton(name));
        EXPECT_EQ(size ? sizeOption() : audioOption(), name);
        EXPECT_EQ(size ? audioOption() : sizeOption(), otherGroup) << name;
    }
}

TEST_F(FidelityTest, AWriteOfTheSameTextRaisesNoChangeOnTheRealBoxes) {
    for (const char* name : {"FileSectors", "FileBytes", "AudioKBPS", "LengthHours",
                             "LengthMinutes", "LengthSeconds"}) {
        TextBox* box = textBox(name);
        QSignalSpy changes(box, &TextBox::Change);
        box->setText(box->text());
        EXPECT_EQ(changes.count(), 0) << name;
    }
}

TEST(StartUp, TheLoadSelectsTheOtherOptionsOnTheWayAndEndsOnThePresets) {
    AccessibilityRecorder recorder;
    Form_Main form;
    QStringList selected;
    for (const AccessibilityEvent& event : recorder.events()) {
        if (event.type == QAccessible::StateChanged && event.checked && event.object) {
            selected << event.object->objectName();
        }
    }
    // The layout's own selection as the controls are built, then the load's.
    EXPECT_EQ(selected,
              (QStringList{"File650", "Audio96", "FileOther", "File650", "AudioOther", "Audio96"}));
    EXPECT_EQ(form.ui().label("VideoBitRate")->text(), "1103");
}

} // namespace
} // namespace quorvel::test

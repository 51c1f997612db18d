#include <cmath>
#include <cstdint>
#include <functional>

#include <QApplication>
#include <QMessageBox>

#include "form_fixture.h"
#include "qt_printers.h"
#include "user_actions.h"

namespace quorvel::test {
namespace {

using HandlersTest = FormTest;

TEST_F(HandlersTest, OpensWithTheStartUpValues) {
    EXPECT_EQ(sizeOption(), "File650");
    EXPECT_EQ(audioOption(), "Audio96");
    EXPECT_EQ(textBox("FileSectors")->text(), "332800");
    EXPECT_EQ(textBox("FileBytes")->text(), "2048");
    EXPECT_EQ(textBox("AudioKBPS")->text(), "96");
    EXPECT_EQ(textBox("LengthHours")->text(), "01");
    EXPECT_EQ(textBox("LengthMinutes")->text(), "14");
    EXPECT_EQ(textBox("LengthSeconds")->text(), "00");
    EXPECT_EQ(shownResult(), "1103");
    EXPECT_EQ(calcState().FileKbits, 5324800);
    EXPECT_EQ(calcState().AudioKbps, 96);
    EXPECT_EQ(calcState().TotalSeconds, 4440);
    settle();
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(HandlersTest, OneKeystrokeInTheSectorsBox) {
    // State: start-up. Action: type 3 over the sectors, then 0, then leave.
    typeOver(textBox("FileSectors"), "3");
    EXPECT_EQ(sizeOption(), "FileOther");
    EXPECT_EQ(calcState().SectorCount, 3);
    EXPECT_EQ(calcState().FileKbits, 48);
    EXPECT_EQ(shownResult(), "-95");

    QTest::keyClicks(textBox("FileSectors"), "0");
    EXPECT_EQ(calcState().FileKbits, 480);
    EXPECT_EQ(shownResult(), "-95");

    pressTab();
    EXPECT_EQ(textBox("FileSectors")->text(), "30");
    EXPECT_EQ(calcState().SectorCount, 30);
}

TEST_F(HandlersTest, TheFirstKeystrokeUsesTheSizeBeforeTheEdit) {
    // FileOther's Click, run inside the first keystroke, shows the size the
    // boxes held before it: 1103, then the keystroke's own -95.
    QStringList results;
    QObject::connect(optionButton("FileOther"), &OptionButton::Click,
                     [&] { results << shownResult() + " " + textBox("FileSectors")->text(); });
    typeOver(textBox("FileSectors"), "3");
    EXPECT_EQ(results, QStringList{"1103 3"});
    EXPECT_EQ(shownResult(), "-95");
}

TEST_F(HandlersTest, EachPresetSetsItsValue) {
    const struct {
        const char* option;
        std::int32_t fileKbits;
        std::int32_t audioKbps;
        const char* result;
    } presets[] = {{"File700", 5734400, 96, "1195"},   {"File651", 5339968, 96, "1106"},
                   {"File654", 5361568, 96, "1111"},   {"File702", 5757552, 96, "1200"},
                   {"File650", 5324800, 96, "1103"},   {"Audio112", 5324800, 112, "1087"},
                   {"Audio128", 5324800, 128, "1071"}, {"Audio160", 5324800, 160, "1039"},
                   {"Audio192", 5324800, 192, "1007"}, {"Audio224", 5324800, 224, "975"},
                   {"Audio256", 5324800, 256, "943"},  {"Audio320", 5324800, 320, "879"},
                   {"Audio96", 5324800, 96, "1103"}};
    for (const auto& preset : presets) {
        clickOn(optionButton(preset.option));
        EXPECT_TRUE(optionButton(preset.option)->isChecked()) << preset.option;
        EXPECT_EQ(calcState().FileKbits, preset.fileKbits) << preset.option;
        EXPECT_EQ(calcState().AudioKbps, preset.audioKbps) << preset.option;
        EXPECT_EQ(shownResult(), preset.result) << preset.option;
    }
    EXPECT_EQ(textBox("FileSectors")->text(), "332800");
    EXPECT_EQ(textBox("AudioKBPS")->text(), "96");
}

TEST_F(HandlersTest, TypedValuesAreHeldToTheirLimitsAtOnce) {
    const struct {
        const char* box;
        const char* typed;
        const char* shown;
        const char* selected;
    } cases[] = {{"FileSectors", "600000", "524287", "FileOther"},
                 {"FileBytes", "4097", "4096", "FileOther"},
                 {"AudioKBPS", "9999", "1500", "AudioOther"},
                 {"LengthHours", "99", "23", nullptr},
                 {"LengthMinutes", "60", "59", nullptr},
                 {"LengthSeconds", "-1", "0", nullptr}};
    for (const auto& c : cases) {
        typeOver(textBox(c.box), c.typed);
        EXPECT_EQ(textBox(c.box)->text(), c.shown) << c.box;
        if (c.selected) {
            EXPECT_TRUE(optionButton(c.selected)->isChecked()) << c.box;
        }
    }
    EXPECT_EQ(calcState().SectorCount, 524287);
    EXPECT_EQ(calcState().BytesPerSector, 4096);
    EXPECT_EQ(calcState().FileKbits, 16777184);
    EXPECT_EQ(calcState().AudioKbps, 1500);
    EXPECT_EQ(calcState().TotalSeconds, 23 * 3600 + 59 * 60);
    const double expected = 16777184.0 / (23 * 3600 + 59 * 60) - 1500;
    EXPECT_EQ(shownResult(), QString::number(static_cast<int>(std::trunc(expected))));
}

TEST_F(HandlersTest, ALengthPartShowsTwoDigitsOnlyWhenLeft) {
    typeOver(textBox("LengthHours"), "-1");
    EXPECT_EQ(textBox("LengthHours")->text(), "0");
    EXPECT_EQ(shownResult(), "6243"); // 5324800 / 840 - 96
    pressTab();
    EXPECT_EQ(textBox("LengthHours")->text(), "00");

    typeOver(textBox("LengthMinutes"), "5");
    EXPECT_EQ(textBox("LengthMinutes")->text(), "5");
    const QString before = shownResult();
    const CalcState state = calcState();
    pressTab();
    EXPECT_EQ(textBox("LengthMinutes")->text(), "05");
    EXPECT_EQ(shownResult(), before);
    EXPECT_EQ(calcState().TotalSeconds, state.TotalSeconds);
    EXPECT_EQ(calcState().VideoKbps, state.VideoKbps);
}

TEST_F(HandlersTest, LeavingABoxWritesTheNumberInUseInItsNormalForm) {
    // State: start-up. Action: type a number in a form of its own, then leave the
    // box by Tab, and again by a click on the option selected in the audio group.
    // Expected: the box shows the number in use, the result stays.
    const struct {
        const char* box;
        const char* typed;
        const char* shown;
    } cases[] = {{"FileSectors", "0300", "300"}, {"FileBytes", "02.5", "2"},
                 {"AudioKBPS", "0096", "96"},    {"LengthHours", "1", "01"},
                 {"LengthMinutes", "5", "05"},   {"LengthSeconds", "7", "07"}};
    for (const auto& c : cases) {
        for (const bool byTab : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << c.box << (byTab ? " left by Tab" : " left by a click"));
            typeOver(textBox(c.box), c.typed);
            const QString result = shownResult();
            if (byTab) {
                pressTab();
            } else {
                clickOn(optionButton(audioOption().toLatin1().constData()));
            }
            EXPECT_NE(QApplication::focusWidget(), textBox(c.box));
            EXPECT_EQ(textBox(c.box)->text(), c.shown);
            EXPECT_EQ(shownResult(), result);
        }
    }
}

TEST_F(HandlersTest, PresetsKeepTheTypedBoxesAndOtherBringsThemBack) {
    typeOver(textBox("FileSectors"), "1000");
    typeOver(textBox("FileBytes"), "1024");
    typeOver(textBox("AudioKBPS"), "200");
    EXPECT_EQ(calcState().FileKbits, 8000); // 1000 sectors of 1024 bytes
    EXPECT_EQ(shownResult(), "-198");       // 8000 / 4440 - 200, truncated toward zero

    clickOn(optionButton("File702"));
    clickOn(optionButton("Audio128"));
    EXPECT_EQ(calcState().FileKbits, 5757552);
    EXPECT_EQ(calcState().AudioKbps, 128);
    EXPECT_EQ(textBox("FileSectors")->text(), "1000");
    EXPECT_EQ(textBox("FileBytes")->text(), "1024");
    EXPECT_EQ(textBox("AudioKBPS")->text(), "200");

    clickOn(optionButton("FileOther"));
    clickOn(optionButton("AudioOther"));
    EXPECT_EQ(calcState().FileKbits, 8000);
    EXPECT_EQ(calcState().AudioKbps, 200);
    EXPECT_EQ(shownResult(), "-198");
}

TEST_F(HandlersTest, APresetClickedWhileTheSectorsBoxHoldsAFractionComesLast) {
    typeOver(textBox("FileSectors"), "2.9");
    EXPECT_EQ(calcState().SectorCount, 2);
    EXPECT_EQ(textBox("FileSectors")->text(), "2.9");
    QStringList events;
    QObject::connect(textBox("FileSectors"), &TextBox::Change,
                     [&] { events << "sectors " + textBox("FileSectors")->text(); });
    QObject::connect(optionButton("File700"), &OptionButton::Click, [&] { events << "File700"; });

    clickOn(optionButton("File700"));
    EXPECT_EQ(events, (QStringList{"sectors 2", "File700"}));
    EXPECT_EQ(sizeOption(), "File700");
    EXPECT_EQ(calcState().FileKbits, 5734400);
    EXPECT_EQ(shownResult(), "1195");
}

TEST_F(HandlersTest, AudioTypedThenEmptiedIsZeroUntilLeft) {
    typeOver(textBox("AudioKBPS"), "200");
    selectAllIn(textBox("AudioKBPS"));
    QTest::keyClick(textBox("AudioKBPS"), Qt::Key_Delete);
    EXPECT_EQ(textBox("AudioKBPS")->text(), "");
    EXPECT_EQ(calcState().AudioKbps, 0);
    EXPECT_EQ(shownResult(), "1199");
    pressTab();
    EXPECT_EQ(textBox("AudioKBPS")->text(), "0");
}

TEST_F(HandlersTest, ANumberBeyondTheFloatRangePastedIntoTheSectors) {
    pasteOver(textBox("FileSectors"), "1e400");
    settle();
    // FileOther's Click ran before the number was read; the count is unchanged.
    EXPECT_EQ(sizeOption(), "FileOther");
    EXPECT_EQ(calcState().SectorCount, 332800);
    EXPECT_EQ(calcState().FileKbits, 5324800);
    EXPECT_EQ(textBox("FileSectors")->text(), "1e400");
    EXPECT_EQ(shownResult(), "1103");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("sectors box")) << messages[0];
    EXPECT_TRUE(messages[0].contains("1e400")) << messages[0];

    pressTab();
    EXPECT_EQ(textBox("FileSectors")->text(), "332800");

    // The same failure met again before the message is shown is told once.
    pasteOver(textBox("FileSectors"), "1e400");
    QTest::keyClick(textBox("FileSectors"), Qt::Key_Backspace);
    pasteOver(textBox("FileSectors"), "1e400");
    settle();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], messages[0]);
}

TEST_F(HandlersTest, ANumberBeyondTheFloatRangeTypedInFrontOfEarlierDigits) {
    typeOver(textBox("FileSectors"), "400");
    QTest::keyClick(textBox("FileSectors"), Qt::Key_Home);
    QTest::keyClicks(textBox("FileSectors"), "1e");
    EXPECT_EQ(textBox("FileSectors")->text(), "1e400");
    EXPECT_EQ(calcState().SectorCount, 1400);
    EXPECT_EQ(shownResult(), "-90");
    settle();
    EXPECT_EQ(messages.size(), 1);
    pressTab();
    EXPECT_EQ(textBox("FileSectors")->text(), "1400");
}

// A handler whose own write set off the failing one goes on with its steps.
TEST_F(HandlersTest, AHugeAudioRatePastedWhileAPresetIsSelected) {
    pasteOver(textBox("AudioKBPS"), "9e99");
    settle();
    EXPECT_EQ(audioOption(), "AudioOther");
    EXPECT_EQ(textBox("AudioKBPS")->text(), "1500");
    EXPECT_EQ(calcState().AudioOtherKbps, 1500);
    EXPECT_EQ(calcState().AudioKbps, 1500);
    EXPECT_EQ(shownResult(), "-300");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("audio kbps box")) << messages[0];
    EXPECT_TRUE(messages[0].contains("9e99")) << messages[0];
}

TEST_F(HandlersTest, TheErrorMessageOpensAfterTheEventsAndMovesNoBox) {
    form->errorReport().setDialogsShown(true);
    pasteOver(textBox("FileSectors"), "1e400");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    settle();
    auto* dialog = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->text().contains("1e400"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    // The box keeps its text while the message is up: no LostFocus ran.
    EXPECT_EQ(textBox("FileSectors")->text(), "1e400");
    dialog->accept();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(QApplication::focusWidget(), textBox("FileSectors"));
    EXPECT_EQ(textBox("FileSectors")->text(), "1e400");
}

TEST_F(HandlersTest, AfterTheMessageIsClosedWithItsButtonTabWritesBackTheLastCount) {
    // State: "1e400" typed in front of 400 in the sectors box, its message up.
    form->errorReport().setDialogsShown(true);
    typeOver(textBox("FileSectors"), "400");
    QTest::keyClick(textBox("FileSectors"), Qt::Key_Home);
    QTest::keyClicks(textBox("FileSectors"), "1e");
    settle();
    auto* dialog = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    // Action: the message closed with its button, then Tab, which reaches the
    // window whether or not the desktop gave it the keyboard back.
    QTest::mouseClick(dialog->button(QMessageBox::Ok), Qt::LeftButton);
    settle();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(QApplication::focusWidget(), textBox("FileSectors"));
    QTest::keyClick(textBox("FileSectors"), Qt::Key_Tab);
    settle();
    // Expected: the last count that could be used is written back, with no
    // new message, and the result stays.
    EXPECT_EQ(QApplication::focusWidget(), textBox("FileBytes"));
    EXPECT_EQ(textBox("FileSectors")->text(), "1400");
    EXPECT_EQ(shownResult(), "-90");
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(HandlersTest, AFaultOfTheProgramIsToldAsSuchAndClosesTheWindow) {
    form->handleEvent(textBox("FileSectors"), [] { throw std::bad_function_call(); });
    settle();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("internal error")) << messages[0];
    EXPECT_FALSE(messages[0].contains("sectors box")) << messages[0];
    EXPECT_FALSE(form->isVisible());
}

TEST_F(HandlersTest, ClosingTheWindowRunsNoHandler) {
    typeOver(textBox("AudioKBPS"), "0096");
    EXPECT_EQ(QApplication::focusWidget(), textBox("AudioKBPS"));
    form->close();
    settle();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(textBox("AudioKBPS")->text(), "0096"); // no LostFocus rewrite
}

} // namespace
} // namespace quorvel::test

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
    EXPECT_EQ(SizeOption(), "File650");
    EXPECT_EQ(AudioOption(), "Audio96");
    EXPECT_EQ(Box("FileSectors")->text(), "332800");
    EXPECT_EQ(Box("FileBytes")->text(), "2048");
    EXPECT_EQ(Box("AudioKBPS")->text(), "96");
    EXPECT_EQ(Box("LengthHours")->text(), "01");
    EXPECT_EQ(Box("LengthMinutes")->text(), "14");
    EXPECT_EQ(Box("LengthSeconds")->text(), "00");
    EXPECT_EQ(Result(), "1103");
    EXPECT_EQ(State().FileKbits, 5324800);
    EXPECT_EQ(State().AudioKbps, 96);
    EXPECT_EQ(State().TotalSeconds, 4440);
    Settle();
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(HandlersTest, OneKeystrokeInTheSectorsBox) {
    // State: start-up. Action: type 3 over the sectors, then 0, then leave.
    TypeOver(Box("FileSectors"), "3");
    EXPECT_EQ(SizeOption(), "FileOther");
    EXPECT_EQ(State().SectorCount, 3);
    EXPECT_EQ(State().FileKbits, 48);
    EXPECT_EQ(Result(), "-95");

    QTest::keyClicks(Box("FileSectors"), "0");
    EXPECT_EQ(State().FileKbits, 480);
    EXPECT_EQ(Result(), "-95");

    PressTab();
    EXPECT_EQ(Box("FileSectors")->text(), "30");
    EXPECT_EQ(State().SectorCount, 30);
}

TEST_F(HandlersTest, TheFirstKeystrokeUsesTheSizeBeforeTheEdit) {
    // FileOther's Click, run inside the first keystroke, shows the size the
    // boxes held before it: 1103, then the keystroke's own -95.
    QStringList results;
    QObject::connect(Option("FileOther"), &OptionButton::Click,
                     [&] { results << Result() + " " + Box("FileSectors")->text(); });
    TypeOver(Box("FileSectors"), "3");
    EXPECT_EQ(results, QStringList{"1103 3"});
    EXPECT_EQ(Result(), "-95");
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
        ClickOn(Option(preset.option));
        EXPECT_TRUE(Option(preset.option)->isChecked()) << preset.option;
        EXPECT_EQ(State().FileKbits, preset.fileKbits) << preset.option;
        EXPECT_EQ(State().AudioKbps, preset.audioKbps) << preset.option;
        EXPECT_EQ(Result(), preset.result) << preset.option;
    }
    EXPECT_EQ(Box("FileSectors")->text(), "332800");
    EXPECT_EQ(Box("AudioKBPS")->text(), "96");
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
        TypeOver(Box(c.box), c.typed);
        EXPECT_EQ(Box(c.box)->text(), c.shown) << c.box;
        if (c.selected) {
            EXPECT_TRUE(Option(c.selected)->isChecked()) << c.box;
        }
    }
    EXPECT_EQ(State().SectorCount, 524287);
    EXPECT_EQ(State().BytesPerSector, 4096);
    EXPECT_EQ(State().FileKbits, 16777184);
    EXPECT_EQ(State().AudioKbps, 1500);
    EXPECT_EQ(State().TotalSeconds, 23 * 3600 + 59 * 60);
    const double expected = 16777184.0 / (23 * 3600 + 59 * 60) - 1500;
    EXPECT_EQ(Result(), QString::number(static_cast<int>(std::trunc(expected))));
}

TEST_F(HandlersTest, ALengthPartShowsTwoDigitsOnlyWhenLeft) {
    TypeOver(Box("LengthHours"), "-1");
    EXPECT_EQ(Box("LengthHours")->text(), "0");
    EXPECT_EQ(Result(), "6243"); // 5324800 / 840 - 96
    PressTab();
    EXPECT_EQ(Box("LengthHours")->text(), "00");

    TypeOver(Box("LengthMinutes"), "5");
    EXPECT_EQ(Box("LengthMinutes")->text(), "5");
    const QString before = Result();
    const CalcState state = State();
    PressTab();
    EXPECT_EQ(Box("LengthMinutes")->text(), "05");
    EXPECT_EQ(Result(), before);
    EXPECT_EQ(State().TotalSeconds, state.TotalSeconds);
    EXPECT_EQ(State().VideoKbps, state.VideoKbps);
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
            TypeOver(Box(c.box), c.typed);
            const QString result = Result();
            if (byTab) {
                PressTab();
            } else {
                ClickOn(Option(AudioOption().toLatin1().constData()));
            }
            EXPECT_NE(QApplication::focusWidget(), Box(c.box));
            EXPECT_EQ(Box(c.box)->text(), c.shown);
            EXPECT_EQ(Result(), result);
        }
    }
}

TEST_F(HandlersTest, AZeroRunningTimeBecomesOneSecond) {
    TypeOver(Box("LengthHours"), "0");
    EXPECT_EQ(State().TotalSeconds, 840);
    SelectAllIn(Box("LengthMinutes"));
    QTest::keyClick(Box("LengthMinutes"), Qt::Key_Backspace);
    EXPECT_EQ(Box("LengthHours")->text(), "00");
    EXPECT_EQ(Box("LengthMinutes")->text(), "00");
    EXPECT_EQ(Box("LengthSeconds")->text(), "01");
    EXPECT_EQ(State().LengthS, 1);
    EXPECT_EQ(State().TotalSeconds, 1);
    EXPECT_EQ(Result(), "5324704");
}

TEST_F(HandlersTest, PresetsKeepTheTypedBoxesAndOtherBringsThemBack) {
    TypeOver(Box("FileSectors"), "1000");
    TypeOver(Box("AudioKBPS"), "200");
    EXPECT_EQ(State().FileKbits, 16000);
    EXPECT_EQ(Result(), "-196"); // 16000 / 4440 - 200, truncated toward zero

    ClickOn(Option("File700"));
    ClickOn(Option("Audio128"));
    EXPECT_EQ(State().FileKbits, 5734400);
    EXPECT_EQ(State().AudioKbps, 128);
    EXPECT_EQ(Box("FileSectors")->text(), "1000");
    EXPECT_EQ(Box("AudioKBPS")->text(), "200");

    ClickOn(Option("FileOther"));
    ClickOn(Option("AudioOther"));
    EXPECT_EQ(State().FileKbits, 16000);
    EXPECT_EQ(State().AudioKbps, 200);
    EXPECT_EQ(Result(), "-196");
}

TEST_F(HandlersTest, APresetClickedWhileTheSectorsBoxHoldsAFractionComesLast) {
    TypeOver(Box("FileSectors"), "2.9");
    EXPECT_EQ(State().SectorCount, 2);
    EXPECT_EQ(Box("FileSectors")->text(), "2.9");
    QStringList events;
    QObject::connect(Box("FileSectors"), &TextBox::Change,
                     [&] { events << "sectors " + Box("FileSectors")->text(); });
    QObject::connect(Option("File700"), &OptionButton::Click, [&] { events << "File700"; });

    ClickOn(Option("File700"));
    EXPECT_EQ(events, (QStringList{"sectors 2", "File700"}));
    EXPECT_EQ(SizeOption(), "File700");
    EXPECT_EQ(State().FileKbits, 5734400);
    EXPECT_EQ(Result(), "1195");
}

TEST_F(HandlersTest, AudioTypedThenEmptiedIsZeroUntilLeft) {
    TypeOver(Box("AudioKBPS"), "200");
    SelectAllIn(Box("AudioKBPS"));
    QTest::keyClick(Box("AudioKBPS"), Qt::Key_Delete);
    EXPECT_EQ(Box("AudioKBPS")->text(), "");
    EXPECT_EQ(State().AudioKbps, 0);
    EXPECT_EQ(Result(), "1199");
    PressTab();
    EXPECT_EQ(Box("AudioKBPS")->text(), "0");
}

TEST_F(HandlersTest, WorkedValues) {
    ClickOn(Option("File700"));
    ClickOn(Option("Audio128"));
    TypeOver(Box("LengthHours"), "1");
    TypeOver(Box("LengthMinutes"), "20");
    TypeOver(Box("LengthSeconds"), "0");
    EXPECT_EQ(Result(), "1066");

    ClickOn(Option("File650"));
    ClickOn(Option("Audio96"));
    TypeOver(Box("LengthHours"), "23");
    TypeOver(Box("LengthMinutes"), "59");
    TypeOver(Box("LengthSeconds"), "59");
    EXPECT_EQ(Result(), "-34");
}

TEST_F(HandlersTest, ANumberBeyondTheFloatRangePastedIntoTheSectors) {
    PasteOver(Box("FileSectors"), "1e400");
    Settle();
    // FileOther's Click ran before the number was read; the count is unchanged.
    EXPECT_EQ(SizeOption(), "FileOther");
    EXPECT_EQ(State().SectorCount, 332800);
    EXPECT_EQ(State().FileKbits, 5324800);
    EXPECT_EQ(Box("FileSectors")->text(), "1e400");
    EXPECT_EQ(Result(), "1103");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("sectors box")) << messages[0];
    EXPECT_TRUE(messages[0].contains("1e400")) << messages[0];

    PressTab();
    EXPECT_EQ(Box("FileSectors")->text(), "332800");

    // The same failure met again before the message is shown is told once.
    PasteOver(Box("FileSectors"), "1e400");
    QTest::keyClick(Box("FileSectors"), Qt::Key_Backspace);
    PasteOver(Box("FileSectors"), "1e400");
    Settle();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], messages[0]);
}

TEST_F(HandlersTest, ANumberBeyondTheFloatRangeTypedInFrontOfEarlierDigits) {
    TypeOver(Box("FileSectors"), "400");
    QTest::keyClick(Box("FileSectors"), Qt::Key_Home);
    QTest::keyClicks(Box("FileSectors"), "1e");
    EXPECT_EQ(Box("FileSectors")->text(), "1e400");
    EXPECT_EQ(State().SectorCount, 1400);
    EXPECT_EQ(Result(), "-90");
    Settle();
    EXPECT_EQ(messages.size(), 1);
    PressTab();
    EXPECT_EQ(Box("FileSectors")->text(), "1400");
}

// A handler whose own write set off the failing one goes on with its steps.
TEST_F(HandlersTest, AHugeAudioRatePastedWhileAPresetIsSelected) {
    PasteOver(Box("AudioKBPS"), "9e99");
    Settle();
    EXPECT_EQ(AudioOption(), "AudioOther");
    EXPECT_EQ(Box("AudioKBPS")->text(), "1500");
    EXPECT_EQ(State().AudioOtherKbps, 1500);
    EXPECT_EQ(State().AudioKbps, 1500);
    EXPECT_EQ(Result(), "-300");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("audio kbps box")) << messages[0];
    EXPECT_TRUE(messages[0].contains("9e99")) << messages[0];
}

TEST_F(HandlersTest, TheErrorMessageOpensAfterTheEventsAndMovesNoBox) {
    form->errorReport().setDialogsShown(true);
    PasteOver(Box("FileSectors"), "1e400");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    Settle();
    auto* dialog = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->text().contains("1e400"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    // The box keeps its text while the message is up: no LostFocus ran.
    EXPECT_EQ(Box("FileSectors")->text(), "1e400");
    dialog->accept();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(QApplication::focusWidget(), Box("FileSectors"));
    EXPECT_EQ(Box("FileSectors")->text(), "1e400");
}

TEST_F(HandlersTest, AfterTheMessageIsClosedWithItsButtonTabWritesBackTheLastCount) {
    // State: "1e400" typed in front of 400 in the sectors box, its message up.
    form->errorReport().setDialogsShown(true);
    TypeOver(Box("FileSectors"), "400");
    QTest::keyClick(Box("FileSectors"), Qt::Key_Home);
    QTest::keyClicks(Box("FileSectors"), "1e");
    Settle();
    auto* dialog = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    // Action: the message closed with its button, then Tab, which reaches the
    // window whether or not the desktop gave it the keyboard back.
    QTest::mouseClick(dialog->button(QMessageBox::Ok), Qt::LeftButton);
    Settle();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(QApplication::focusWidget(), Box("FileSectors"));
    QTest::keyClick(Box("FileSectors"), Qt::Key_Tab);
    Settle();
    // Expected: the last count that could be used is written back, with no
    // new message, and the result stays.
    EXPECT_EQ(QApplication::focusWidget(), Box("FileBytes"));
    EXPECT_EQ(Box("FileSectors")->text(), "1400");
    EXPECT_EQ(Result(), "-90");
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(HandlersTest, AFaultOfTheProgramIsToldAsSuchAndClosesTheWindow) {
    form->handleEvent(Box("FileSectors"), [] { throw std::bad_function_call(); });
    Settle();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("internal error")) << messages[0];
    EXPECT_FALSE(messages[0].contains("sectors box")) << messages[0];
    EXPECT_FALSE(form->isVisible());
}

TEST_F(HandlersTest, ClosingTheWindowRunsNoHandler) {
    TypeOver(Box("AudioKBPS"), "0096");
    EXPECT_EQ(QApplication::focusWidget(), Box("AudioKBPS"));
    form->close();
    Settle();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Box("AudioKBPS")->text(), "0096"); // no LostFocus rewrite
}

} // namespace
} // namespace quorvel::test

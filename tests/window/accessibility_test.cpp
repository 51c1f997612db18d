#include <QAccessible>
#include <QAccessibleInterface>
#include <functional>
#include <utility>

#include "accessibility_events.h"
#include "form_fixture.h"
#include "qt_printers.h"
#include "user_actions.h"

namespace quorvel::test {
namespace {

QString Spoken(QWidget* control, QAccessible::Text what = QAccessible::Name) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(what) : QStringLiteral("(not accessible)");
}

QAccessible::Role RoleOf(QWidget* control) {
    return QAccessible::queryAccessibleInterface(control)->role();
}

using AccessibilityTest = FormTest;

TEST_F(AccessibilityTest, EveryOptionSpeaksItsCaption) {
    for (const char* name :
         {"File650", "File700", "File651", "File654", "File702", "FileOther", "Audio96", "Audio112",
          "Audio128", "Audio160", "Audio192", "Audio224", "Audio256", "Audio320", "AudioOther"}) {
        OptionButton* option = Option(name);
        EXPECT_EQ(RoleOf(option), QAccessible::RadioButton) << name;
        EXPECT_EQ(Spoken(option), option->text()) << name;
    }
    EXPECT_EQ(Spoken(Get<QGroupBox>("Frame2")), "File Size");
    EXPECT_EQ(Spoken(Get<QGroupBox>("Frame1")), "Audio");
}

TEST_F(AccessibilityTest, EveryBoxSpeaksWhatItIsAndWhatItHolds) {
    const struct {
        const char* box;
        const char* name;
        const char* value;
    } boxes[] = {{"FileSectors", "sectors", "332800"}, {"FileBytes", "bytes / sector", "2048"},
                 {"AudioKBPS", "audio kbps", "96"},    {"LengthHours", "hours", "01"},
                 {"LengthMinutes", "minutes", "14"},   {"LengthSeconds", "seconds", "00"}};
    for (const auto& b : boxes) {
        EXPECT_EQ(RoleOf(Box(b.box)), QAccessible::EditableText) << b.box;
        EXPECT_EQ(Spoken(Box(b.box)), b.name);
        EXPECT_EQ(Spoken(Box(b.box), QAccessible::Value), b.value);
    }
}

TEST_F(AccessibilityTest, ABoxEnteredByTabIsToldWholeAndAnswersAtItsEnd) {
    // State: the focus on the first option. Action: Tab into the bytes box,
    // which selects its text and leaves the caret after it. Expected: a screen
    // reader reading the selection, its text attributes and the word at the
    // caret gets "2048" and answers for every question, none of them looping.
    ClickOn(Option("File650"));
    PressTab();
    PressTab();
    ASSERT_EQ(QApplication::focusWidget(), Box("FileBytes"));
    QAccessibleTextInterface* text =
        QAccessible::queryAccessibleInterface(Box("FileBytes"))->textInterface();
    ASSERT_NE(text, nullptr);
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(text->text(start, end), "2048");
    for (int offset = 0; offset <= 4; ++offset) {
        text->attributes(offset, &start, &end);
        EXPECT_EQ(std::pair(start, end), std::pair(0, 4)) << "attributes around " << offset;
    }
    for (const auto boundary : {QAccessible::WordBoundary, QAccessible::SentenceBoundary}) {
        EXPECT_EQ(text->textAtOffset(1, boundary, &start, &end), "2048");
        EXPECT_EQ(text->textAtOffset(-2, boundary, &start, &end), "");
        EXPECT_EQ(std::pair(start, end), std::pair(4, 4));
    }
}

TEST_F(AccessibilityTest, TheResultSpeaksAsTheRecommendedBitrateAndAnnouncesItsChanges) {
    QLabel* result = Get<QLabel>("VideoBitRate");
    EXPECT_EQ(Spoken(result), "Recommended video bitrate: 1103 kbps");
    EXPECT_EQ(Spoken(result, QAccessible::Description), "Recommended video bitrate in kbps");

    // What a screen reader reads follows every computation.
    TypeOver(Box("FileSectors"), "3");
    EXPECT_EQ(Spoken(result), "Recommended video bitrate: -95 kbps");
    ClickOn(Option("Audio128"));
    EXPECT_EQ(Spoken(result), "Recommended video bitrate: -127 kbps");
    EXPECT_EQ(result->text(), "-127");
}

TEST_F(AccessibilityTest, EachNewResultIsAnnouncedOnceAndAnUnchangedOneNotAtAll) {
    QLabel* result = Get<QLabel>("VideoBitRate");
    TextBox* sectors = Box("FileSectors");
    SelectAllIn(sectors);
    AccessibilityRecorder recorder;
    const struct {
        const char* step;
        std::function<void()> act;
        qsizetype announced;
    } steps[] = {
        // "Other:" is chosen at the first keystroke and computes 1103 again
        // before the keystroke's own -95: one announcement, for -95.
        {"type 3 over the sectors", [&] { Type(sectors, "3"); }, 1},
        {"type 0 (still -95)", [&] { Type(sectors, "0"); }, 0},
        {"type 0 (-92)", [&] { Type(sectors, "0"); }, 1},
        {"choose 700 MB", [&] { ClickOn(Option("File700")); }, 1},
        {"choose 700 MB again", [&] { ClickOn(Option("File700")); }, 0},
        {"choose 128 kbps", [&] { ClickOn(Option("Audio128")); }, 1},
    };
    for (const auto& step : steps) {
        recorder.clear();
        step.act();
        EXPECT_EQ(recorder.count(result, QAccessible::NameChanged), step.announced) << step.step;
        // The label's own text change is not announced besides its name.
        EXPECT_EQ(recorder.count(result, QAccessible::TextUpdated), 0) << step.step;
    }
}

TEST_F(AccessibilityTest, TheFocusedControlDescribesTheResultAsItChanges) {
    TextBox* sectors = Box("FileSectors");
    SelectAllIn(sectors);
    EXPECT_EQ(Spoken(sectors, QAccessible::Description), "Recommended video bitrate: 1103 kbps");

    AccessibilityRecorder recorder;
    Type(sectors, "3");
    EXPECT_EQ(Spoken(sectors, QAccessible::Description), "Recommended video bitrate: -95 kbps");
    EXPECT_EQ(recorder.count(sectors, QAccessible::DescriptionChanged), 1);

    // A control reached after the result changed describes the new result.
    PressTab();
    ASSERT_EQ(QApplication::focusWidget(), Box("FileBytes"));
    EXPECT_EQ(Spoken(Box("FileBytes"), QAccessible::Description),
              "Recommended video bitrate: -95 kbps");
}

} // namespace
} // namespace quorvel::test

#include <QAccessible>
#include <QAccessibleInterface>
#include <functional>
#include <string_view>
#include <utility>

#include "accessibility_events.h"
#include "form_fixture.h"
#include "qt_printers.h"
#include "result_announcer.h"
#include "user_actions.h"

namespace quorvel::test {
namespace {

QString spoken(QWidget* control, QAccessible::Text what = QAccessible::Name) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(what) : QStringLiteral("(not accessible)");
}

QAccessible::Role roleOf(QWidget* control) {
    return QAccessible::queryAccessibleInterface(control)->role();
}

using AccessibilityTest = FormTest;

TEST_F(AccessibilityTest, EveryOptionSpeaksItsCaption) {
    for (const char* name :
         {"File650", "File700", "File651", "File654", "File702", "FileOther", "Audio96", "Audio112",
          "Audio128", "Audio160", "Audio192", "Audio224", "Audio256", "Audio320", "AudioOther"}) {
        OptionButton* option = optionButton(name);
        EXPECT_EQ(roleOf(option), QAccessible::RadioButton) << name;
        EXPECT_EQ(spoken(option), option->text()) << name;
    }
    EXPECT_EQ(spoken(child<QGroupBox>("Frame2")), "File Size");
    EXPECT_EQ(spoken(child<QGroupBox>("Frame1")), "Audio");
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
        EXPECT_EQ(roleOf(textBox(b.box)), QAccessible::EditableText) << b.box;
        EXPECT_EQ(spoken(textBox(b.box)), b.name);
        EXPECT_EQ(spoken(textBox(b.box), QAccessible::Value), b.value);
    }
}

TEST_F(AccessibilityTest, ABoxEnteredByTabIsToldWholeAndAnswersAtItsEnd) {
    // State: the focus on the first option. Action: Tab into the bytes box,
    // which selects its text and leaves the caret after it. Expected: a screen
    // reader reading the selection, its text attributes and the word at the
    // caret gets "2048" and answers for every question, none of them looping.
    clickOn(optionButton("File650"));
    pressTab();
    pressTab();
    ASSERT_EQ(QApplication::focusWidget(), textBox("FileBytes"));
    QAccessibleTextInterface* text =
        QAccessible::queryAccessibleInterface(textBox("FileBytes"))->textInterface();
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

TEST_F(AccessibilityTest, EveryBoxAnswersForTheTextAroundEveryOffset) {
    // State: start-up, with "2.5 " in the bytes box (a number of two words and
    // a space). Action: ask each box for the character, word, sentence and line
    // at, before and after every offset. Expected: every answer is the text
    // between the offsets it gives, the item at an offset holds it, and a
    // word is one word.
    typeOver(textBox("FileBytes"), "2.5 ");
    using Ask =
        QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int*, int*) const;
    const std::pair<const char*, Ask> questions[] = {
        {"at", &QAccessibleTextInterface::textAtOffset},
        {"before", &QAccessibleTextInterface::textBeforeOffset},
        {"after", &QAccessibleTextInterface::textAfterOffset}};
    for (const char* name : {"FileSectors", "FileBytes", "AudioKBPS", "LengthHours",
                             "LengthMinutes", "LengthSeconds"}) {
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(textBox(name))->textInterface();
        ASSERT_NE(text, nullptr) << name;
        const QString all = textBox(name)->text();
        for (const auto boundary : {QAccessible::CharBoundary, QAccessible::WordBoundary,
                                    QAccessible::SentenceBoundary, QAccessible::LineBoundary}) {
            for (int offset = 0; offset <= all.size(); ++offset) {
                for (const auto& [question, ask] : questions) {
                    SCOPED_TRACE(testing::Message() << name << " " << question << " offset "
                                                    << offset << " boundary " << boundary);
                    int start = -1;
                    int end = -1;
                    const QString item = (text->*ask)(offset, boundary, &start, &end);
                    if (item.isEmpty()) {
                        continue;
                    }
                    EXPECT_EQ(item, all.mid(start, end - start));
                    if (question == std::string_view("at") && offset < all.size()) {
                        EXPECT_LE(start, offset);
                        EXPECT_GT(end, offset);
                    }
                }
            }
        }
    }
    int start = -1;
    int end = -1;
    QAccessibleTextInterface* bytes =
        QAccessible::queryAccessibleInterface(textBox("FileBytes"))->textInterface();
    EXPECT_EQ(bytes->textAtOffset(0, QAccessible::WordBoundary, &start, &end), "2.5");
}

TEST_F(AccessibilityTest, EachCharacterIsToldWhereTheBoxDrawsIt) {
    // State: start-up; the boxes' texts are aligned right, centred or left.
    // Action: ask each box where each of its characters stands, and which
    // caret position lies just inside that rectangle's left and right edges.
    // Expected: the rectangle lies in the box, and the positions are the
    // character's own and the next (a magnifier follows the caret by these).
    for (const char* name : {"FileSectors", "FileBytes", "AudioKBPS", "LengthHours",
                             "LengthMinutes", "LengthSeconds"}) {
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(textBox(name))->textInterface();
        const QRect box(textBox(name)->mapToGlobal(QPoint(0, 0)), textBox(name)->size());
        for (int offset = 0; offset < text->characterCount(); ++offset) {
            SCOPED_TRACE(testing::Message() << name << " character " << offset);
            const QRect character = text->characterRect(offset);
            EXPECT_TRUE(box.contains(character)) << character.x() << " in " << box.x();
            const int middle = character.center().y();
            EXPECT_EQ(text->offsetAtPoint({character.left() + 1, middle}), offset);
            EXPECT_EQ(text->offsetAtPoint({character.right() - 1, middle}), offset + 1);
        }
    }
}

TEST_F(AccessibilityTest, ATextWrittenThroughTheScreenReaderCountsAsTyped) {
    // State: start-up. Action: a screen reader (or a braille display) replaces
    // the sectors' text with 3, then inserts a 0 after it. Expected: the result
    // follows each edit as it follows typing.
    QAccessibleEditableTextInterface* editable =
        QAccessible::queryAccessibleInterface(textBox("FileSectors"))->editableTextInterface();
    ASSERT_NE(editable, nullptr);
    editable->replaceText(0, static_cast<int>(textBox("FileSectors")->text().size()), "3");
    EXPECT_EQ(shownResult(), "-95");
    editable->insertText(1, "0");
    EXPECT_EQ(textBox("FileSectors")->text(), "30");
    EXPECT_EQ(calcState().SectorCount, 30);
}

TEST_F(AccessibilityTest, TheResultSpeaksAsTheRecommendedBitrateAndAnnouncesItsChanges) {
    QLabel* result = child<QLabel>("VideoBitRate");
    EXPECT_EQ(spoken(result), "Recommended video bitrate: 1103 kbps");
    EXPECT_EQ(spoken(result, QAccessible::Description), "Recommended video bitrate in kbps");

    // What a screen reader reads follows every computation.
    typeOver(textBox("FileSectors"), "3");
    EXPECT_EQ(spoken(result), "Recommended video bitrate: -95 kbps");
    clickOn(optionButton("Audio128"));
    EXPECT_EQ(spoken(result), "Recommended video bitrate: -127 kbps");
    EXPECT_EQ(result->text(), "-127");
}

TEST_F(AccessibilityTest, EachNewResultIsAnnouncedOnceAndAnUnchangedOneNotAtAll) {
    QLabel* result = child<QLabel>("VideoBitRate");
    TextBox* sectors = textBox("FileSectors");
    selectAllIn(sectors);
    AccessibilityRecorder recorder;
    const struct {
        const char* step;
        std::function<void()> act;
        qsizetype announced;
    } steps[] = {
        // "Other:" is chosen at the first keystroke and computes 1103 again
        // before the keystroke's own -95: one announcement, for -95.
        {"type 3 over the sectors", [&] { type(sectors, "3"); }, 1},
        {"type 0 (still -95)", [&] { type(sectors, "0"); }, 0},
        {"type 0 (-92)", [&] { type(sectors, "0"); }, 1},
        {"choose 700 MB", [&] { clickOn(optionButton("File700")); }, 1},
        {"choose 700 MB again", [&] { clickOn(optionButton("File700")); }, 0},
        {"choose 128 kbps", [&] { clickOn(optionButton("Audio128")); }, 1},
    };
    for (const auto& step : steps) {
        recorder.clear();
        step.act();
        EXPECT_EQ(recorder.count(result, QAccessible::NameChanged), step.announced) << step.step;
        // The label's own text change is not announced besides its name.
        EXPECT_EQ(recorder.count(result, QAccessible::TextUpdated), 0) << step.step;
    }
}

// Long enough for a new result to have stood for the pause with no event.
constexpr int kPastThePause = ResultAnnouncer::kPause.count() * 2;

// Types `digits` at a quick typist's pace, well inside the pause between keys.
void typeQuickly(QWidget* box, const char* digits) {
    for (const char* digit = digits; *digit; ++digit) {
        QTest::keyClick(box, *digit);
        QTest::qWait(40);
    }
}

TEST_F(AccessibilityTest, TheBoxTypedInDescribesTheResultOnceTypingPauses) {
    TextBox* sectors = textBox("FileSectors");
    selectAllIn(sectors);
    EXPECT_EQ(spoken(sectors, QAccessible::Description), "Recommended video bitrate: 1103 kbps");

    // One keystroke: the label follows at once, the description after the pause.
    AccessibilityRecorder recorder;
    type(sectors, "3");
    EXPECT_EQ(spoken(child<QLabel>("VideoBitRate")), "Recommended video bitrate: -95 kbps");
    EXPECT_EQ(recorder.count(sectors, QAccessible::DescriptionChanged), 0);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return recorder.count(sectors, QAccessible::DescriptionChanged) == 1; }, 1000));
    EXPECT_EQ(spoken(sectors, QAccessible::Description), "Recommended video bitrate: -95 kbps");

    // A burst of digits after the 3: the label at every key that changes it
    // (31 sectors still give -95), the description once, at the end.
    recorder.clear();
    typeQuickly(sectors, "12345");
    EXPECT_EQ(recorder.count(child<QLabel>("VideoBitRate"), QAccessible::NameChanged), 4);
    QTest::qWait(kPastThePause);
    EXPECT_EQ(recorder.count(sectors, QAccessible::DescriptionChanged), 1);
    EXPECT_EQ(spoken(sectors, QAccessible::Description), "Recommended video bitrate: 1029 kbps");
}

TEST_F(AccessibilityTest, TheControlTheFocusMovesToDescribesTheResultAtOnce) {
    // Typed and left at once: the box reached describes the new result.
    TextBox* sectors = textBox("FileSectors");
    selectAllIn(sectors);
    type(sectors, "3");
    pressTab();
    ASSERT_EQ(QApplication::focusWidget(), textBox("FileBytes"));
    EXPECT_EQ(spoken(textBox("FileBytes"), QAccessible::Description),
              "Recommended video bitrate: -95 kbps");

    // An option chosen by a click or an arrow key describes its own result.
    clickOn(optionButton("File700"));
    EXPECT_EQ(spoken(optionButton("File700"), QAccessible::Description),
              "Recommended video bitrate: 1195 kbps");
    QTest::keyClick(optionButton("File700"), Qt::Key_Down);
    ASSERT_EQ(QApplication::focusWidget(), optionButton("File651"));
    EXPECT_EQ(spoken(optionButton("File651"), QAccessible::Description),
              "Recommended video bitrate: 1106 kbps");
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
// The announcements a result gets, as a screen reader's bridge receives them.
QStringList announced(const AccessibilityRecorder& recorder) {
    QStringList said;
    for (const AccessibilityEvent& event : recorder.events()) {
        if (event.type == QAccessible::Announcement) {
            said << event.message;
        }
    }
    return said;
}

#if defined(Q_OS_WIN)
TEST(Announcements, AWindowsScreenReaderHearsEachNewResultOnce) {
    // State: the window opening. Expected: nothing announced.
    AccessibilityRecorder recorder;
    Form_Main form;
    QStringList messages;
    form.errorReport().setDialogsShown(false);
    QObject::connect(&form.errorReport(), &ErrorReport::reported,
                     [&messages](const QString& message) { messages << message; });
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::qWait(kPastThePause);
    EXPECT_EQ(announced(recorder), QStringList());

    const auto box = [&form](const char* name) {
        return form.findChild<TextBox*>(QString::fromLatin1(name));
    };
    const auto option = [&form](const char* name) {
        return form.findChild<OptionButton*>(QString::fromLatin1(name));
    };
    const auto result = [&form] {
        return QStringList{QStringLiteral("Recommended video bitrate: %1 kbps")
                               .arg(form.ui().label("VideoBitRate")->text())};
    };
    const struct {
        const char* step;
        std::function<void()> act;
        bool heard; // the new result once, after the pause; else nothing
    } steps[] = {
        {"a burst of digits",
         [&] {
             selectAllIn(box("FileSectors"));
             typeQuickly(box("FileSectors"), "12345");
         },
         true},
        {"a single keystroke", [&] { type(box("FileSectors"), "6"); }, true},
        {"a click on a preset", [&] { clickOn(option("File700")); }, true},
        {"an arrow key", [&] { QTest::keyClick(option("File700"), Qt::Key_Down); }, true},
        {"the chosen preset clicked again", [&] { clickOn(option("File651")); }, false},
        {"a change undone within the pause",
         [&] {
             selectAllIn(box("AudioKBPS"));
             typeQuickly(box("AudioKBPS"), "128");
             typeOver(box("AudioKBPS"), "96");
         },
         false},
        {"an audio preset", [&] { clickOn(option("Audio128")); }, true},
        // "Other:" cannot use 9e99 as a rate; the box holds it to 1500.
        {"a number that cannot be used", [&] { pasteOver(box("AudioKBPS"), "9e99"); }, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        recorder.clear();
        step.act();
        EXPECT_EQ(announced(recorder), QStringList()) << "announced before the pause";
        EXPECT_TRUE(QTest::qWaitFor([&] { return !announced(recorder).isEmpty(); }, 1000) ==
                    step.heard)
            << "within a second of the last key or click";
        QTest::qWait(kPastThePause);
        EXPECT_EQ(announced(recorder), step.heard ? result() : QStringList());
    }
    EXPECT_EQ(messages.size(), 1);
}
#else
TEST_F(AccessibilityTest, NoAnnouncementBesidesTheDescriptionAScreenReaderSpeaks) {
    AccessibilityRecorder recorder;
    typeOver(textBox("FileSectors"), "3");
    clickOn(optionButton("File700"));
    QTest::qWait(kPastThePause);
    EXPECT_EQ(announced(recorder), QStringList());
}
#endif
#endif

} // namespace
} // namespace quorvel::test

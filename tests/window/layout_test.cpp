#include "layout_table.h"

#include "fonts.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSet>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>

#include <gmock/gmock.h>

#include "form_fixture.h"
#include "qt_printers.h"
#include "user_actions.h"

namespace quorvel::test {
namespace {

using LayoutTest = FormTest;

bool isKind(QWidget* control, ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return qobject_cast<QLabel*>(control) != nullptr;
    case ControlKind::TextBox:
        return qobject_cast<TextBox*>(control) != nullptr;
    case ControlKind::Frame:
        return qobject_cast<Frame*>(control) != nullptr;
    case ControlKind::OptionButton:
        return qobject_cast<OptionButton*>(control) != nullptr;
    case ControlKind::Line:
        return qobject_cast<Line*>(control) != nullptr;
    }
    return false;
}

QString captionOf(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) {
        return label->text();
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        return frame->title();
    }
    if (auto* option = qobject_cast<OptionButton*>(control)) {
        return option->text();
    }
    return {};
}

// The width a control's caption is drawn in.
int captionRoom(QWidget* control) {
    auto* option = qobject_cast<QRadioButton*>(control);
    if (!option) {
        return control->contentsRect().width();
    }
    QStyleOptionButton style;
    style.initFrom(option);
    style.text = option->text();
    return option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option).width();
}

TEST_F(LayoutTest, TheWindowHasItsCaptionAndAFixedClientArea) {
    EXPECT_EQ(form->windowTitle(), "Quorvel V1.01");
    EXPECT_EQ(form->size(), QSize(409, 375));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
}

TEST_F(LayoutTest, TheWindowCarriesItsIconSharpAtTwiceTheScale) {
    const QList<QSize> sizes = form->windowIcon().availableSizes();
    for (int side : {16, 24, 32, 48, 64}) {
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    }
    // At twice the scale a 32-pixel icon is drawn from the 64-pixel image.
    EXPECT_EQ(form->windowIcon().pixmap(QSize(32, 32), 2.0).size(), QSize(64, 64));
}

TEST_F(LayoutTest, EveryControlStandsAsTheTableSays) {
    const std::optional<DesignWidthFaces> designWidths = installedDesignWidthFaces();
    QSet<QString> names;
    for (const ControlRow& row : layoutTable()) {
        SCOPED_TRACE(row.name);
        QWidget* control = form->findChild<QWidget*>(QString::fromLatin1(row.name));
        ASSERT_NE(control, nullptr);
        names.insert(control->objectName());
        EXPECT_TRUE(isKind(control, row.kind));
        QWidget* container = row.container
                                 ? form->findChild<QWidget*>(QString::fromLatin1(row.container))
                                 : form.get();
        EXPECT_EQ(control->parentWidget(), container);

        const QPoint topLeft(twipsToPixels(row.left), twipsToPixels(row.top));
        EXPECT_EQ(control->pos(), topLeft);
        if (row.kind == ControlKind::Line) {
            EXPECT_EQ(control->width(), twipsToPixels(row.width) + 1);
        } else if (!row.sizedToText) {
            EXPECT_EQ(control->size(), QSize(twipsToPixels(row.width), twipsToPixels(row.height)));
            // A wider fallback face must not clip a caption.
            if (row.kind == ControlKind::Label || row.kind == ControlKind::OptionButton) {
                // The ink, not the advance: a colon's blank right bearing may
                // overhang. A fitted caption keeps a pixel clear of the edge.
                EXPECT_LT(control->fontMetrics().tightBoundingRect(captionOf(control)).right(),
                          captionRoom(control) - (designWidths ? 0 : 1));
                EXPECT_LE(control->fontMetrics().height(), control->height());
            }
        } else {
            // Sized to its text: the whole caption is shown, in one line, short of
            // the next control on its row.
            EXPECT_GE(control->width(),
                      control->fontMetrics().horizontalAdvance(captionOf(control)));
            EXPECT_LT(control->height(), 2 * control->fontMetrics().height());
            const QRect place = control->geometry();
            for (auto* other : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                const QRect there = other->geometry();
                if (there.left() > place.left() && there.top() <= place.bottom() &&
                    place.top() <= there.bottom()) {
                    EXPECT_LT(place.right(), there.left()) << other->objectName();
                }
            }
            // In the layout's own widths the date reaches a little past the
            // margin, as it was designed; a wider face is held to the margin.
            if (!designWidths) {
                EXPECT_LT(place.right(), twipsToPixels(6015));
            }
        }

        // The result's caption is the start-up result from then on.
        if (control != child<QLabel>("VideoBitRate") &&
            (row.kind == ControlKind::Label || row.kind == ControlKind::Frame ||
             row.kind == ControlKind::OptionButton)) {
            EXPECT_EQ(captionOf(control), QString::fromUtf8(row.text));
        }
        if (auto* option = qobject_cast<OptionButton*>(control)) {
            EXPECT_EQ(option->isChecked(), row.selected);
        }
        if (auto* box = qobject_cast<TextBox*>(control)) {
            EXPECT_EQ(box->maxLength(), row.maxLength);
            EXPECT_TRUE(box->alignment() & Qt::AlignRight);
        }
        // Drawn in the face of the layout's widths where there is one, exactly as
        // designed; else in the installed face that stands in, no larger.
        const FontFace face = row.font.family ? row.font : windowFont();
        EXPECT_EQ(control->font().family(), makeFont(face).family());
        if (designWidths) {
            EXPECT_EQ(control->font().family(),
                      face.serif ? designWidths->serif : designWidths->sans);
            EXPECT_DOUBLE_EQ(control->font().pointSizeF(), face.points);
        } else {
            EXPECT_LE(control->font().pointSizeF(), face.points);
        }
        EXPECT_EQ(control->font().bold(), face.bold);
        const QColor text = control->palette().color(QPalette::WindowText);
        if (row.colour && row.kind != ControlKind::Line) {
            EXPECT_EQ(text, QColor(row.colour->red, row.colour->green, row.colour->blue));
        }
        const bool focusable =
            row.kind == ControlKind::TextBox || row.kind == ControlKind::OptionButton;
        EXPECT_EQ(control->focusPolicy() != Qt::NoFocus, focusable);
    }
    EXPECT_EQ(names.size(), layoutTable().size());
}

// The checks kLayout passes as it compiles find the row a table is refused for.
template <typename Change> constexpr auto changedLayout(Change change) {
    auto rows = kLayout;
    change(rows);
    return rows;
}
constexpr bool refusedAt(std::optional<std::size_t> row, std::span<const ControlRow> rows,
                         std::string_view name) {
    return row && rows[*row].name == name;
}
constexpr auto kFrameLast = changedLayout([](auto& rows) {
    std::rotate(rows.begin() + designRow("Frame2"), rows.begin() + designRow("Frame2") + 1,
                rows.end());
});
static_assert(refusedAt(rowInNoEarlierFrame(kFrameLast), kFrameLast, "File650"));
constexpr auto kMisspeltFrame =
    changedLayout([](auto& rows) { rows[designRow("File700")].container = "Frame 2"; });
static_assert(refusedAt(rowInNoEarlierFrame(kMisspeltFrame), kMisspeltFrame, "File700"));
constexpr auto kNameTwice =
    changedLayout([](auto& rows) { rows[designRow("File651")].name = "File700"; });
static_assert(*rowRepeatingAName(kNameTwice) == designRow("File651"));
static_assert(!eachCoreBoxShownOnce(changedLayout([](auto& rows) {
    rows[designRow("FileBytes")].mirrors = Box::FileSectors;
})));
static_assert(!eachCoreBoxShownOnce(changedLayout([](auto& rows) {
    rows[designRow("Label1")].mirrors = rows[designRow("FileSectors")].mirrors;
    rows[designRow("FileSectors")].mirrors.reset();
})));

TEST(LayoutTable, AWindowIsNotBuiltFromATableItCannotPlaceOrKeep) {
    const auto table = [](auto change) {
        std::vector<ControlRow> rows(layoutTable().begin(), layoutTable().end());
        change(rows);
        return rows;
    };
    const auto at = [](std::vector<ControlRow>& rows, std::string_view name) {
        return std::find_if(rows.begin(), rows.end(),
                            [name](const ControlRow& r) { return r.name == name; });
    };
    const struct {
        const char* fault;
        std::vector<ControlRow> rows;
        const char* refusal; // what the message must say
    } cases[] = {
        {"a frame after its controls", table([&](auto& rows) {
             const auto frame = at(rows, "Frame2");
             std::rotate(frame, frame + 1, rows.end());
         }),
         "row File650:"},
        {"a misspelt container",
         table([&](auto& rows) { at(rows, "File700")->container = "Frame 2"; }), "row File700:"},
        {"a control of the handlers of another kind",
         table([&](auto& rows) { at(rows, "FileOther")->kind = ControlKind::Label; }),
         "row FileOther: it is not of the kind of FileOther,"},
        {"a second row of a name", table([&](auto& rows) {
             ControlRow again = *at(rows, "File700");
             again.top += 120;
             rows.insert(at(rows, "File651"), again);
         }),
         "row File700: an earlier row has the same name"},
        {"an option the handlers hear from as another kind",
         table([&](auto& rows) { at(rows, "Audio224")->kind = ControlKind::Label; }),
         "row Audio224: it is not of the kind of Audio224,"},
    };
    const auto expectRefused = [](const std::vector<ControlRow>& rows, const std::string& refusal) {
        try {
            Form_Main form(rows);
            ADD_FAILURE() << "the window was built";
        } catch (const LayoutError& error) {
            EXPECT_THAT(error.what(), testing::HasSubstr(refusal));
        }
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        expectRefused(c.rows, c.refusal);
    }
    // Each control the handlers read, write or hear from (every option and box,
    // and the result label), its row left out: the window must not be built
    // with a control missing, and the message names that control.
    for (const ControlRow& row : layoutTable()) {
        if (row.kind != ControlKind::OptionButton && row.kind != ControlKind::TextBox &&
            row.name != kResultLabel) {
            continue;
        }
        SCOPED_TRACE(row.name);
        const auto rows = table([&](auto& all) { all.erase(at(all, row.name)); });
        expectRefused(rows, std::string("no row builds ") + row.name + ",");
    }
}

TEST_F(LayoutTest, TwipsBecomeLogicalPixelsAtFifteenToOne) {
    EXPECT_EQ(textBox("FileSectors")->geometry(), QRect(64, 136, 65, 19));
    EXPECT_EQ(child<QWidget>("Frame1")->geometry(), QRect(232, 32, 169, 233));
    auto* rule = child<Line>("Line1");
    EXPECT_EQ(rule->geometry(), QRect(8, 296, 393, 1));
    EXPECT_EQ(rule->colour(), QColor(128, 128, 128));
    EXPECT_EQ(child<QLabel>("Label8")->palette().color(QPalette::WindowText), QColor(64, 0, 0));
    EXPECT_TRUE(child<QLabel>("VideoBitRate")->alignment() & Qt::AlignRight);
    EXPECT_TRUE(child<QLabel>("Label_Instruct")->alignment() & Qt::AlignHCenter);
}

TEST_F(LayoutTest, TheWidestResultShowsWhole) {
    // The largest size over one second with no audio.
    typeOver(textBox("FileSectors"), "524287");
    typeOver(textBox("FileBytes"), "4096");
    typeOver(textBox("AudioKBPS"), "0");
    typeOver(textBox("LengthHours"), "0");
    typeOver(textBox("LengthMinutes"), "0");
    typeOver(textBox("LengthSeconds"), "1");
    auto* result = child<QLabel>("VideoBitRate");
    ASSERT_EQ(result->text(), "16777184");
    EXPECT_LE(result->fontMetrics().horizontalAdvance(result->text()), result->width());
}

TEST_F(LayoutTest, EveryTextIsDrawnInAnInstalledFaceOfItsKindThatHasItsCharacters) {
    const QStringList installed = QFontDatabase::families();
    for (const ControlRow& row : layoutTable()) {
        SCOPED_TRACE(row.name);
        auto* control = form->findChild<QWidget*>(QString::fromLatin1(row.name));
        const QFontInfo face(control->font());
        EXPECT_TRUE(installed.contains(face.family())) << face.family();
        // A box's characters are those it may show; a caption's, its own.
        const QString characters =
            row.kind == ControlKind::TextBox ? QStringLiteral("-.0123456789") : captionOf(control);
        for (const QChar c : characters) {
            EXPECT_TRUE(control->fontMetrics().inFont(c)) << face.family() << " lacks " << c;
        }
        for (const char* picture : {"Mono", "Math", "Symbol", "Dings"}) {
            EXPECT_FALSE(face.family().contains(QLatin1String(picture))) << face.family();
        }
        if (row.font.serif) {
            EXPECT_TRUE(face.family().contains("Serif") || face.family().contains("Times") ||
                        face.family().contains("Tinos"))
                << face.family();
        }
    }
}

TEST(FitText, DrawsATextJustSmallEnoughForItsRoomAndLeavesOneThatFits) {
    const QFont font = makeFont(windowFont());
    const QString text = QStringLiteral("bytes / sector");
    const int natural = QFontMetrics(font).horizontalAdvance(text);
    for (const Qt::Alignment alignment : {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight}) {
        SCOPED_TRACE(static_cast<int>(alignment));
        EXPECT_EQ(fitText(font, text, QSize(natural + 8, 40), alignment), font);

        const QSize room(natural * 3 / 4, 40);
        const QFont fitted = fitText(font, text, room, alignment);
        EXPECT_LT(fitted.pointSizeF(), font.pointSizeF());
        EXPECT_LE(QFontMetrics(fitted).horizontalAdvance(text), room.width());
        QFont larger = fitted;
        larger.setPointSizeF(fitted.pointSizeF() + 0.25);
        EXPECT_FALSE(textFits(larger, text, room, alignment)) << "not the least change";
    }
    // Too low a room makes the text smaller too.
    EXPECT_LT(fitText(font, text, QSize(natural + 8, 8), Qt::AlignLeft).pointSizeF(),
              font.pointSizeF());
}

TEST(LayoutTable, ALabelSizedToItsTextMayReachTheNextControlOnItsRowOrTheMargin) {
    const std::map<std::string_view, int> limits = {{"Label7", 3960},
                                                    {"Label8", 6015},
                                                    {"Label10", 6015},
                                                    {"Label11", 4920},
                                                    {"Label12", 6015}};
    for (const ControlRow& row : layoutTable()) {
        if (row.sizedToText) {
            EXPECT_EQ(rightLimitTwips(layoutTable(), row), limits.at(row.name)) << row.name;
        }
    }
}

TEST_F(LayoutTest, TabVisitsTheSelectedOptionOfEachGroupAndEveryBox) {
    clickOn(optionButton("File650"));
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 8; ++i) {
        pressTab();
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, (QStringList{"File650", "FileSectors", "FileBytes", "Audio96", "AudioKBPS",
                                    "LengthHours", "LengthMinutes", "LengthSeconds", "File650"}));
    // Tab leaves the boxes as they were.
    EXPECT_EQ(shownResult(), "1103");
    EXPECT_EQ(textBox("LengthHours")->text(), "01");

    // Options the program selected, never focused, are where Tab stops.
    typeOver(textBox("AudioKBPS"), "128");
    typeOver(textBox("FileSectors"), "3");
    visited = QStringList{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 8; ++i) {
        pressTab();
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited,
              (QStringList{"FileSectors", "FileBytes", "AudioOther", "AudioKBPS", "LengthHours",
                           "LengthMinutes", "LengthSeconds", "FileOther", "FileSectors"}));
}

#if defined(Q_OS_WIN)
TEST(WindowsStyle, EveryWindowsDrawsTheWindowInTheClassicLook) {
    // The options and boxes were laid out for the windowsvista style, which
    // Windows 10 and 11 alike must use: the program holds no windows11 style.
    EXPECT_TRUE(QStyleFactory::keys().contains("windowsvista", Qt::CaseInsensitive))
        << QStyleFactory::keys().join(' ').toStdString();
    EXPECT_FALSE(QStyleFactory::keys().contains("windows11", Qt::CaseInsensitive))
        << QStyleFactory::keys().join(' ').toStdString();
    EXPECT_EQ(QStyleFactory::create("windows11"), nullptr);
}
#endif

TEST_F(LayoutTest, ArrowKeysChooseWithinAGroupOnly) {
    clickOn(optionButton("Audio96"));
    QTest::keyClick(optionButton("Audio96"), Qt::Key_Down);
    EXPECT_EQ(audioOption(), "Audio112");
    EXPECT_EQ(sizeOption(), "File650");
    EXPECT_EQ(shownResult(), "1087");
}

} // namespace
} // namespace quorvel::test

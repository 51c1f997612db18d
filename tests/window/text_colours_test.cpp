#include "text_colours.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>

#include "form_fixture.h"
#include "qt_printers.h"

namespace quorvel::test {
namespace {

TEST(ContrastRatio, RunsFromOneForTheSameColourToTwentyOneForBlackOnWhite) {
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(Qt::white, Qt::black), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(QColor(64, 0, 0), QColor(64, 0, 0)), 1.0, 1e-9);
    // A published pair: #777 on white is 4.48 to 1, just short of 4.5.
    EXPECT_NEAR(contrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);
}

TEST(ReadableOn, KeepsTheDesignedColourWhereItReadsAndKeepsItsHueWhereItDoesNot) {
    const QColor darkRed(64, 0, 0);
    EXPECT_EQ(readableOn(darkRed, QColor(0xef, 0xef, 0xef)), darkRed);
    EXPECT_EQ(readableOn(Qt::black, Qt::white), QColor(Qt::black));
    for (const QColor background :
         {QColor(0x35, 0x35, 0x35), QColor(0x24, 0x24, 0x24), QColor(Qt::black)}) {
        const QColor red = readableOn(darkRed, background);
        EXPECT_GE(contrastRatio(red, background), kLeastTextContrast) << background.name();
        EXPECT_EQ(red.hslHue(), darkRed.hslHue()) << red.name();
        EXPECT_GT(red.red(), red.green()) << red.name();
        EXPECT_GE(contrastRatio(readableOn(Qt::black, background), background), kLeastTextContrast);
    }
}

// Every text of the window against the window's colour.
class TextColoursTest : public FormTest {
protected:
    void TearDown() override { QApplication::setPalette(QPalette()); }

    void expectEveryTextReads(const char* palette) {
        const QColor background = form->palette().color(QPalette::Window);
        for (QWidget* control : form->findChildren<QWidget*>()) {
            if (control->focusPolicy() == Qt::NoFocus && !qobject_cast<QLabel*>(control)) {
                continue; // frames and the rule; options and boxes are checked below
            }
            const QColor text = control->palette().color(QPalette::WindowText);
            EXPECT_GE(contrastRatio(text, background), kLeastTextContrast)
                << palette << ": " << control->objectName() << " " << text.name() << " on "
                << background.name();
        }
    }
};

TEST_F(TextColoursTest, EveryTextReadsOnALightPaletteInItsDesignedColour) {
    expectEveryTextReads("light");
    EXPECT_EQ(child<QLabel>("Label8")->palette().color(QPalette::WindowText), QColor(64, 0, 0));
    EXPECT_EQ(child<QLabel>("Label12")->palette().color(QPalette::WindowText), QColor(0, 0, 0));
}

TEST_F(TextColoursTest, EveryTextReadsOnADarkPalette) {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    QApplication::setPalette(dark);
    QApplication::processEvents();
    ASSERT_EQ(form->palette().color(QPalette::Window), QColor(0x35, 0x35, 0x35));
    expectEveryTextReads("dark");
    const QColor versionLine = child<QLabel>("Label8")->palette().color(QPalette::WindowText);
    EXPECT_EQ(versionLine.hslHue(), 0) << versionLine.name(); // still a red
}

} // namespace
} // namespace quorvel::test

// The keyboard once the message that a number cannot be used is closed, on a
// real X server with no window manager: there only the window itself takes the
// keyboard back, and another X client (a desktop, an assistive tool) may hand
// it the keyboard the moment OK is pressed, while the message is still up.
// However the message is closed, the next Tab or click must leave the box with
// its rewrite, and no second message may follow.
#include <cctype>
#include <functional>
#include <string>
#include <tuple>

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include "form_fixture.h"
#include "user_actions.h"

namespace quorvel::test {
namespace {

// Runs xdotool, a client of the X server of its own, as a desktop or a test
// tool is: what it does reaches the program through the X server alone.
void xdotool(const QStringList& arguments) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    ASSERT_TRUE(xdotool.waitForFinished(10000)) << arguments.join(' ').toStdString();
    ASSERT_EQ(xdotool.exitCode(), 0) << xdotool.readAllStandardError().toStdString();
}

// A click in the middle of `widget`, through the X server.
void clickThroughX(QWidget* widget) {
    const QPoint middle = widget->mapToGlobal(widget->rect().center());
    xdotool({"mousemove", QString::number(middle.x()), QString::number(middle.y()), "click", "1"});
}

struct Closing {
    const char* how;
    std::function<void(QMessageBox*)> close;
};

const Closing kClosings[] = {
    // What a screen reader does when its user activates the button.
    {"OK's accessible press",
     [](QMessageBox* message) {
         QAccessibleInterface* ok =
             QAccessible::queryAccessibleInterface(message->button(QMessageBox::Ok));
         ASSERT_NE(ok->actionInterface(), nullptr);
         ok->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
     }},
    {"Return",
     [](QMessageBox*) {
         xdotool({"key", "Return"});
     }},
    {"Space on OK",
     [](QMessageBox*) {
         xdotool({"key", "space"});
     }},
    {"Escape",
     [](QMessageBox*) {
         xdotool({"key", "Escape"});
     }},
    {"a click on OK",
     [](QMessageBox* message) { clickThroughX(message->button(QMessageBox::Ok)); }},
};

// Ways of leaving the box for the bytes box, the control after it.
struct Leaving {
    const char* how;
    std::function<void(QWidget* next)> leave;
};

const Leaving kLeavings[] = {
    {"Tab",
     [](QWidget*) {
         xdotool({"key", "Tab"});
     }},
    {"a click on the bytes box", [](QWidget* next) { clickThroughX(next); }},
};

class KeyboardAfterAMessageTest : public FormTest,
                                  public testing::WithParamInterface<std::tuple<Closing, Leaving>> {
};

TEST_P(KeyboardAfterAMessageTest, TheBoxIsLeftWithTheLastCountThatCouldBeUsed) {
    const auto& [closing, leaving] = GetParam();
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    // State: the window handed the keyboard, as a desktop does when it opens;
    // "1e400" typed through the X server in front of 400 in the sectors box,
    // and its message up, holding the keyboard.
    form->errorReport().setDialogsShown(true);
    xdotool({"windowfocus", "--sync", QString::number(form->winId())});
    TextBox* sectors = textBox("FileSectors");
    clickThroughX(sectors);
    xdotool({"key", "ctrl+a", "type", "400"});
    xdotool({"key", "Home", "type", "1e"});
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
    auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(message, nullptr);
    // Handed the keyboard as a desktop hands it to a window that opens: with no
    // window manager and the machine loaded, the keyboard was seen to stay with
    // the window now and then, though the message had asked for it.
    xdotool({"windowfocus", "--sync", QString::number(message->winId())});
    ASSERT_TRUE(QTest::qWaitForWindowActive(message));

    // Action: the message closed, the window handed the keyboard from outside
    // at once, as a window manager does when a dialog closes, then the box left.
    closing.close(message);
    xdotool({"windowfocus", "--sync", QString::number(form->winId())});
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }));
    QTest::qWait(200);
    leaving.leave(textBox("FileBytes"));

    // Expected: the last count that could be used written back, the focus in
    // the bytes box, the result as it was, and no new message.
    EXPECT_TRUE(QTest::qWaitFor([sectors] { return sectors->text() == "1400"; }, 3000))
        << "the sectors box shows " << sectors->text().toStdString();
    EXPECT_EQ(QApplication::focusWidget(), textBox("FileBytes"));
    EXPECT_EQ(QApplication::activeWindow(), form.get());
    EXPECT_EQ(shownResult(), "-90");
    QTest::qWait(200);
    EXPECT_EQ(messages.size(), 1) << messages.join('\n').toStdString();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

std::string named(const testing::TestParamInfo<std::tuple<Closing, Leaving>>& info) {
    std::string name =
        std::string(std::get<0>(info.param).how) + " then " + std::get<1>(info.param).how;
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryWay, KeyboardAfterAMessageTest,
                         testing::Combine(testing::ValuesIn(kClosings),
                                          testing::ValuesIn(kLeavings)),
                         named);

} // namespace
} // namespace quorvel::test

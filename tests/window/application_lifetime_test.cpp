// Options made under one application and then under another in the same
// process, as a test program or a plugin host may do: the second application's
// options must work as the first one's did.
#include <QApplication>
#include <QProxyStyle>

#include <gtest/gtest.h>

#include "controls.h"

namespace quorvel::test {
namespace {

TEST(ApplicationLifetime, OptionsWorkUnderEachApplicationInTurn) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int argc = 1;
    char name[] = "application_lifetime_test";
    char* argv[] = {name, nullptr};
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        QApplication app(argc, argv);
        OptionButton option;
        option.setText(QStringLiteral("Other:"));
        option.show();
        ASSERT_NE(qobject_cast<QProxyStyle*>(option.style()), nullptr);
        EXPECT_EQ(option.style()->parent(), &app);
        EXPECT_GT(option.sizeHint().width(), option.fontMetrics().horizontalAdvance(option.text()));
    }
}

} // namespace
} // namespace quorvel::test

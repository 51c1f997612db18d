// Widget tests run on the real widgets; without a display they use Qt's
// offscreen platform, where focus, keys and mouse events still work.
#include <clocale>

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // A run under German (the tests labelled decimal_comma) fails where that
    // locale is missing: Qt's own locale and, where Qt sets it from the
    // environment, the C library's.
    bool comma = QLocale::system().decimalPoint() == QLatin1Char(',');
#if !defined(Q_OS_WIN)
    comma = comma && *std::localeconv()->decimal_point == ',';
#endif
    if (qEnvironmentVariable("LC_ALL").startsWith(QLatin1String("de_DE")) && !comma) {
        qCritical("a run under %s, in a locale whose mark is not a comma",
                  qgetenv("LC_ALL").constData());
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

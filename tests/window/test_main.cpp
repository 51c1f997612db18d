// Widget tests run on the real widgets; without a display they use Qt's
// offscreen platform, where focus, keys and mouse events still work.
#include <utility>

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
#ifdef Q_OS_WIN
    // Under Wine the offscreen platform reads only the fonts of QT_QPA_FONTDIR,
    // where Windows' faces are missing: the metric-compatible faces stand in,
    // as they do for the tests on Linux.
    const QStringList installed = QFontDatabase::families();
    for (const auto& [face, standIn] : {std::pair{"Microsoft Sans Serif", "Liberation Sans"},
                                        std::pair{"Times New Roman", "Liberation Serif"}}) {
        if (!installed.contains(QLatin1String(face))) {
            QFont::insertSubstitution(QLatin1String(face), QLatin1String(standIn));
        }
    }
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The yardstick for start-up: a bare Qt window with one label, built with the
// same flags as the program.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Recommended video bitrate is: 1103 kbps"));
    label.show();
    return app.exec();
}

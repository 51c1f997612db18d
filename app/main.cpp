#include <QApplication>

#include "form_main.h"
#include "quorvel_about.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Ties the running window to the desktop entry: the X11 class is the
    // application name, the Wayland app id the desktop file name.
    QApplication::setApplicationName(QString::fromLatin1(quorvel::kProductName));
    QApplication::setDesktopFileName(QString::fromLatin1(quorvel::kApplicationId));
    quorvel::Form_Main form;
    form.show();
    return app.exec();
}

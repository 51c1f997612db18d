#include <QApplication>

#include "form_main.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    quorvel::Form_Main form;
    form.show();
    return app.exec();
}

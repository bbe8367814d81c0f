#include "shell/start.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    lumora::start();
    return app.exec();
}

#include "shell/start.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (const std::optional<int> done = lumora::commandLine())
        return *done;
    lumora::start();
    return app.exec();
}

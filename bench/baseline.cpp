// The yardstick: a bare Qt Widgets program that shows one window with one
// line of text (so that it loads the fonts as any program does) and ends
// once it has painted it.
#include "shown.h"

#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    FirstPaint firstPaint;
    app.installEventFilter(&firstPaint);
    QLabel window(QStringLiteral("One line of text"));
    window.show();
    return app.exec();
}

// The yardstick: a bare Qt Widgets program that shows one empty window and
// ends once it has painted it.
#include "shown.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    FirstPaint firstPaint;
    app.installEventFilter(&firstPaint);
    QWidget window;
    window.show();
    return app.exec();
}

// The yardstick: a bare Qt Widgets program that shows one window with one
// line of text (so that it loads the fonts as any program does). It runs
// until it is ended; the benchmark watches its window from outside.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("One line of text"));
    window.show();
    return app.exec();
}

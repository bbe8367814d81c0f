#pragma once
#include <QWidget>

class QLabel;
class QTimer;

namespace lumora {

// The start-up splash and, once the splash has closed, the About window.
class Sobre : public QWidget {
    Q_OBJECT
public:
    Sobre();

    // The credits message, joined with the shared line break.
    static QString credits();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void animate();

    QLabel* image1;
    QLabel* frames[3];
};

} // namespace lumora

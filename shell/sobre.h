#pragma once
#include <QWidget>

class QLabel;

namespace lumora {

// The start-up splash and, once the splash has closed, the About window.
class Sobre : public QWidget {
    Q_OBJECT
public:
    Sobre();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void animate();

    QLabel* image1;
    QLabel* frames[3];
};

} // namespace lumora

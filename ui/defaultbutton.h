#pragma once
#include <QObject>
#include <QPointer>
#include <QPushButton>

namespace lumora {

// Enter in a field presses the window's current default button, when it is
// enabled and visible. Qt offers this only in dialogs; our windows are not.
// (Enter on a focused push button presses that button: see controls::button.)
class DefaultButton : public QObject {
    Q_OBJECT
public:
    explicit DefaultButton(QWidget* window);
    void set(QPushButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QPushButton> current;
};

} // namespace lumora

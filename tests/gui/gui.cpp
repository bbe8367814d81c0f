#include "gui.h"

#include "shell/start.h"

namespace lumora::test {

QWidget* startToMenu()
{
    start();
    QTest::qWaitFor([] { return window("alap") != nullptr; }, 3000);
    settle();
    return window("alap");
}

} // namespace lumora::test

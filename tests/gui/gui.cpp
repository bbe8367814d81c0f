#include "gui.h"

#include "shell/start.h"

namespace lumora::test {

QWidget* startToMenu()
{
    start();
    if (!QTest::qWaitFor([] { return window("alap") != nullptr; }, 3000))
        return nullptr;
    settle();
    return window("alap");
}

} // namespace lumora::test

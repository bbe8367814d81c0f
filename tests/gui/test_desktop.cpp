// What a learner meets on a desktop rather than in one window: windows that
// fit the screen, a focus that shows, pasted text on one line.
#include "gui.h"
#include "record/recorder.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <map>

using namespace lumora;
using namespace lumora::test;

namespace {

// Every window on screen lies whole, frame included, in its screen's area.
void expectInside(const char* when)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !(w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip)) {
            const QRect area = w->screen()->availableGeometry(), frame = w->frameGeometry();
            EXPECT_TRUE(area.contains(frame)) << when << ": " << w->objectName().toStdString() << " at "
                                              << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                              << frame.height();
        }
}

// Checks the next real message box, and the windows under it, once it is open; then OK.
void expectBoxInside(const char* when)
{
    QTimer::singleShot(300, [when] {
        expectInside(when);
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Ok)->click();
        else
            ADD_FAILURE() << when << ": no box";
    });
}

// How many pixels of two pictures of a control differ plainly, not by a shade.
int plainlyChanged(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            n += std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                           std::abs(p.blue() - q.blue())}) > 64;
        }
    return n;
}

} // namespace

// In the suite on the offscreen screen; ctest's gui.scale2 runs it again at
// QT_SCALE_FACTOR=2 on a 1280 x 1024 screen.
TEST(Desktop, EveryWindowOpensWholeInsideTheScreensArea)
{
    // A finished run, so that My progress opens with its tables, at its full size.
    record::Recorder& answers = (startToMenu(), record::recorder());
    answers.runStarted(5, record::Variant::Basic);
    answers.answered({5, record::Variant::Basic, 4, 0, QStringLiteral("x"), false, {}, {"egyetem", "Péter", "en"}});
    answers.runEnded(true);
    QWidget* menu = window("alap");
    ASSERT_NE(menu, nullptr);
    expectInside("menu");
    menuKeys(menu, Qt::Key_H, Qt::Key_P);
    ASSERT_NE(window("progress"), nullptr);
    expectInside("My progress");
    QTest::keyClick(window("progress"), Qt::Key_Escape);
    menuKeys(menu, Qt::Key_H, Qt::Key_W);
    ASSERT_NE(window("words"), nullptr);
    expectInside("Words of the lesson");
    QTest::keyClick(window("words"), Qt::Key_Escape);
    menuKeys(menu, Qt::Key_H, Qt::Key_A);
    expectInside("About");
    expectBoxInside("credits");
    QTest::mouseClick(child<QWidget>(window("sobre"), "Image2"), Qt::LeftButton);
    activate(window("sobre"));
    QTest::keyClick(window("sobre"), Qt::Key_Escape);
    EXPECT_EQ(window("sobre"), nullptr); // Escape does what OK does
    for (auto [key, name, close] : {std::tuple{Qt::Key_1, "h05d1", "Command3"}, {Qt::Key_3, "h05d3", "Cerrar"},
                                    {Qt::Key_5, "h05d5", "Command3"}}) {
        activate(window("alap"));
        accessKey(window("alap"), key);
        QWidget* w = window(name);
        ASSERT_NE(w, nullptr) << name;
        expectInside(name);
        expectBoxInside(name);
        menuKeys(w, Qt::Key_H, Qt::Key_M); // More help, the longest box
        click(w, close);
        ASSERT_NE(window("alap"), nullptr);
    }
}

// Text pasted into a one-line field comes in on one line, the caret after it.
TEST(Desktop, PastedLineBreaksAndTabsBecomeSingleSpaces)
{
    RecordingPrompter rec;
    click(startToMenu(), "AniButton2");
    QWidget* w = window("h05d3");
    ASSERT_NE(w, nullptr);
    accessKey(w, Qt::Key_S);
    auto* field = child<QLineEdit>(w, "Text1");
    QTest::keyClicks(field, "Az 'llunk.");
    QTest::keyClick(field, Qt::Key_Home);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(field, Qt::Key_Right);
    QGuiApplication::clipboard()->setText(QStringLiteral("egyetem\r\n\r\nelőtt\t\t"));
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), "Az egyetem előtt állunk.");
    EXPECT_EQ(field->cursorPosition(), 17); // before "állunk"
}

// Tab walks each window's controls: every one that takes the focus looks
// other with it than once it has moved on.
TEST(Desktop, EveryControlThatTakesTheFocusShowsIt)
{
    RecordingPrompter rec;
    ASSERT_NE(startToMenu(), nullptr);
    const std::pair<const char*, Qt::Key> windows[] = {{"alap", Qt::Key_unknown}, {"h05d1", Qt::Key_1},
                                                        {"h05d3", Qt::Key_3}, {"h05d5", Qt::Key_5}};
    for (auto [name, key] : windows) {
        if (key != Qt::Key_unknown) {
            activate(window("alap"));
            accessKey(window("alap"), key);
            accessKey(window(name), Qt::Key_S); // Start: the answer fields and Next take part
        }
        QWidget* w = window(name);
        ASSERT_NE(w, nullptr) << name;
        activate(w);
        // Each control Tab reaches looks other with the focus than before the
        // walk, when the default button looked as a focused one does.
        QWidget* first = QApplication::focusWidget();
        ASSERT_NE(first, nullptr);
        std::map<QWidget*, QImage> before;
        for (QWidget* c : w->findChildren<QWidget*>())
            if (c->isVisible())
                before[c] = c->grab().toImage();
        for (int step = 0; step < 60; ++step) {
            QWidget* f = QApplication::focusWidget();
            const QImage focused = f->grab().toImage();
            QTest::keyClick(f, Qt::Key_Tab);
            // The first had the focus before the walk: it is seen without it now.
            const QImage without = f == first ? f->grab().toImage() : before[f];
            EXPECT_GE(plainlyChanged(focused, without), 20) << name << ": " << f->objectName().toStdString();
        }
        if (key != Qt::Key_unknown)
            w->close();
        settle();
    }
}

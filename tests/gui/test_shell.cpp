#include "core/module1.h"
#include "core/platform.h"
#include "feedback/analyser.h"
#include "gui.h"
#include "texts.h"
#include "record/store.h"
#include "shell/start.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

using namespace lumora;
using namespace lumora::test;

namespace {

const QString base = texts::title;
const QString menuHowTo = QStringLiteral("Select the exercise you want to work with by clicking on its number. "
                                         "(All of them correspond to those in the part D of  \"Lumora\".)");

// The frame is unknown until a window is first shown, hence the tolerance.
void expectCentred(QWidget* w)
{
    const QRect screen = w->screen()->geometry();
    EXPECT_NEAR(w->frameGeometry().center().x(), screen.center().x(), 3);
    EXPECT_NEAR(w->frameGeometry().center().y(), screen.center().y(), 3);
}

// Presses OK on the next real message box once it has been open for 1.2 s,
// longer than the splash's time, noting what was true while it was open.
class BoxCloser : public QObject {
public:
    QString text;
    QString owner; // the window the box belongs to
    bool onTop = false;
    bool menuCame = false; // the splash's time ran out under the box
    bool closed = false;

    BoxCloser()
    {
        connect(&poll, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (!open.isValid()) {
                open.start();
                text = box->text();
                owner = box->parentWidget() ? box->parentWidget()->window()->objectName() : QString();
                onTop = box->windowFlags() & Qt::WindowStaysOnTopHint;
            }
            menuCame = menuCame || window("alap");
            if (open.elapsed() > 1200) {
                poll.stop();
                closed = true;
                box->button(QMessageBox::Ok)->click();
            }
        });
        poll.start(10);
    }

private:
    QTimer poll;
    QElapsedTimer open;
};

} // namespace

TEST(StartUp, TheSplashHasNoOkButtonAndGivesWayToTheMenu)
{
    RecordingPrompter rec;
    QElapsedTimer clock;
    clock.start();
    start();
    QPointer<QWidget> splash = window("sobre");
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->windowTitle(), "  About Lumora!");
    // The busy pointer comes once the splash is on screen.
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash && splash->cursor().shape() == Qt::WaitCursor; }, 500));
    EXPECT_FALSE(child<QPushButton>(splash, "Command1")->isVisible());
    EXPECT_EQ(Module1::splashdone, 0);
    EXPECT_EQ(window("alap"), nullptr);

    ASSERT_TRUE(QTest::qWaitFor([] { return window("alap") != nullptr; }, 3000));
    EXPECT_GE(clock.elapsed(), 750);
    EXPECT_LT(clock.elapsed(), 1500);
    settle();
    EXPECT_EQ(window("sobre"), nullptr);
    EXPECT_EQ(Module1::splashdone, 1);
    EXPECT_NE(window("hatter"), nullptr);
    EXPECT_EQ(window("hatter")->windowTitle(), "   L U M O R A  !");
    EXPECT_EQ(Module1::nl, "\r\n");
    QWidget* menu = window("alap");
    EXPECT_TRUE(isOnTop(*menu));
    expectCentred(menu);
    EXPECT_TRUE(rec.events.isEmpty());
}

// Whether this process holds the record's file open.
bool recordOpen()
{
    for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::Files | QDir::System))
        if (fd.symLinkTarget() == record::Store::defaultPath())
            return true;
    return false;
}

// The record (SQLite, a check of the file) must not hold up the first
// window, and the menu must still count what waits for review.
TEST(StartUp, TheRecordOpensAfterTheSplashIsPaintedAndBeforeTheMenu)
{
    RecordingPrompter rec;
    QCoreApplication::setApplicationName(QStringLiteral("lumora")); // the record's path, as start() names it
    {
        record::Store missed(record::Store::defaultPath(), rec);
        missed.runStarted(1, record::Variant::Basic);
        missed.answered({1, record::Variant::Basic, 3, 3, QStringLiteral("x"), false, {}, {}});
        missed.runEnded(false);
    }
    ASSERT_FALSE(recordOpen());

    struct FirstPaint : QObject {
        int painted = 0;
        bool openAtFirstPaint = true;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && painted++ == 0)
                openAtFirstPaint = recordOpen();
            return false;
        }
    } paint;
    start();
    window("sobre")->installEventFilter(&paint);
    ASSERT_TRUE(QTest::qWaitFor([&] { return paint.painted > 0; }, 500));
    EXPECT_FALSE(paint.openAtFirstPaint);
    EXPECT_TRUE(QTest::qWaitFor([] { return recordOpen(); }, 500));
    EXPECT_EQ(window("alap"), nullptr);

    ASSERT_TRUE(QTest::qWaitFor([] { return window("alap") != nullptr; }, 3000));
    EXPECT_EQ(child<QLabel>(window("alap"), "Review1")->text(), "1");
    EXPECT_TRUE(rec.events.isEmpty());
}

// Start-up maps no library that only an exercise needs: Hunspell's comes with
// the dictionary, once the first exercise window asks for it. The windows'
// icon is the small one: each window sends it to the window manager.
TEST(StartUp, TheDictionarysLibraryComesWithTheFirstExerciseWindow)
{
    auto mapped = [] {
        QFile maps(QStringLiteral("/proc/self/maps"));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libhunspell");
    };
    QWidget* menu = startToMenu();
    EXPECT_EQ(QApplication::windowIcon().availableSizes(), QList<QSize>{QSize(64, 64)});
    EXPECT_FALSE(mapped());
    child<QAbstractButton>(menu, "AniButton1")->click();
    ASSERT_TRUE(feedback::Analyser::shared().waitUntilReady(20000));
    EXPECT_TRUE(mapped());
}

// Real boxes over the splash outlive it: its time runs out under the box and
// the menu opens, but the box stays until OK.
TEST(StartUp, TheCreditsOpenedDuringTheSplashStayWhileTheMenuOpens)
{
    start();
    BoxCloser closer;
    QTest::mouseClick(child<QLabel>(window("sobre"), "Image2"), Qt::LeftButton); // returns once the box closes
    EXPECT_TRUE(closer.closed);
    EXPECT_TRUE(closer.text.startsWith("     This program")) << closer.text.toStdString();
    EXPECT_EQ(closer.owner, "sobre");
    EXPECT_TRUE(closer.menuCame);
    settle();
    EXPECT_EQ(window("sobre"), nullptr);
    EXPECT_NE(window("alap"), nullptr);
}

TEST(StartUp, ANoticeAboutTheRecordComesOverTheSplash)
{
    // A file where the record's folder belongs: the record cannot be written.
    QCoreApplication::setApplicationName(QStringLiteral("lumora"));
    const QString folder = QFileInfo(record::Store::defaultPath()).absolutePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(folder).absolutePath()));
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    BoxCloser closer;
    start();
    ASSERT_TRUE(QTest::qWaitFor([] { return window("alap") != nullptr; }, 4000));
    EXPECT_TRUE(closer.closed);
    EXPECT_TRUE(closer.text.startsWith("Lumora cannot write your record")) << closer.text.toStdString();
    EXPECT_EQ(closer.owner, "sobre");
    EXPECT_TRUE(closer.onTop);
    EXPECT_TRUE(closer.menuCame);
    blocker.remove();
}

TEST(Menu, ShowsItsCaptionsAndHeadings)
{
    QWidget* menu = startToMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->windowTitle(), "");
    EXPECT_EQ(child<QLabel>(menu, "Panel3D1")->text(), "Choose an exercise and click the icon");
    const std::pair<const char*, const char*> captions[] = {
        {"AniButton1", "&1"}, {"AniButton3", "&2"}, {"AniButton2", "&3"}, {"AniButton4", "&5"}, {"Command1", "&End"}};
    for (auto [name, caption] : captions)
        EXPECT_EQ(child<QAbstractButton>(menu, name)->text(), caption) << name;
    EXPECT_EQ(child<QLabel>(menu, "Label7")->text(), "(Sentences with adverbs of place or direct object.)");
    EXPECT_EQ(child<QLabel>(menu, "Label4")->text(), "Fill in the gaps. ");
    EXPECT_EQ(child<QAction>(menu, "mnuabout")->text(), "&About...");
    EXPECT_EQ(child<QAction>(menu, "mnuHow")->text(), "&How to ...");
}

TEST(Menu, AccessKeysPressTheButtons)
{
    QWidget* menu = startToMenu();
    accessKey(menu, Qt::Key_E);
    EXPECT_EQ(window("alap"), nullptr);
    EXPECT_EQ(window("hatter"), nullptr);
}

TEST(Menu, HowToTitleIsJustTheSuffixBeforeAnyExercise)
{
    RecordingPrompter rec;
    QWidget* menu = startToMenu();
    trigger(menu, "mnuHow");
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, menuHowTo);
    EXPECT_EQ(rec.messages[0].title, "     How to ...");
    EXPECT_EQ(rec.messages[0].icon, Icon::Information);
}

TEST(Menu, AboutShowsOkAndTheNormalPointerAndOpensNoMenu)
{
    RecordingPrompter rec;
    QWidget* menu = startToMenu();
    trigger(menu, "mnuabout");
    QWidget* about = window("sobre");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->cursor().shape(), Qt::ArrowCursor);
    auto* ok = child<QPushButton>(about, "Command1");
    EXPECT_TRUE(ok->isVisible());
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_FALSE(child<QTimer>(about, "Timer1")->isActive());
    QTest::qWait(1000); // longer than the splash timer
    settle();
    EXPECT_EQ(window("alap"), menu);
    EXPECT_EQ(mainWindows(), QStringList{"alap"});

    QTest::keyClick(ok, Qt::Key_Return);
    settle();
    EXPECT_EQ(window("sobre"), nullptr);
    EXPECT_EQ(window("alap"), menu);
}

TEST(About, AnimationCyclesThreeFramesAndCreditsJoinWithLineBreaks)
{
    RecordingPrompter rec;
    QWidget* menu = startToMenu();
    trigger(menu, "mnuabout");
    QWidget* about = window("sobre");
    auto* image1 = child<QLabel>(about, "Image1");
    auto key = [&](const char* name) { return child<QLabel>(about, name)->pixmap().cacheKey(); };
    // Each tick moves one frame on, and the third returns to the first.
    const char* frames[] = {"Image3", "Image4", "Image5", "Image3"};
    EXPECT_EQ(image1->pixmap().cacheKey(), key(frames[0]));
    for (int i = 1; i < 4; ++i) {
        const qint64 before = key(frames[i - 1]);
        ASSERT_TRUE(QTest::qWaitFor([&] { return image1->pixmap().cacheKey() != before; }, 1500));
        EXPECT_EQ(image1->pixmap().cacheKey(), key(frames[i])) << frames[i];
    }

    QTest::mouseClick(child<QLabel>(about, "Image2"), Qt::LeftButton);
    ASSERT_EQ(rec.messages.size(), 1u);
    const auto& credits = rec.messages[0];
    EXPECT_EQ(credits.title, "About Lumora!");
    EXPECT_EQ(credits.icon, Icon::Information);
    const QStringList parts = credits.text.split("\r\n");
    ASSERT_EQ(parts.size(), 6);
    EXPECT_TRUE(parts[1].isEmpty() && parts[3].isEmpty());
    for (int i : {0, 2, 4})
        EXPECT_TRUE(parts[i].startsWith("     ") && !parts[i].startsWith("      ")) << i;
    EXPECT_TRUE(parts[4].endsWith("please contact me:  "));
    EXPECT_TRUE(parts[5].startsWith(QString(49, u' ') + "lumora@") && parts[5].endsWith("@example.org"));
    EXPECT_TRUE(credits.detail.contains("GNU General Public License, version 3 or later"));
    EXPECT_TRUE(credits.detail.contains("/usr/share/common-licenses/GPL-3"));
}

TEST(About, CreditsRunTogetherDuringTheSplash)
{
    RecordingPrompter rec;
    start();
    QTest::mouseClick(child<QLabel>(window("sobre"), "Image2"), Qt::LeftButton);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_FALSE(rec.messages[0].text.contains('\n'));
    EXPECT_FALSE(rec.messages[0].text.contains(QChar(u'\r')));
    EXPECT_TRUE(rec.messages[0].text.contains(").     The program"));
}

TEST(Menu, EndClosesEveryWindowIncludingAbout)
{
    QWidget* menu = startToMenu();
    trigger(menu, "mnuabout");
    ASSERT_NE(window("sobre"), nullptr);
    click(menu, "Command1");
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(window("hatter"), nullptr);
}

// What the window manager sends for a title-bar close box (or Alt+F4).
TEST(CloseBox, EachWindowDoesWhatItsOwnButtonDoes)
{
    RecordingPrompter rec;
    QWidget* splash = (start(), window("sobre"));
    ASSERT_NE(splash, nullptr);
    splash->close();  // the splash runs its time regardless
    settle();
    EXPECT_NE(window("sobre"), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([] { return window("alap") != nullptr; }, 3000));
    settle();

    // An exercise window: back to the menu, centred.
    for (const char* button : {"AniButton1", "AniButton2", "AniButton4"}) {
        click(window("alap"), button);
        ASSERT_EQ(mainWindows().size(), 1);
        const QString exercise = mainWindows().first();
        window(exercise.toLatin1())->close();
        settle();
        ASSERT_EQ(mainWindows(), QStringList{"alap"}) << "after the close box of " << exercise.toStdString();
        expectCentred(window("alap"));
    }

    // About: as "&OK"; the menu stays.
    trigger(window("alap"), "mnuabout");
    window("sobre")->close();
    settle();
    EXPECT_EQ(window("sobre"), nullptr);
    EXPECT_EQ(mainWindows(), QStringList{"alap"});

    // The menu: as "&End".
    window("alap")->close();
    settle();
    EXPECT_EQ(window("hatter"), nullptr);
    EXPECT_TRUE(mainWindows().isEmpty());
    EXPECT_TRUE(rec.events.isEmpty());
}

TEST(CloseBox, TheBackdropEndsTheProgramFromAnExerciseWindow)
{
    RecordingPrompter rec;
    QWidget* menu = startToMenu();
    ASSERT_NE(menu, nullptr);
    click(menu, "AniButton2");
    ASSERT_NE(window("h05d3"), nullptr);
    window("hatter")->close();
    settle();
    for (const char* name : {"hatter", "alap", "h05d3", "sobre"})
        EXPECT_EQ(window(name), nullptr) << name;
}

TEST(About, EnterPressesOkWhichHasTheFocus)
{
    RecordingPrompter rec;
    QWidget* menu = startToMenu();
    ASSERT_NE(menu, nullptr);
    trigger(menu, "mnuabout");
    QWidget* about = window("sobre");
    ASSERT_NE(about, nullptr);
    auto* ok = child<QPushButton>(about, "Command1");
    EXPECT_EQ(about->focusWidget(), ok);
    // Tab to the picture: Enter there opens the credits, not OK.
    QTest::keyClick(about->focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(about->focusWidget()->objectName(), "Image2");
    QTest::keyClick(about->focusWidget(), Qt::Key_Return);
    settle();
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, "About Lumora!");
    EXPECT_NE(window("sobre"), nullptr);
    // Back on OK, Enter closes the window.
    QTest::keyClick(about->focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClick(about->focusWidget(), Qt::Key_Return);
    QTest::qWait(150);
    settle();
    EXPECT_EQ(window("sobre"), nullptr);
    EXPECT_NE(window("alap"), nullptr);
}

// Escape, which closes About, does not cut the splash short: it gives way to
// the menu in its own time.
TEST(StartUp, EscapeLetsTheSplashRunItsTime)
{
    RecordingPrompter rec;
    QWidget* splash = (start(), window("sobre"));
    ASSERT_NE(splash, nullptr);
    activate(splash);
    QTest::keyClick(splash, Qt::Key_Escape);
    settle();
    EXPECT_EQ(window("sobre"), splash);
    EXPECT_EQ(window("alap"), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([] { return window("alap") != nullptr; }, 3000));
    settle();
    EXPECT_EQ(window("sobre"), nullptr);
}

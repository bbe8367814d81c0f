#include "core/module1.h"
#include "recording.h"
#include "texts.h"

#include <QElapsedTimer>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

using namespace lumora;
namespace texts = lumora::test::texts;
using lumora::test::RecordingPrompter;

namespace {

class Normalisers : public ::testing::Test {
protected:
    void SetUp() override { Module1::setmsg(); }
    RecordingPrompter rec;

    QString endmark(QString t) { Module1::endmark(t, rec); return t; }
    QString capfirst(QString t) { Module1::capfirst(t, rec); return t; }
    QString onespace(QString t) { Module1::onespace(t); return t; }
};

const QString base = texts::title;

} // namespace

TEST(Setmsg, StoresTheMessagesAndTheBaseTitle)
{
    Module1::title = QStringLiteral("stale: 1.");
    Module1::setmsg();
    EXPECT_EQ(Module1::title, base);
    EXPECT_EQ(Module1::msgwrong, texts::wrong);
    EXPECT_EQ(Module1::msgcapital, texts::capital);
    EXPECT_EQ(Module1::msgdone, texts::done);
    EXPECT_EQ(Module1::msgstop, texts::stop);
    EXPECT_EQ(Module1::msgsolution, texts::solution);
}

TEST(Setmsg, AppendingASuffixAfterEachCallNeverDoublesIt)
{
    for (int i = 0; i < 2; ++i) {
        Module1::setmsg();
        Module1::title += QStringLiteral(": 5.");
    }
    EXPECT_EQ(Module1::title, base + ": 5.");
}

TEST_F(Normalisers, EndmarkDropsOneSpaceBeforeTheMarkSilently)
{
    EXPECT_EQ(endmark("Ez egy alma ."), "Ez egy alma.");
    EXPECT_EQ(endmark("Ki az ?"), "Ki az?");
    EXPECT_EQ(endmark("Jaj !"), "Jaj!");
    EXPECT_EQ(endmark("Ez egy alma  ."), "Ez egy alma .");
    EXPECT_TRUE(rec.events.isEmpty());
}

TEST_F(Normalisers, EndmarkWarnsAndAppendsAFullStopWithoutBeeping)
{
    EXPECT_EQ(endmark("Ez egy alma"), "Ez egy alma.");
    EXPECT_EQ(endmark(""), ".");
    EXPECT_EQ(endmark("Ez egy alma. "), "Ez egy alma. .");
    ASSERT_EQ(rec.messages.size(), 3u);
    EXPECT_EQ(rec.beeps, 0);
    for (const auto& m : rec.messages) {
        EXPECT_EQ(m.text, texts::stop);
        EXPECT_EQ(m.title, base);
        EXPECT_EQ(m.icon, Icon::Exclamation);
    }
}

TEST_F(Normalisers, CapfirstBeepsThenWarnsOnASmallFirstLetter)
{
    Module1::title = base + ": 3.";
    EXPECT_EQ(capfirst("ez egy alma."), "Ez egy alma.");
    EXPECT_EQ(rec.events, QStringList({"beep", texts::capital}));
    EXPECT_EQ(rec.messages.at(0).title, base + ": 3.");
    EXPECT_EQ(rec.messages.at(0).icon, Icon::Exclamation);
}

TEST_F(Normalisers, CapfirstHandlesAccentedAndSingleLetters)
{
    EXPECT_EQ(capfirst("éva"), "Éva");
    EXPECT_EQ(capfirst("a"), "A");
    EXPECT_EQ(capfirst("őt látom"), "Őt látom");
    EXPECT_EQ(capfirst("ű"), "Ű");
    EXPECT_EQ(rec.beeps, 4);
}

TEST_F(Normalisers, CapfirstLeavesCapitalsDigitsAndEmptyTextAlone)
{
    EXPECT_EQ(capfirst("Éva itt van."), "Éva itt van.");
    EXPECT_EQ(capfirst("1 alma"), "1 alma");
    EXPECT_EQ(capfirst(""), "");
    EXPECT_EQ(capfirst("Ő"), "Ő");
    EXPECT_EQ(capfirst("ßx"), "ßx"); // no one-letter capital; "SS" would be two
    EXPECT_TRUE(rec.events.isEmpty());
}

TEST_F(Normalisers, CapfirstKeepsACharacterOutsideTheBasicPlaneWhole)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80 alma"); // grinning face
    EXPECT_EQ(capfirst(emoji), emoji);
    const QString deseret = QString::fromUtf8("\xF0\x90\x90\xA8x"); // small long i, has a capital
    EXPECT_EQ(capfirst(deseret), QString::fromUtf8("\xF0\x90\x90\x80x"));
    const QString lone = QString(QChar(0xD83D));
    EXPECT_EQ(capfirst(lone), lone);
    // A lone high surrogate is the first character by itself: the letter after it stays small.
    const QString loneThenLetter = QString(QChar(0xDB00)) + QStringLiteral("r");
    EXPECT_EQ(capfirst(loneThenLetter), loneThenLetter);
}

TEST_F(Normalisers, OnespaceCollapsesEveryRun)
{
    EXPECT_EQ(onespace("Ez  egy   alma"), "Ez egy alma");
    EXPECT_EQ(onespace("  alma"), " alma");
    EXPECT_EQ(onespace("alma   "), "alma ");
    EXPECT_EQ(onespace("Ez egy alma"), "Ez egy alma");
    EXPECT_EQ(onespace(""), "");
    EXPECT_EQ(onespace("   "), " ");
    EXPECT_EQ(onespace(QString::fromUtf8("ő  ű\t\tö")), QString::fromUtf8("ő ű\t\tö"));
}

TEST_F(Normalisers, OnespaceTakesLinearTimeOnAMegabyteOfSpaces)
{
    QString text = QString(1 << 20, u' ') + "x" + QString(1 << 20, u' ');
    QElapsedTimer timer;
    timer.start();
    Module1::onespace(text);
    EXPECT_EQ(text, " x ");
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST_F(Normalisers, TheThreeInOrderGiveTwoWarningsCapitalFirst)
{
    QString t = QStringLiteral("ez  egy alma");
    Module1::onespace(t);
    Module1::capfirst(t, rec);
    Module1::endmark(t, rec);
    EXPECT_EQ(t, "Ez egy alma.");
    EXPECT_EQ(rec.events, QStringList({"beep", texts::capital, texts::stop}));
}

TEST(Center, PutsTheWindowInTheMiddleOfItsScreen)
{
    QWidget w;
    w.resize(300, 200);
    Module1::center(w);
    const QRect screen = w.screen()->geometry();
    EXPECT_NEAR(w.frameGeometry().center().x(), screen.center().x(), 1);
    EXPECT_NEAR(w.frameGeometry().center().y(), screen.center().y(), 1);
    EXPECT_EQ(w.size(), QSize(300, 200));
}

TEST(Trim, RemovesOnlyTheSpacesAroundTheText)
{
    EXPECT_EQ(Module1::trim("  ok  "), "ok");
    EXPECT_EQ(Module1::trim(" o k "), "o k");
    EXPECT_EQ(Module1::trim("\tok\n"), "\tok\n");
    EXPECT_EQ(Module1::trim("   "), "");
    EXPECT_EQ(Module1::trim(""), "");
}

// Answers typed in exercise 1 reach the record, the progress line and the
// My progress window, and are still there after the program starts again.
#include "core/keytables.h"
#include "core/module1.h"
#include "gui.h"
#include "record/store.h"

#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTableWidget>

using namespace lumora;
using namespace lumora::test;

namespace {

QString progressLine(QWidget* w) { return child<QLabel>(w, "Progress")->text(); }

// The typed texts of the record, oldest first; NULL for a Solution.
QStringList typedInRecord()
{
    QStringList typed;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("look"));
        db.setDatabaseName(record::Store::defaultPath());
        EXPECT_TRUE(db.open());
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(QStringLiteral("SELECT typed FROM answers WHERE exercise = 1 ORDER BY at")));
        while (q.next())
            typed << (q.value(0).isNull() ? QStringLiteral("NULL") : q.value(0).toString());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("look"));
    return typed;
}

// The first row of the missed items in the open My progress window.
QStringList mostMissed()
{
    QWidget* progress = window("progress");
    EXPECT_NE(progress, nullptr);
    QStringList row;
    for (auto* t : progress ? progress->findChildren<QTableWidget*>() : QList<QTableWidget*>{})
        if (t->accessibleName() == QLatin1String("Missed most often") && t->isVisible() && t->rowCount() > 0)
            for (int c = 0; c < t->columnCount(); ++c)
                row << t->item(0, c)->text();
    return row;
}

// Types the text as a learner does on an English keyboard: the key filter
// turns ' into á, [ into ő and so on.
void typeInto(QLineEdit* field, const QString& text)
{
    QString keys;
    for (QChar letter : text) {
        QChar key = letter;
        for (char16_t c = 32; c < 127; ++c)
            if (hunkey(QChar(c)) == letter && QChar(c) != letter)
                key = QChar(c);
        keys += key;
    }
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, keys);
}

TEST(RecordWindow, TypedAnswersReachRecordProgressLineAndProgressWindowAndStay)
{
    RecordingPrompter prompter;
    QWidget* menu = startToMenu();
    ASSERT_NE(menu, nullptr);
    click(menu, "AniButton1");
    QWidget* w = window("h05d1");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(progressLine(w), "");

    click(w, "Command1");
    EXPECT_EQ(progressLine(w), "0 of 46 right · 0 mistakes");
    auto* verb = child<QLineEdit>(w, "Text1");
    auto* ending = child<QLineEdit>(w, "Text2");
    typeInto(ending, QStringLiteral("xyz"));
    QTest::keyClick(ending, Qt::Key_Return);
    settle();
    const QString wrongTyped = Module1::trim(verb->text()) + QStringLiteral("xyz");
    click(w, "Command4");
    ASSERT_FALSE(prompter.messages.empty());
    const QString form = prompter.messages.back().text.mid(Module1::msgsolution.size());
    EXPECT_EQ(progressLine(w), "0 of 46 right · 2 mistakes");

    const QString stem = Module1::trim(verb->text());
    const QString person = child<QLabel>(w, "Label1")->text();
    if (verb->isReadOnly()) {
        typeInto(ending, form.mid(stem.size()));
    } else {
        typeInto(verb, form);
        typeInto(ending, QString());
    }
    QTest::keyClick(ending, Qt::Key_Return);
    settle();
    EXPECT_EQ(progressLine(w), "1 of 46 right · 2 mistakes");
    EXPECT_EQ(typedInRecord(), (QStringList{wrongTyped, "NULL", form}));

    trigger(w, "mnuProgress");
    EXPECT_EQ(mostMissed(), (QStringList{stem, person, form, "2"}));

    // The program ends and starts again.
    for (QWidget* open : QApplication::topLevelWidgets())
        open->close();
    settle();
    Module1::splashdone = 0; // a new program shows its splash again
    menu = startToMenu();
    ASSERT_NE(menu, nullptr);
    trigger(menu, "mnuProgress");
    EXPECT_EQ(mostMissed(), (QStringList{stem, person, form, "2"}));
    click(menu, "AniButton1");
    EXPECT_EQ(progressLine(window("h05d1")), "");
    EXPECT_EQ(typedInRecord(), (QStringList{wrongTyped, "NULL", form}));
}

} // namespace

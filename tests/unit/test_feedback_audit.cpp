// The diagnosis against a set of realistic learner mistakes written
// independently of it (tests/audit/make_mistakes.py): how often an
// explanation is false, how often the diagnosis says nothing, and that it
// never gives the answer away.
#include "feedback/analyser.h"
#include "feedback/diagnosis.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

#include <iostream>

using namespace lumora::feedback;

namespace {

struct Mistake {
    QString exercise;
    int item = 0, person = 0;
    QString stem, typed;
    QStringList ok, must, never;
    QString a, b, answer, note;
};

QList<Mistake> readSet()
{
    QFile file(QStringLiteral(AUDIT_SET));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Mistake> set;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList f = QString::fromUtf8(line).split(u'\t');
        if (f.size() != 12)
            continue;
        auto list = [](const QString& s, QChar sep) { return s.split(sep, Qt::SkipEmptyParts); };
        set.append({f[0], f[1].toInt(), f[2].toInt(), f[3], f[4], list(f[5], u','), list(f[6], u'|'),
                    list(f[7], u'|'), f[8], f[9], f[10], f[11]});
    }
    return set;
}

Diagnosis judge(const Mistake& m, int tries)
{
    if (m.exercise == u"basic")
        return basicAnswer(m.item, m.typed, tries);
    if (m.exercise == u"extended")
        return extendedAnswer(m.item, m.person, m.typed, tries);
    if (m.exercise == u"sentence")
        return sentence(m.item, m.person, m.a, m.b, m.typed, tries);
    return gapAnswer(m.item, m.person, m.stem, m.typed, tries);
}

// Why an explanation is not true of the mistake; empty when it is.
QString falseness(const Mistake& m, const Diagnosis& d)
{
    if (!m.ok.contains(kindName(d.kind)))
        return QStringLiteral("names %1, true would be %2").arg(kindName(d.kind), m.ok.join(u'/'));
    for (const QString& w : m.must)
        if (!d.text.contains(w))
            return QStringLiteral("does not say \"%1\"").arg(w);
    for (const QString& w : m.never)
        if (d.text.contains(w, Qt::CaseInsensitive))
            return QStringLiteral("says \"%1\"").arg(w);
    return {};
}

} // namespace

TEST(FeedbackAudit, ExplanationsAreTrueRarelySilentAndNeverTheAnswer)
{
    Analyser::shared().load();
    ASSERT_TRUE(Analyser::shared().waitUntilReady(20000))
        << "the Hungarian dictionary (Debian package hunspell-hu) did not load";
    const QList<Mistake> set = readSet();
    ASSERT_GT(set.size(), 500) << AUDIT_SET;

    int explained = 0, wrong = 0, silent = 0, answers = 0;
    QStringList report;
    for (const Mistake& m : set) {
        const Diagnosis d = judge(m, 1);
        if (d.text.isEmpty()) {
            ++silent;
            report << QStringLiteral("silent  %1 %2/%3 \"%4\" (%5)").arg(m.exercise).arg(m.item).arg(m.person)
                          .arg(m.typed, m.ok.join(u'/'));
        } else {
            ++explained;
            if (const QString why = falseness(m, d); !why.isEmpty()) {
                ++wrong;
                report << QStringLiteral("false   %1 %2/%3 \"%4\": %5: %6").arg(m.exercise).arg(m.item).arg(m.person)
                              .arg(m.typed, why, d.text);
            }
        }
        // The answer as a word of its own, not as a part of the word typed.
        const QRegularExpression answer(QStringLiteral("(^|[^\\w])%1($|[^\\w])").arg(QRegularExpression::escape(m.answer)),
                                        QRegularExpression::UseUnicodePropertiesOption);
        for (int tries = 1; tries <= 9; ++tries)
            if (answer.match(judge(m, tries).text).hasMatch()) {
                ++answers;
                report << QStringLiteral("answer  %1 \"%2\"").arg(m.exercise, m.typed);
                break;
            }
    }
    const double falseShare = 100.0 * wrong / std::max(1, explained);
    const double silentShare = 100.0 * silent / set.size();
    std::cout << report.join(u'\n').toStdString() << "\n"
              << "audit: " << set.size() << " mistakes, " << explained << " explained, " << wrong
              << " of them false (" << falseShare << " %), " << silent << " silent (" << silentShare << " %), "
              << answers << " showing the answer\n";
    EXPECT_LE(falseShare, 1.0);
    EXPECT_LE(silentShare, 10.0);
    EXPECT_EQ(answers, 0);
}

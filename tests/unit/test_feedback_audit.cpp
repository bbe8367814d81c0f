// The diagnosis against a set of realistic learner mistakes written
// independently of it (tests/audit/make_mistakes.py): how often an
// explanation is false, how often it falls back on a general sentence where
// the slip has a name, how often the diagnosis says nothing, that it never
// gives the answer away and that its hint never repeats what was typed right.
#include "feedback/analyser.h"
#include "feedback/diagnosis.h"

#include <QElapsedTimer>
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
    QString whole;  // the word (or sentence) the typing makes
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
        if (f.size() != 13)
            continue;
        auto list = [](const QString& s, QChar sep) { return s.split(sep, Qt::SkipEmptyParts); };
        set.append({f[0], f[1].toInt(), f[2].toInt(), f[3], f[4], list(f[5], u','), list(f[6], u'|'),
                    list(f[7], u'|'), f[8], f[9], f[10], f[11], f[12]});
    }
    return set;
}

// As a learner reads it: the joiners that keep an ending with its hyphen
// are not letters.
Diagnosis judge(const Mistake& m, int tries)
{
    Diagnosis d = m.exercise == u"basic"      ? basicAnswer(m.item, m.typed, tries)
                  : m.exercise == u"extended" ? extendedAnswer(m.item, m.person, m.typed, tries)
                  : m.exercise == u"sentence" ? sentence(m.item, m.person, m.a, m.b, m.typed, tries)
                                              : gapAnswer(m.item, m.person, m.stem, m.typed, tries);
    d.text.remove(QChar(0x2060));
    return d;
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

// A general sentence said where the mistake has a name of its own.
bool vague(const Mistake& m, const Diagnosis& d)
{
    const bool general = d.text.startsWith(u"There is no such word as")
                         || d.text.startsWith(u"The words are right, but not in the right order.");
    return general && !falseness(m, d).isEmpty();
}

// What is wrong with a hint: its first letters quoted are letters the
// learner typed right (they must start where the typing leaves the answer),
// or more than half of the word they are in (in either accepted sentence).
QString hintFault(const Mistake& m, const QString& explanation, const QString& withHint)
{
    static const QRegularExpression quote(QStringLiteral("\"([^\"]+)\""));
    const QString letters = quote.match(withHint.mid(explanation.size())).captured(1).toLower();
    const QString typed = m.whole.toLower(), answer = m.answer.toLower();
    if (letters.isEmpty())
        return {};
    int right = 0;
    while (right < typed.size() && right < answer.size() && typed[right] == answer[right])
        ++right;
    if (!answer.mid(right).trimmed().startsWith(letters) && answer.left(right).contains(letters))
        return QStringLiteral("repeats");
    const QStringList words = (answer + u' ' + m.b.toLower()).split(u' ');
    const bool half = std::ranges::any_of(words, [&](const QString& w) {
        return w.contains(letters) && letters.size() <= w.size() / 2;
    });
    return half ? QString() : QStringLiteral("more than half");
}

} // namespace

TEST(FeedbackAudit, ExplanationsAreTrueRarelySilentAndNeverTheAnswer)
{
    Analyser::shared().load();
    ASSERT_TRUE(Analyser::shared().waitUntilReady(20000))
        << "the Hungarian dictionary (Debian package hunspell-hu) did not load";
    const QList<Mistake> set = readSet();
    ASSERT_GT(set.size(), 500) << AUDIT_SET;

    int explained = 0, wrong = 0, unclear = 0, silent = 0, answers = 0, repeated = 0, long_ = 0;
    QStringList report;
    for (const Mistake& m : set) {
        const Diagnosis d = judge(m, 1);
        const QString where = QStringLiteral("%1 %2/%3 \"%4\"").arg(m.exercise).arg(m.item).arg(m.person).arg(m.typed);
        if (d.text.isEmpty()) {
            ++silent;
            report << QStringLiteral("silent  %1 (%2)").arg(where, m.ok.join(u'/'));
        } else {
            ++explained;
            if (vague(m, d)) {
                ++unclear;
                report << QStringLiteral("vague   %1: %2").arg(where, d.text);
            } else if (const QString why = falseness(m, d); !why.isEmpty()) {
                ++wrong;
                report << QStringLiteral("false   %1: %2: %3").arg(where, why, d.text);
            }
        }
        // The answer as a word of its own, not as a part of the word typed.
        const QRegularExpression answer(QStringLiteral("(^|[^\\w])%1($|[^\\w])").arg(QRegularExpression::escape(m.answer)),
                                        QRegularExpression::UseUnicodePropertiesOption);
        bool shown = false;
        QString fault;
        for (int tries = 1; tries <= 9; ++tries) {
            const QString text = judge(m, tries).text;
            shown = shown || answer.match(text).hasMatch();
            fault = fault.isEmpty() && tries > 1 ? hintFault(m, d.text, text) : fault;
        }
        answers += shown;
        repeated += fault == u"repeats";
        long_ += fault == u"more than half";
        if (shown)
            report << QStringLiteral("answer  %1").arg(where);
        if (!fault.isEmpty())
            report << QStringLiteral("hint    %1 %2: %3").arg(where, fault, judge(m, 9).text);
    }
    // The diagnosis alone, as a wrong answer is judged: once for each mistake.
    QElapsedTimer clock;
    clock.start();
    for (const Mistake& m : set)
        judge(m, 2);
    const double perMistake = clock.nsecsElapsed() / 1e3 / set.size();

    auto share = [](int n, qsizetype of) { return 100.0 * n / std::max<qsizetype>(1, of); };
    std::cout << report.join(u'\n').toStdString() << "\n"
              << "audit: " << set.size() << " mistakes, " << explained << " explained, " << wrong
              << " of them false (" << share(wrong, explained) << " %), " << unclear << " vague ("
              << share(unclear, set.size()) << " %), " << silent << " silent (" << share(silent, set.size())
              << " %), " << answers << " showing the answer, " << repeated << " hints repeating what was right, "
              << long_ << " hints longer than half; " << perMistake << " us per mistake\n";
    EXPECT_LE(share(wrong, explained), 0.5);
    EXPECT_LE(share(unclear, set.size()), 2.0);
    EXPECT_LE(share(silent, set.size()), 2.0);
    EXPECT_EQ(answers, 0);
    EXPECT_EQ(repeated, 0);
    EXPECT_EQ(long_, 0);
}

// The meanings of the lesson's words: every word the exercises show has one,
// under the dictionary form the Hungarian dictionary gives it, and each gloss
// agrees with a Hungarian-English dictionary written by others.
#include "feedback/analyser.h"
#include "lesson/meanings.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <map>

using namespace lumora;
using meanings::Meaning;

namespace {

// Hunspell's dictionary forms of a word, in small letters.
QStringList lemmas(const QString& word)
{
    QStringList found;
    for (const feedback::Reading& r : feedback::Analyser::shared().analyse(word))
        found << r.lemma.toLower();
    return found;
}

} // namespace

TEST(Meanings, EveryWordShownHasAMeaningUnderTheFormTheDictionaryGivesIt)
{
    feedback::Analyser::shared().load();
    ASSERT_TRUE(feedback::Analyser::shared().waitUntilReady(20000)) << "hunspell-hu is needed";
    QSet<const Meaning*> used;
    for (int exercise : {1, 2, 3, 5})
        for (const QString& w : meanings::wordsShown(exercise)) {
            const QString d = meanings::dictionaryForm(w);
            const Meaning* m = meanings::find(d);
            EXPECT_NE(m, nullptr) << exercise << " " << w.toStdString();
            used << m;
            // lak is shown as the stem of lakik, with its ik in the ending field.
            if (d.compare(w, Qt::CaseInsensitive) != 0 && d != w + "ik") {
                EXPECT_TRUE(lemmas(w).contains(d.toLower())) << w.toStdString() << " is no form of " << d.toStdString();
            }
        }
    for (const Meaning& m : meanings::all()) {
        const QString word = m.word.toString();
        EXPECT_TRUE(used.contains(&m)) << word.toStdString() << " is in no exercise, or listed twice";
        // Each is a dictionary form; the persons are entered as the lesson
        // teaches them (Hunspell files te and ők under én), jól as dictionaries do.
        if (m.kind != meanings::Kind::Pronoun && word != u"jól") {
            EXPECT_TRUE(lemmas(word).contains(word.toLower())) << word.toStdString();
        }
    }
}

namespace {

// The senses Debian's dict-freedict-hun-eng gives the lesson's words (the
// lines of an article after its head word, numbered where there are several),
// and how many head words it has. Its index gives a head word, the offset and
// the length of its article in base64; its data is dictzip, which gzip reads.
std::map<QString, QStringList> freedict(int& headWords)
{
    QFile index(QStringLiteral("/usr/share/dictd/freedict-hun-eng.index"));
    QProcess gzip;
    gzip.start(QStringLiteral("gzip"), {QStringLiteral("-dc"), index.fileName().replace(".index", ".dict.dz")});
    if (!index.open(QIODevice::ReadOnly) || !gzip.waitForFinished(60000) || gzip.exitCode() != 0)
        return {};
    const QByteArray data = gzip.readAllStandardOutput();
    auto number = [](const QByteArray& b64) {
        qint64 n = 0;
        for (char c : b64)
            n = n * 64 + QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/").indexOf(c);
        return n;
    };
    QSet<QString> ours;
    for (const Meaning& m : meanings::all())
        ours << m.word.toString().toLower();
    std::map<QString, QStringList> senses;
    for (const QByteArray& line : index.readAll().split('\n')) {
        const QList<QByteArray> f = line.split('\t');
        headWords += f.size() == 3;
        if (f.size() != 3 || !ours.contains(QString::fromUtf8(f[0]).toLower()))
            continue;
        const QString article = QString::fromUtf8(data.mid(number(f[1]), number(f[2])));
        for (QString sense : article.split(u'\n', Qt::SkipEmptyParts).mid(1))
            senses[QString::fromUtf8(f[0]).toLower()] << sense.remove(QRegularExpression("^\\d+\\. "));
    }
    return senses;
}

// "to speak, spoke, spoken" is headed by speak, "to listen (to)" by listen.
QString head(QString sense)
{
    sense = sense.section(QRegularExpression("[,;]"), 0, 0).remove(QRegularExpression("\\([^)]*\\)")).trimmed();
    return sense.toLower().remove(QRegularExpression("^to "));
}

// Words the dictionary lacks, or has only in a sense the lesson does not use.
const std::map<QString, const char*> notInFreedict = {
    {"Albert", "names: of the lesson's it has only Péter"}, {"Anna", "names"}, {"Éva", "names"},
    {"Kati", "names"}, {"János", "names"}, {"Sándor", "names"}, {"Mária", "names"}, {"Zsuzsa", "names"},
    {"Kelenföld", "names"}, {"Szabó", "names: only the word szabó, tailor"}, {"Kis", "names: only kis, small"},
    {"Budapest", "names: only a nickname, queen of the danube"},
    {"könyvtár", "only in compounds such as kölcsönkönyvtár"}, {"magyar", "only in phrases"},
    {"ők", "missing, though the other persons are there"}, {"te", "only the old thou and ye"},
    {"ti", "only the old ye"}, {"önök", "only your good selves"}, {"forint", "only the old name florin"},
    {"tanárnő", "only schoolmistress and school-marm"}, {"örül", "only rejoice and exult, not be glad"},
};

} // namespace

// The head of every gloss heads a sense the dictionary gives the word too:
// bérel is "to rent" there.
TEST(Meanings, EachGlossAgreesWithTheFreedictDictionary)
{
    int headWords = 0, agreeing = 0;
    const std::map<QString, QStringList> senses = freedict(headWords);
    ASSERT_GT(headWords, 100000) << "install dict-freedict-hun-eng (scripts/setup.sh)";
    for (const Meaning& m : meanings::all()) {
        const QString word = m.word.toString(), ours = head(m.english.toString());
        bool agrees = false;
        for (const QString& sense : senses.count(word.toLower()) ? senses.at(word.toLower()) : QStringList())
            agrees = agrees || head(sense) == ours || head(sense).startsWith(ours + u' ');
        agreeing += agrees;
        EXPECT_NE(agrees, notInFreedict.count(word) > 0)
            << word.toStdString() << " — " << m.english.toString().toStdString()
            << (agrees ? ": agrees, so it leaves the list" : ": not among its senses");
    }
    std::printf("FreeDict agrees with %d of %zu glosses; %zu are listed as not in it\n", agreeing,
                meanings::all().size(), notInFreedict.size());
}

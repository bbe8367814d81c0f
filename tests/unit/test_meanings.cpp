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

// Each word shown reaches an entry under the dictionary form Hunspell gives
// it; each entry is a word some exercise shows, once.
TEST(Meanings, EveryWordShownHasAMeaningUnderItsDictionaryForm)
{
    feedback::Analyser::shared().load();
    ASSERT_TRUE(feedback::Analyser::shared().waitUntilReady(20000)) << "hunspell-hu is needed";
    QSet<const Meaning*> used;
    for (int exercise : {1, 2, 3, 5})
        for (const QString& w : meanings::wordsShown(exercise)) {
            const QString d = meanings::dictionaryForm(w);
            EXPECT_NE(meanings::find(d), nullptr) << exercise << " " << w.toStdString();
            used << meanings::find(d);
            bool confirmed = d.compare(w, Qt::CaseInsensitive) == 0 || d == w + "ik"; // lak, shown with its ik
            for (const feedback::Reading& r : feedback::Analyser::shared().analyse(w))
                confirmed = confirmed || r.lemma == d;
            EXPECT_TRUE(confirmed) << w.toStdString() << " is no form of " << d.toStdString();
        }
    for (const Meaning& m : meanings::all())
        EXPECT_TRUE(used.contains(&m)) << m.word.toString().toStdString() << " is in no exercise, or listed twice";
    // A word said twice in a text is glossed once, under its dictionary form.
    EXPECT_EQ(meanings::glosses(u"a lányok és a fiúk"),
              QStringList({"a — the", "lány — girl", "és — and", "fiú — boy"}));
}

namespace {

// "to speak, spoke, spoken" is headed by speak, "to listen (to)" by listen.
QString head(QString sense)
{
    sense = sense.section(QRegularExpression("[,;]"), 0, 0).remove(QRegularExpression("\\([^)]*\\)")).trimmed();
    return sense.toLower().remove(QRegularExpression("^(\\d+\\. )?(to )?"));
}

// Words the dictionary lacks, or has only in a sense the lesson does not use.
const std::map<QString, const char*> notInFreedict = {
    {"Albert", "names: of the lesson's it has Péter only"}, {"Anna", "names"}, {"Éva", "names"}, {"Kati", "names"},
    {"János", "names"}, {"Sándor", "names"}, {"Mária", "names"}, {"Zsuzsa", "names"}, {"Kelenföld", "names"},
    {"Szabó", "names: only szabó, tailor"}, {"Kis", "names: only kis, small"}, {"Budapest", "names: a nickname"},
    {"könyvtár", "only in compounds"}, {"magyar", "only in phrases"}, {"ők", "missing, unlike the other persons"},
    {"te", "only the old thou and ye"}, {"ti", "only the old ye"}, {"önök", "only your good selves"},
    {"forint", "only the old name florin"}, {"tanárnő", "only schoolmistress"}, {"örül", "only rejoice, exult"},
};

} // namespace

// The head of every gloss heads a sense that Debian's dict-freedict-hun-eng
// gives the word too: bérel is "to rent" there. Its index gives a head word,
// the offset and the length of its article in base64; the article's lines
// after the first are its senses, numbered where there are several. Its data
// is dictzip, which gzip reads.
TEST(Meanings, EachGlossAgreesWithTheFreedictDictionary)
{
    QFile index(QStringLiteral("/usr/share/dictd/freedict-hun-eng.index"));
    QProcess gzip;
    gzip.start(QStringLiteral("gzip"), {QStringLiteral("-dc"), index.fileName().replace(".index", ".dict.dz")});
    ASSERT_TRUE(index.open(QIODevice::ReadOnly) && gzip.waitForFinished(60000) && gzip.exitCode() == 0)
        << "install dict-freedict-hun-eng (scripts/setup.sh)";
    const QByteArray data = gzip.readAllStandardOutput();
    auto number = [](const QByteArray& b64) {
        qint64 n = 0;
        for (char c : b64)
            n = n * 64 + QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/").indexOf(c);
        return n;
    };
    std::map<QString, std::pair<const Meaning*, bool>> agrees; // by our word in small letters
    for (const Meaning& m : meanings::all())
        agrees[m.word.toString().toLower()] = {&m, false};
    int headWords = 0, agreeing = 0;
    for (const QByteArray& line : index.readAll().split('\n')) {
        const QList<QByteArray> f = line.split('\t');
        headWords += f.size() == 3;
        const auto word = f.size() == 3 ? agrees.find(QString::fromUtf8(f[0]).toLower()) : agrees.end();
        if (word == agrees.end())
            continue;
        const QString ours = head(word->second.first->english.toString());
        for (const QString& sense : QString::fromUtf8(data.mid(number(f[1]), number(f[2]))).split(u'\n').mid(1))
            word->second.second = word->second.second || head(sense) == ours || head(sense).startsWith(ours + u' ');
    }
    ASSERT_GT(headWords, 100000);
    for (const Meaning& m : meanings::all()) {
        const bool agreed = agrees[m.word.toString().toLower()].second;
        agreeing += agreed;
        EXPECT_NE(agreed, notInFreedict.count(m.word.toString()) > 0)
            << m.word.toString().toStdString() << " — " << m.english.toString().toStdString()
            << (agreed ? ": agrees, so it leaves the list" : ": not among its senses");
    }
    std::printf("FreeDict agrees with %d of %zu glosses; %zu are listed as not in it\n", agreeing,
                meanings::all().size(), notInFreedict.size());
}

// The meanings of the lesson's words: every word the exercises show has one,
// each under the dictionary form the Hungarian dictionary gives it, and each
// gloss agrees with a Hungarian-English dictionary written by others.
#include "feedback/analyser.h"
#include "lesson/meanings.h"
#include "lesson/sentences.h"
#include "lesson/text.h"
#include "lesson/verbs.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <map>

using namespace lumora;
using meanings::dictionaryForm;

namespace {

QStringList wordsOf(const QStringList& texts)
{
    QStringList words;
    for (const QString& t : texts)
        for (const QRegularExpressionMatch& m : QRegularExpression(QStringLiteral("\\p{L}+")).globalMatch(t))
            words << m.captured();
    return words;
}

// What each exercise shows, read from the lesson's tables as the windows show them.
std::map<int, QStringList> shownWords()
{
    std::map<int, QStringList> shown;
    for (int e : {1, 2}) {
        QStringList texts = h05d1::igeblista();
        const h05d1::ItemRange r = h05d1::exerciseItems(e);
        for (int i = r.first; i < r.first + r.count; ++i)
            texts << h05d1::basicItem(i).verb.toString();
        for (int p = 1; p <= 5; ++p)
            texts << h05d1::pronoun(p);
        shown[e] = wordsOf(texts);
    }
    h05d3::Column al, hata, ige;
    h05d3::allista(al);
    h05d3::hatalista(hata);
    h05d3::igelista(ige);
    QStringList texts;
    for (int k = 0; k < h05d3::itemCount; ++k)
        texts << al[k] << hata[k] << ige[k];
    for (int code : {1, 2, 11, 22, 33, 44})
        texts << h05d3::person(code).label.toString();
    shown[3] = wordsOf(texts);
    texts.clear();
    for (const h05d5::Element& e : h05d5::textElements)
        texts << e.text.toString();
    for (const h05d5::Person& p : h05d5::persons)
        texts << p.caption.toString() << p.item.toString();
    shown[5] = wordsOf(texts);
    return shown;
}

bool dictionaryLoaded()
{
    feedback::Analyser::shared().load();
    return feedback::Analyser::shared().waitUntilReady(20000);
}

} // namespace

// Each word shown reaches an entry, by a form the Hungarian dictionary
// confirms; every entry is a word some exercise shows; the Words window lists
// exactly each exercise's words.
TEST(Meanings, EveryWordShownHasAMeaningAndEveryMeaningIsAWordShown)
{
    ASSERT_TRUE(dictionaryLoaded()) << "hunspell-hu is needed";
    QSet<QString> used;
    for (const auto& [exercise, words] : shownWords()) {
        QSet<QString> forms;
        for (const QString& w : words) {
            const QString d = dictionaryForm(w);
            forms << d;
            EXPECT_NE(meanings::find(d), nullptr) << exercise << " " << w.toStdString();
            if (d.compare(w, Qt::CaseInsensitive) == 0)
                continue;
            // lak is shown as the stem of lakik, with its ik in the ending field.
            bool confirmed = d == w + QStringLiteral("ik");
            for (const feedback::Reading& r : feedback::Analyser::shared().analyse(w))
                confirmed = confirmed || r.lemma == d;
            EXPECT_TRUE(confirmed) << w.toStdString() << " is no form of " << d.toStdString();
        }
        const QStringList listed = meanings::wordsOf(exercise);
        const QSet<QString> inWindow(listed.begin(), listed.end());
        auto list = [](const QSet<QString>& words) { return QStringList(words.values()).join(' ').toStdString(); };
        EXPECT_TRUE(inWindow == forms) << exercise << " lacks " << list(forms - inWindow) << ", has more "
                                       << list(inWindow - forms);
        used += forms;
    }
    QSet<QString> entries;
    for (const meanings::Meaning& m : meanings::all()) {
        const QString word = m.word.toString();
        EXPECT_TRUE(used.contains(word)) << word.toStdString() << " is in no exercise";
        EXPECT_FALSE(entries.contains(word)) << word.toStdString() << " twice";
        entries << word;
        // An entry is a dictionary form, not an inflected one; the persons
        // are listed as the lesson teaches them (the dictionary files te and
        // ők under én), and jól as dictionaries list it (not under jó).
        QStringList lemmas;
        for (const feedback::Reading& r : feedback::Analyser::shared().analyse(word))
            lemmas << r.lemma.toLower();
        if (m.kind != meanings::Kind::Pronoun && word != u"jól") {
            EXPECT_TRUE(lemmas.contains(word.toLower()))
                << word.toStdString() << ": " << lemmas.join(' ').toStdString();
        }
    }
}

namespace {

// The senses Debian's dict-freedict-hun-eng gives each word of the lesson,
// and how many head words it has. Its index holds a head word, the offset and
// the length of its article in base64; its data is dictzip, which gzip reads.
struct Freedict {
    std::map<QString, QStringList> senses;
    int headWords = 0;
};

Freedict freedict()
{
    QFile index(QStringLiteral("/usr/share/dictd/freedict-hun-eng.index"));
    QProcess gzip;
    gzip.start(QStringLiteral("gzip"),
               {QStringLiteral("-dc"), QStringLiteral("/usr/share/dictd/freedict-hun-eng.dict.dz")});
    if (!index.open(QIODevice::ReadOnly) || !gzip.waitForFinished(60000) || gzip.exitCode() != 0)
        return {};
    const QByteArray data = gzip.readAllStandardOutput();
    QSet<QByteArray> ours;
    for (const meanings::Meaning& m : meanings::all())
        ours << m.word.toString().toLower().toUtf8();
    const QByteArray digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    auto number = [&digits](const QByteArray& b64) {
        qint64 n = 0;
        for (char c : b64)
            n = n * 64 + digits.indexOf(c);
        return n;
    };
    Freedict d;
    for (const QByteArray& line : index.readAll().split('\n')) {
        const QList<QByteArray> f = line.split('\t');
        if (f.size() != 3)
            continue;
        ++d.headWords;
        const QString word = QString::fromUtf8(f[0]).toLower();
        if (!ours.contains(word.toUtf8()))
            continue;
        // The head word with its pronunciation, then a sense a line, numbered
        // where there are several.
        const QStringList lines =
            QString::fromUtf8(data.mid(number(f[1]), number(f[2]))).split(u'\n', Qt::SkipEmptyParts);
        for (QString sense : lines.mid(1))
            d.senses[word] << sense.remove(QRegularExpression(QStringLiteral("^\\d+\\. ")));
    }
    return d;
}

// "to speak, spoke, spoken" and "to listen (to)" are headed by speak and listen.
QString head(QString sense)
{
    sense = sense.section(QRegularExpression(QStringLiteral("[,;]")), 0, 0);
    sense.remove(QRegularExpression(QStringLiteral("\\([^)]*\\)")));
    sense = sense.trimmed().toLower();
    return sense.startsWith(QLatin1String("to ")) ? sense.mid(3) : sense;
}

// Words the dictionary lacks, or has only in a sense the lesson does not use.
const std::map<QString, const char*> notInFreedict = {
    {"Albert", "names: of these it has only Péter"}, {"Anna", "names"}, {"Éva", "names"}, {"Kati", "names"},
    {"János", "names"}, {"Sándor", "names"}, {"Mária", "names"}, {"Zsuzsa", "names"}, {"Kelenföld", "names"},
    {"Szabó", "names: only the word szabó, tailor"}, {"Kis", "names: only the word kis, small"},
    {"Budapest", "names: only a nickname, queen of the danube"},
    {"könyvtár", "only in compounds such as kölcsönkönyvtár"},
    {"magyar", "only in phrases such as magyar kártya színei"},
    {"ők", "missing, though the other persons are there"},
    {"te", "only the old thou and ye"}, {"ti", "only the old ye"}, {"önök", "only your good selves"},
    {"forint", "only the old English name, florin"},
    {"tanárnő", "only schoolmistress and school-marm"},
    {"örül", "only rejoice and exult, not be glad"},
};

} // namespace

// The head of every gloss is the head of a sense the dictionary gives the
// word: bérel is "to rent" there too.
TEST(Meanings, EachGlossAgreesWithTheFreedictDictionary)
{
    const Freedict freedict = ::freedict();
    ASSERT_GT(freedict.headWords, 100000) << "install dict-freedict-hun-eng (scripts/setup.sh)";
    const std::map<QString, QStringList>& dictionary = freedict.senses;
    int agreeing = 0;
    for (const meanings::Meaning& m : meanings::all()) {
        const QString word = m.word.toString(), ours = head(m.english.toString());
        const auto found = dictionary.find(word.toLower());
        bool agrees = false;
        for (const QString& sense : found == dictionary.end() ? QStringList() : found->second)
            agrees = agrees || head(sense) == ours || head(sense).startsWith(ours + u' ');
        agreeing += agrees;
        const bool listed = notInFreedict.count(word) > 0;
        EXPECT_NE(agrees, listed) << word.toStdString() << " — " << m.english.toString().toStdString()
                                  << (listed ? ": agrees, so it leaves the list" : ": not among its senses");
    }
    std::printf("FreeDict agrees with %d of %zu glosses; %zu are listed as missing there\n", agreeing,
                meanings::all().size(), notInFreedict.size());
}

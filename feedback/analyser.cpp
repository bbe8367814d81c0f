#include "feedback/analyser.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

#include <hunspell.hxx>

namespace lumora::feedback {
namespace {

// One line of Hunspell's analysis, " st:olvas po:vrb ts:PRES_INDIC_INDEF_SG_3
// is:PRES_INDIC_DEF_SG_1", as a reading.
Reading readingOf(const QString& line)
{
    Reading r;
    QString pos, own;
    QStringList inflections;
    for (const QString& field : line.split(u' ', Qt::SkipEmptyParts)) {
        const QStringView tag = QStringView(field).left(3);
        const QString value = field.mid(3);
        if (tag == u"st:")
            r.lemma = value;
        else if (tag == u"po:" && pos.isEmpty())
            pos = value;
        else if (tag == u"ts:" && own.isEmpty())
            own = value;
        else if (tag == u"is:")
            inflections << value;
        else if (tag == u"ds:" || tag == u"pa:")
            r.other = true; // a derived word or a compound
    }
    if (pos == u"vrb") {
        r.pos = Reading::Pos::Verb;
        // Two verb endings in a row ("ment" + "ek") is no plain form.
        r.other = r.other || inflections.size() > 1;
    } else if (pos == u"noun" || pos == u"noun_prs" || pos == u"adj") {
        r.pos = Reading::Pos::Noun;
        for (const QString& i : inflections.mid(0, inflections.size() - 1))
            r.other = r.other || i == u"PLUR" || i.startsWith(u"POSS");
        if (!inflections.isEmpty() && (inflections.last() == u"PLUR" || inflections.last().startsWith(u"POSS")))
            r.other = true;
    }
    r.inflection = inflections.isEmpty() ? own : inflections.last();
    return r;
}

} // namespace

Analyser::Analyser(QString folder) : folder(std::move(folder)) {}

Analyser::~Analyser()
{
    if (loader.joinable())
        loader.join();
}

Analyser& Analyser::shared()
{
    static Analyser analyser(qEnvironmentVariableIsSet("LUMORA_DICTIONARY_DIR")
                                 ? qEnvironmentVariable("LUMORA_DICTIONARY_DIR")
                                 : QStringLiteral("/usr/share/hunspell"));
    return analyser;
}

void Analyser::load()
{
    State idle = State::Idle;
    if (!state.compare_exchange_strong(idle, State::Loading))
        return;
    loader = std::thread([this] {
        const QString aff = folder + QStringLiteral("/hu_HU.aff"), dic = folder + QStringLiteral("/hu_HU.dic");
        if (!QFileInfo(aff).isReadable() || !QFileInfo(dic).isReadable()) {
            state.store(State::Missing, std::memory_order_release);
            return;
        }
        auto loaded = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData());
        // Debian's hu_HU says SET UTF-8; a dictionary in another encoding
        // would read our words wrongly, so it counts as missing.
        const bool utf8 = loaded->get_dict_encoding() == "UTF-8";
        {
            std::lock_guard lock(use);
            if (utf8)
                hunspell = std::move(loaded);
        }
        state.store(utf8 ? State::Ready : State::Missing, std::memory_order_release);
    });
}

bool Analyser::waitUntilReady(int ms) const
{
    const QDeadlineTimer deadline(ms);
    while (!settled() && !deadline.hasExpired()) {
        if (state.load(std::memory_order_acquire) == State::Idle)
            return false;
        QThread::msleep(5);
    }
    return ready();
}

QList<Reading> Analyser::analyse(const QString& word, bool* known) const
{
    if (known)
        *known = false;
    if (!ready() || word.isEmpty())
        return {};
    const std::string utf8 = word.toStdString();
    std::lock_guard lock(use);
    if (known)
        *known = hunspell->spell(utf8);
    QList<Reading> readings;
    for (const std::string& line : hunspell->analyze(utf8))
        readings << readingOf(QString::fromStdString(line));
    return readings;
}

} // namespace lumora::feedback

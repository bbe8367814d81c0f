#include "feedback/analyser.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLibrary>
#include <QThread>

#include <hunspell/hunspell.h>
#include <type_traits>

namespace lumora::feedback {

// Hunspell's C interface, resolved by name from its library; each pointer has
// the type of the header's prototype.
struct Analyser::Hunspell {
    QLibrary library;
    decltype(&Hunspell_create) create = nullptr;
    decltype(&Hunspell_destroy) destroy = nullptr;
    decltype(&Hunspell_get_dic_encoding) encoding = nullptr;
    decltype(&Hunspell_spell) spell = nullptr;
    decltype(&Hunspell_analyze) analyze = nullptr;
    decltype(&Hunspell_free_list) freeList = nullptr;
    Hunhandle* handle = nullptr;

    explicit Hunspell(const QString& name) : library(name, 0) {}
    ~Hunspell()
    {
        if (handle)
            destroy(handle);
    }

    // Whether the library is there with every function.
    bool resolve()
    {
        auto find = [this](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
            return function != nullptr;
        };
        return library.load() && find(create, "Hunspell_create") && find(destroy, "Hunspell_destroy")
               && find(encoding, "Hunspell_get_dic_encoding") && find(spell, "Hunspell_spell")
               && find(analyze, "Hunspell_analyze") && find(freeList, "Hunspell_free_list");
    }
};

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

Analyser::Analyser(QString folder, QString library) : folder(std::move(folder)), library(std::move(library)) {}

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
        auto loaded = std::make_unique<Hunspell>(library);
        if (loaded->resolve())
            loaded->handle = loaded->create(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData());
        // Debian's hu_HU says SET UTF-8; a dictionary in another encoding
        // would read our words wrongly, so it counts as missing.
        const bool utf8 = loaded->handle && qstrcmp(loaded->encoding(loaded->handle), "UTF-8") == 0;
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
    const QByteArray utf8 = word.toUtf8();
    std::lock_guard lock(use);
    if (known)
        *known = hunspell->spell(hunspell->handle, utf8.constData()) != 0;
    char** lines = nullptr;
    const int n = hunspell->analyze(hunspell->handle, &lines, utf8.constData());
    QList<Reading> readings;
    for (int i = 0; i < n; ++i)
        readings << readingOf(QString::fromUtf8(lines[i]));
    hunspell->freeList(hunspell->handle, &lines, n);
    return readings;
}

} // namespace lumora::feedback

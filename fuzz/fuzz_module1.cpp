// libFuzzer target: the answer normalisers of the shared module and both key
// tables, checked against properties rather than fixed results.
#include "core/keytables.h"
#include "core/module1.h"
#include "core/prompter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace lumora;

namespace {

// capfirst and endmark warn; the fuzzer only counts the warnings.
struct Silent : Prompter {
    int beeps = 0;
    int messages = 0;
    void beep() override { ++beeps; }
    void message(const QString&, const QString&, Icon, const QString&) override { ++messages; }
};

void require(bool holds, const char* property, const QString& input)
{
    if (holds)
        return;
    std::fprintf(stderr, "property failed: %s\ninput (UTF-16):", property);
    for (QChar c : input)
        std::fprintf(stderr, " %04x", c.unicode());
    std::fprintf(stderr, "\n");
    std::abort();
}

// An odd first byte reads the rest as Latin-1, one byte a character, so that
// spaces and full stops are cheap to find; an even one as UTF-16, so that
// every code unit, lone surrogates included, can occur.
QString decode(const uint8_t* data, size_t size)
{
    if (size == 0)
        return {};
    if (data[0] % 2)
        return QString::fromLatin1(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QString text((size - 1) / 2, Qt::Uninitialized);
    std::memcpy(text.data(), data + 1, size_t(text.size()) * 2);
    return text;
}

bool isEndMark(QChar c) { return c == u'.' || c == u'?' || c == u'!'; }

// The first character: a surrogate pair counts as one.
qsizetype firstLength(const QString& s)
{
    return s.size() > 1 && s[0].isHighSurrogate() && s[1].isLowSurrogate() ? 2 : 1;
}

void checkOnespace(const QString& input)
{
    QString text = input;
    Module1::onespace(text);
    require(!text.contains(QLatin1String("  ")), "onespace leaves no double space", input);
    // Halving the runs until none is left (a regular expression would refuse
    // text with a lone surrogate).
    QString collapsed = input;
    while (collapsed.contains(QLatin1String("  ")))
        collapsed.replace(QLatin1String("  "), QLatin1String(" "));
    require(text == collapsed, "onespace collapses every run", input);
}

void checkCapfirst(const QString& input, Silent& silent)
{
    QString text = input;
    const int warnings = silent.messages;
    Module1::capfirst(text);
    const bool warned = silent.messages != warnings;
    if (input.isEmpty()) {
        require(text.isEmpty() && !warned, "capfirst leaves the empty text", input);
        return;
    }
    const qsizetype n = firstLength(input);
    const QString rest = input.mid(n);
    require(text.size() == input.size() || text.endsWith(rest), "capfirst keeps the length or the rest", input);
    require(text == input || text == input.left(n).toUpper() + rest, "capfirst changes only the first character",
            input);
    require(warned == (text != input), "capfirst warns exactly when it changes the text", input);
}

void checkEndmark(const QString& input, Silent& silent)
{
    QString text = input;
    const int warnings = silent.messages;
    Module1::endmark(text);
    const bool warned = silent.messages != warnings;
    require(!text.isEmpty() && isEndMark(text.back()), "endmark ends in . ? or !", input);
    if (warned) {
        require(text == input + u'.', "endmark appends a full stop when it warns", input);
        return;
    }
    require(!input.isEmpty() && isEndMark(input.back()), "endmark warns about a text without its mark", input);
    const bool spaceBefore = input.size() > 1 && input[input.size() - 2] == u' ';
    require(text == (spaceBefore ? input.left(input.size() - 2) + input.back() : input),
            "endmark drops only a space before the mark", input);
}

void checkTrim(const QString& input)
{
    const QString text = Module1::trim(input);
    require(!text.startsWith(u' ') && !text.endsWith(u' '), "trim leaves no outer space", input);
    qsizetype from = 0;
    while (from < input.size() && input[from] == u' ')
        ++from;
    require(input.mid(from).startsWith(text), "trim drops only leading spaces", input);
    require(input.mid(from + text.size()).count(u' ') == input.size() - from - text.size(),
            "trim drops only trailing spaces", input);
}

// Each table, written out again from the key help and the README: the keys
// on an English keyboard and the letters they give.
struct Table {
    KeyTable map;
    const char16_t* keys;
    const char16_t* letters;
    const char* name;
};
const Table tables[] = {
    {hunkey, u"';`\\[-0]=\":~|{_)}+", u"áéíűőüöúóÁÉÍŰŐÜÖÚÓ", "hunkey"},
    {shortkey, u"';`\\[-/]=", u"áéíóöőúüű", "shortkey"},
};

void checkKeys(const QString& input)
{
    for (const Table& t : tables) {
        const QString keys = QString::fromUtf16(t.keys);
        const QString letters = QString::fromUtf16(t.letters);
        for (QChar c : input) {
            const qsizetype k = keys.indexOf(c);
            const QChar expected = k < 0 ? c : letters[k];
            require(t.map(c) == expected, t.name, QString(c));
            require(t.map(t.map(c)) == t.map(c), "a translated letter translates no further", QString(c));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Silent silent;
    setPrompter(&silent);
    Module1::setmsg();
    const QString input = decode(data, size);
    checkOnespace(input);
    checkCapfirst(input, silent);
    checkEndmark(input, silent);
    checkTrim(input);
    checkKeys(input);
    return 0;
}

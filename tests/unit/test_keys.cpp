#include "core/keyfilter.h"
#include "core/keytables.h"
#include "recording.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace lumora;

namespace {

struct Key {
    const char* name;
    char16_t typed;
    char16_t letter;
};

constexpr Key mainKeys[] = {
    {"apostrophe", u'\'', u'á'}, {"semicolon", u';', u'é'}, {"grave", u'`', u'í'},
    {"backslash", u'\\', u'ű'},  {"bracket", u'[', u'ő'},   {"hyphen", u'-', u'ü'},
    {"zero", u'0', u'ö'},        {"closebracket", u']', u'ú'}, {"equals", u'=', u'ó'},
    {"quote", u'"', u'Á'},       {"colon", u':', u'É'},     {"tilde", u'~', u'Í'},
    {"bar", u'|', u'Ű'},         {"brace", u'{', u'Ő'},     {"underscore", u'_', u'Ü'},
    {"paren", u')', u'Ö'},       {"closebrace", u'}', u'Ú'}, {"plus", u'+', u'Ó'},
};

constexpr Key shortKeys[] = {
    {"apostrophe", u'\'', u'á'}, {"semicolon", u';', u'é'}, {"grave", u'`', u'í'},
    {"backslash", u'\\', u'ó'},  {"bracket", u'[', u'ö'},   {"hyphen", u'-', u'ő'},
    {"slash", u'/', u'ú'},       {"closebracket", u']', u'ü'}, {"equals", u'=', u'ű'},
};

QString typed(KeyTable table, const QString& keys, bool readOnly = false)
{
    QLineEdit field;
    field.setReadOnly(readOnly);
    KeyFilter filter(table, &field);
    filter.watch({&field});
    QTest::keyClicks(&field, keys); // one key press per character
    return field.text();
}

} // namespace

TEST(Hunkey, TranslatesEachOfItsEighteenKeys)
{
    for (const Key& k : mainKeys) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(hunkey(QChar(k.typed)), QChar(k.letter));
    }
}

TEST(Hunkey, LeavesEveryOtherCharacterAlone)
{
    for (char16_t c = 1; c < 0x250; ++c) {
        bool inTable = false;
        for (const Key& k : mainKeys)
            inTable = inTable || k.typed == c;
        if (!inTable) {
            EXPECT_EQ(hunkey(QChar(c)), QChar(c)) << int(c);
        }
    }
}

TEST(Shortkey, TranslatesItsNineKeysToSmallLetters)
{
    for (const Key& k : shortKeys) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(shortkey(QChar(k.typed)), QChar(k.letter));
    }
    for (char c : QByteArray("0\"{}|:+_~)aZ .?!"))
        if (c) {
            EXPECT_EQ(shortkey(QChar(c)), QChar(c)) << c;
        }
}

TEST(KeyFilterField, TypesEveryLetterOfTheMainTable)
{
    QString keys, letters;
    for (const Key& k : mainKeys) {
        keys += QChar(k.typed);
        letters += QChar(k.letter);
    }
    EXPECT_EQ(typed(hunkey, keys), letters);
}

TEST(KeyFilterField, TypesEveryLetterOfTheShortTable)
{
    QString keys, letters;
    for (const Key& k : shortKeys) {
        keys += QChar(k.typed);
        letters += QChar(k.letter);
    }
    EXPECT_EQ(typed(shortkey, keys), letters);
    EXPECT_EQ(typed(shortkey, "0\"{"), "0\"{");
}

TEST(KeyFilterField, CannotEnterTheTranslatedKeysThemselves)
{
    for (const Key& k : mainKeys) {
        const QString text = typed(hunkey, QString(QChar(k.typed)));
        EXPECT_FALSE(text.contains(QChar(k.typed))) << k.name;
    }
}

TEST(KeyFilterField, PassesLettersDigitsPunctuationAndEditingKeys)
{
    QLineEdit field;
    KeyFilter filter(hunkey, &field);
    filter.watch({&field});
    QTest::keyClicks(&field, "Sz'llod'ban lakom.");
    EXPECT_EQ(field.text(), QString::fromUtf8("Szállodában lakom."));
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClick(&field, Qt::Key_Left);
    QTest::keyClicks(&field, "1?! ,/");
    EXPECT_EQ(field.text(), QString::fromUtf8("Szállodában lako1?! ,/m"));
}

TEST(KeyFilterField, AShiftedKeyGivesTheCapital)
{
    QLineEdit field;
    KeyFilter filter(hunkey, &field);
    filter.watch({&field});
    QTest::keyClick(&field, Qt::Key_QuoteDbl, Qt::ShiftModifier);
    QTest::keyClick(&field, Qt::Key_BraceLeft, Qt::ShiftModifier);
    EXPECT_EQ(field.text(), QString::fromUtf8("ÁŐ"));
}

TEST(KeyFilterField, AReadOnlyFieldStaysReadOnly)
{
    EXPECT_EQ(typed(hunkey, "'a0", true), "");
}

// A click anywhere in an entry of the Char line ("ő ( [ );") means its letter.
TEST(KeyHelpLetter, EachEntryNamesItsLetterFromTheLetterToTheNext)
{
    const QString line = QStringLiteral("á  ( ' );  é ( ; );  í ( ` );  ó ( = );  ö ( 0 );  ő ( [ );  ú ( ] );  ü ( - );  ű ( \\ )");
    for (auto [at, letter] : {std::pair{line.indexOf(u'['), u'ő'}, {line.indexOf(u'ő') - 1, u'ö'},
                              {line.indexOf(u'á'), u'á'}, {line.size() + 3, u'ű'}})
        EXPECT_EQ(keyHelpLetter(at), QChar(letter)) << at;
}

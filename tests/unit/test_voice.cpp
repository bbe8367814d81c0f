// The program's Hungarian voice itself (libespeak-ng with espeak-ng-data).
#include "core/voice.h"
#include "lesson/sentences.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace lumora;

namespace {

double seconds(const std::vector<qint16>& pcm) { return double(pcm.size()) / voice::sampleRate(); }

// The share of 10 ms frames loud enough to be speech rather than silence or noise.
double voiced(const std::vector<qint16>& pcm)
{
    const std::size_t frame = std::size_t(voice::sampleRate()) / 100;
    int loud = 0, frames = 0;
    for (std::size_t at = 0; at + frame <= pcm.size(); at += frame, ++frames) {
        double energy = 0;
        for (std::size_t i = at; i < at + frame; ++i)
            energy += double(pcm[i]) * pcm[i];
        loud += std::sqrt(energy / double(frame)) > 500;
    }
    return frames ? double(loud) / frames : 0;
}

// The longest sentence exercise 3 accepts, over every picture and person.
QString longestSentence()
{
    QString longest;
    for (int item = 0; item < h05d3::itemCount; ++item) {
        std::vector<int> persons = h05d3::singular(item) ? std::vector{1, 2, 3} : std::vector{11, 22, 33};
        if (item < h05d3::basicCount)
            persons.push_back(h05d3::basicPerson(item));
        for (int code : persons)
            for (const QString& s : {h05d3::sentences(item, code).first, h05d3::sentences(item, code).second})
                if (s.size() > longest.size())
                    longest = s;
    }
    return longest;
}

} // namespace

TEST(Voice, SaysWordsAndSentencesAsSpeechWithTheirAccents)
{
    ASSERT_TRUE(voice::open()) << "espeak-ng-data with the voice hu";
    EXPECT_EQ(voice::sampleRate(), 22050);
    const QString longest = longestSentence();
    EXPECT_GE(longest.size(), 25) << longest.toStdString();
    for (const QString& text : {QStringLiteral("szobát"), QStringLiteral("Moziba mentek."), longest}) {
        SCOPED_TRACE(text.toStdString());
        const std::vector<qint16> pcm = voice::synthesise(text, false);
        EXPECT_GE(seconds(pcm), 0.3);
        EXPECT_LE(seconds(pcm), 3.0);
        EXPECT_GE(voiced(pcm), 0.4);
        // Speak slowly: the same words at a rate a learner can follow.
        EXPECT_GT(seconds(voice::synthesise(text, true)), 1.25 * seconds(pcm));
    }
    // ő and ö reach the voice: without them it says another word. The voice
    // adds a little noise, so the same word twice is never quite the same.
    const double accented = seconds(voice::synthesise(QStringLiteral("főzöl"), false));
    EXPECT_NEAR(seconds(voice::synthesise(QStringLiteral("főzöl"), false)), accented, 0.01 * accented);
    EXPECT_GT(std::abs(seconds(voice::synthesise(QStringLiteral("fozol"), false)) - accented), 0.04 * accented);
    EXPECT_TRUE(voice::synthesise(QStringLiteral(" "), false).empty());
}

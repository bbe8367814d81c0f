#pragma once
#include <QList>
#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

// What a typed word is, read by Hunspell with the Hungarian dictionary. The
// dictionary takes a noticeable time to load, so it is loaded on a thread of
// its own, with Hunspell's library itself (start-up does not map it); until
// it is there every word reads as "not analysed" and the diagnosis answers
// from the exercise tables alone. A missing library is a missing dictionary.
namespace lumora::feedback {

// One reading of a word: "olvasom" is olvas, a verb, PRES_INDIC_DEF_SG_1.
struct Reading {
    enum class Pos { Verb, Noun, Other };
    QString lemma;
    Pos pos = Pos::Other;
    QString inflection;  // the last inflection tag: "PAST_INDIC_INDEF_PL_3", "INE"; the bare word's own
    bool other = false;  // derived, compounded, possessed or plural: not a plain form of the lemma
};

class Analyser {
public:
    // Reads folder/hu_HU.aff and folder/hu_HU.dic with the Hunspell library
    // of that name once load() is called.
    explicit Analyser(QString folder, QString library = QStringLiteral("hunspell-1.7"));
    ~Analyser();
    Analyser(const Analyser&) = delete;
    Analyser& operator=(const Analyser&) = delete;

    // The program's analyser: Debian's dictionary folder, or $LUMORA_DICTIONARY_DIR.
    static Analyser& shared();

    // Starts loading on a worker thread; later calls do nothing. Never waits.
    void load();
    bool ready() const { return state.load(std::memory_order_acquire) == State::Ready; }
    // True once load() has been called.
    bool requested() const { return state.load(std::memory_order_acquire) != State::Idle; }
    // True once loading has ended, well or not.
    bool settled() const { return state.load(std::memory_order_acquire) >= State::Ready; }
    // Waits for the load that load() started, at most ms; whether it is ready.
    bool waitUntilReady(int ms) const;

    // The readings of a word; none when the word is unknown or the dictionary
    // is not ready. known is set to whether the dictionary knows the word.
    QList<Reading> analyse(const QString& word, bool* known = nullptr) const;

private:
    enum class State { Idle, Loading, Ready, Missing };
    QString folder, library;
    std::atomic<State> state{State::Idle};
    struct Hunspell;
    std::unique_ptr<Hunspell> hunspell;
    mutable std::mutex use;  // Hunspell keeps scratch state while it analyses
    std::thread loader;
};

} // namespace lumora::feedback

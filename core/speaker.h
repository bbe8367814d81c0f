#pragma once
#include <QObject>
#include <QString>

namespace lumora {

// Speech in Hungarian. Logic decides what is said and when, through this
// interface; the program's speaker synthesises and plays on a thread of its
// own, tests record what is said. Nothing here waits for the sound.
class Speaker : public QObject {
    Q_OBJECT
public:
    // Says text, cutting off whatever is being said.
    virtual void say(const QString& text) = 0;
    virtual void stop() = 0;
    // Why nothing can be heard (noSound, noVoice), or empty while speech can
    // be heard or has not been tried yet.
    virtual QString silence() const = 0;
    // Gets ready to speak without saying anything, and looks again for a
    // sound output that was missing.
    virtual void prepare() {}

signals:
    // silence() may have changed; always on the thread of the windows.
    void silenceChanged();
};

inline const QString noSound = QStringLiteral("No sound output was found.");
inline const QString noVoice = QStringLiteral("The Hungarian voice is not installed.");

// Settings of Options: what is said after a right answer and Solution, and
// the slower rate (read by the program's speaker at each utterance).
inline const QString speakAnswersKey = QStringLiteral("speakAnswers");
inline const QString speakSlowlyKey = QStringLiteral("speakSlowly");

// The speaker of the logic and the windows: the one a test has installed,
// else the program's own, which starts nothing until it is first asked to
// speak or to prepare.
Speaker& speaker();
// Not owned; nullptr goes back to the program's speaker.
void setSpeaker(Speaker* s);

} // namespace lumora

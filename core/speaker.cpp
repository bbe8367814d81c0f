#include "core/speaker.h"

#include "core/speech.h"

#include <QCoreApplication>
#include <QPointer>

namespace lumora {
namespace {

Speaker* installed = nullptr;
QPointer<Speaker> program; // made at the first utterance or preparation

// Forwards to whichever speaker is installed at the time of the call, so that
// one installed after a window was made still counts.
class Current : public Speaker {
public:
    void say(const QString& text) override { target().say(text); }
    void stop() override
    {
        if (Speaker* s = existing())
            s->stop();
    }
    QString silence() const override
    {
        const Speaker* s = existing();
        return s ? s->silence() : QString();
    }
    void prepare() override { target().prepare(); }

    void follow(Speaker* s)
    {
        disconnect(followed);
        if (s)
            followed = connect(s, &Speaker::silenceChanged, this, &Speaker::silenceChanged);
        emit silenceChanged();
    }

private:
    static Speaker* existing() { return installed ? installed : program.data(); }
    Speaker& target()
    {
        if (!installed && !program) {
            program = makeSpeech(QCoreApplication::instance());
            connect(program, &Speaker::silenceChanged, this, [this] {
                if (!installed)
                    emit silenceChanged();
            });
        }
        return *existing();
    }
    QMetaObject::Connection followed;
};

Current& current()
{
    static Current c;
    return c;
}

} // namespace

Speaker& speaker() { return current(); }

void setSpeaker(Speaker* s)
{
    installed = s;
    current().follow(s);
}

} // namespace lumora

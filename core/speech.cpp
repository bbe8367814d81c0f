#include "core/speech.h"

#include "core/speaker.h"
#include "core/voice.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QSettings>
#include <pulse/simple.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace lumora {
namespace {

// One playback stream to the sound server (PulseAudio, or PipeWire's Pulse
// server), through libpulse-simple, loaded at the first use. The stream stays
// open: opening one costs far more than the first sound may take.
class Output {
public:
    enum class Played { Whole, Cut, Broken };

    // Keeps an open stream; false when no server takes one.
    bool open(int rate)
    {
        if (stream)
            return true;
        if (!load())
            return false;
        const pa_sample_spec format{PA_SAMPLE_S16LE, uint32_t(rate), 1};
        chunk = size_t(rate) / 100; // 10 ms: a stop cuts in after at most one
        const uint32_t bytes = uint32_t(chunk * sizeof(qint16));
        // Playback starts with the first chunk; the server holds 100 ms at
        // most, enough for a busy machine to keep it fed.
        const pa_buffer_attr buffer{uint32_t(-1), 10 * bytes, bytes, bytes, uint32_t(-1)};
        int error = 0;
        stream = pa.open(nullptr, "Lumora", PA_STREAM_PLAYBACK, nullptr, "Hungarian speech", &format, nullptr,
                         &buffer, &error);
        return stream != nullptr;
    }

    // Plays the samples in chunks, asking between them whether to stop.
    Played play(const std::vector<qint16>& pcm, const std::function<bool()>& cut)
    {
        for (size_t at = 0; at < pcm.size(); at += chunk) {
            if (cut()) {
                flush();
                return Played::Cut;
            }
            const size_t n = std::min(chunk, pcm.size() - at);
            int error = 0;
            if (pa.write(stream, pcm.data() + at, n * sizeof(qint16), &error) < 0) {
                close(); // the server has gone: looked for again at the next utterance
                return Played::Broken;
            }
        }
        return Played::Whole;
    }

    // Drops what the server still has to play.
    void flush()
    {
        int error = 0;
        if (stream && pa.flush(stream, &error) < 0)
            close();
    }

    void close()
    {
        if (stream)
            pa.free(stream);
        stream = nullptr;
    }

private:
    struct Pulse {
        decltype(&pa_simple_new) open = nullptr;
        decltype(&pa_simple_write) write = nullptr;
        decltype(&pa_simple_flush) flush = nullptr;
        decltype(&pa_simple_free) free = nullptr;
    };

    bool load()
    {
        if (pa.open)
            return true;
        static QLibrary library(QStringLiteral("pulse-simple"), 0);
        if (!library.load())
            return false;
        Pulse p;
        p.open = reinterpret_cast<decltype(p.open)>(library.resolve("pa_simple_new"));
        p.write = reinterpret_cast<decltype(p.write)>(library.resolve("pa_simple_write"));
        p.flush = reinterpret_cast<decltype(p.flush)>(library.resolve("pa_simple_flush"));
        p.free = reinterpret_cast<decltype(p.free)>(library.resolve("pa_simple_free"));
        if (!p.open || !p.write || !p.flush || !p.free)
            return false;
        pa = p;
        return true;
    }

    Pulse pa;
    pa_simple* stream = nullptr;
    size_t chunk = 0;
};

// The thread that owns the voice and the stream. The windows' thread hands it
// the newest request and never waits for it: a newer request replaces an
// older one that has not begun, and cuts off one that is playing.
class Speech : public Speaker {
public:
    explicit Speech(QObject* parent)
    {
        setParent(parent);
        if (parent)
            connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &Speech::end);
    }
    ~Speech() override { end(); }

    void say(const QString& text) override
    {
        ask({text, QSettings().value(speakSlowlyKey, false).toBool(), false});
    }
    void stop() override { ask({{}, false, true}); }

    QString silence() const override
    {
        std::lock_guard lock(mutex);
        return why;
    }

    void prepare() override
    {
        std::lock_guard lock(mutex);
        lookAgain = true;
        begin();
        wake.notify_one();
    }

private:
    struct Request {
        QString text;
        bool slowly = false;
        bool stop = false;
    };

    void ask(const Request& request)
    {
        std::lock_guard lock(mutex);
        if (request.stop && !worker.joinable())
            return; // nothing has been said
        pending = request;
        ++asked;
        begin();
        wake.notify_one();
    }

    // Under the lock.
    void begin()
    {
        if (!worker.joinable() && !ending)
            worker = std::thread([this] { run(); });
    }

    // Stops the sound at once. A worker stuck in a sound server that does not
    // answer is left behind rather than holding up the end of the program.
    void end()
    {
        std::unique_lock lock(mutex);
        if (ending)
            return;
        ending = true;
        ++asked;
        wake.notify_one();
        if (!worker.joinable())
            return;
        if (wake.wait_for(lock, std::chrono::milliseconds(300), [this] { return finished; })) {
            lock.unlock();
            worker.join();
        } else {
            worker.detach();
            setParent(nullptr); // it still uses this object: kept until the process ends
        }
    }

    void run()
    {
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return ending || asked != handled || lookAgain; });
            if (ending)
                break;
            const bool fresh = asked != handled;
            handled = asked;
            const Request request = pending;
            lookAgain = false;
            lock.unlock();
            if (!fresh)
                ready();
            else if (request.stop)
                output.flush();
            else
                speak(request, handled);
            lock.lock();
        }
        lock.unlock();
        output.close();
        lock.lock();
        finished = true;
        wake.notify_all();
    }

    // The voice and a stream, or why not.
    bool ready()
    {
        if (!voice::open()) {
            tell(noVoice);
            return false;
        }
        output.flush(); // the end of the utterance before; drops a stream whose server has gone
        if (!output.open(voice::sampleRate())) {
            tell(noSound);
            return false;
        }
        tell({});
        return true;
    }

    void speak(const Request& request, int generation)
    {
        if (!ready())
            return;
        const std::vector<qint16> pcm = voice::synthesise(request.text, request.slowly);
        const Output::Played played =
            output.play(pcm, [this, generation] { return asked.load() != generation; });
        if (played == Output::Played::Broken)
            tell(noSound);
    }

    void tell(const QString& silence)
    {
        std::lock_guard lock(mutex);
        if (why == silence)
            return;
        why = silence;
        QMetaObject::invokeMethod(this, [this] { emit silenceChanged(); }, Qt::QueuedConnection);
    }

    mutable std::mutex mutex;
    std::condition_variable wake;
    std::thread worker;
    Request pending;
    std::atomic<int> asked = 0; // requests made; the worker drops its sound when this moves on
    int handled = 0;
    bool lookAgain = false;
    bool ending = false;
    bool finished = false;
    QString why;
    Output output; // the worker's alone
};

} // namespace

Speaker* makeSpeech(QObject* parent) { return new Speech(parent); }

} // namespace lumora

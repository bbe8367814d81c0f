// Writes what the program's voice makes of a text: the sample rate on the
// first line, then the samples (16 bit, mono, little-endian).
//   speech_pcm [--slowly] TEXT > file
#include "core/voice.h"

#include <QString>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    const bool slowly = argc > 2 && std::strcmp(argv[1], "--slowly") == 0;
    if (argc < 2 + slowly) {
        std::fprintf(stderr, "usage: %s [--slowly] TEXT\n", argv[0]);
        return 2;
    }
    if (!lumora::voice::open()) {
        std::fprintf(stderr, "the Hungarian voice is not installed\n");
        return 1;
    }
    const std::vector<qint16> pcm = lumora::voice::synthesise(QString::fromUtf8(argv[1 + slowly]), slowly);
    std::printf("%d\n", lumora::voice::sampleRate());
    std::fwrite(pcm.data(), sizeof(qint16), pcm.size(), stdout);
    return 0;
}

// Writes answers to a record as fast as it can and prints the number of each
// one once the record has confirmed it, until it is killed. The kill test
// (tests/unit/test_record_kill.cpp) runs it.
//   record_writer RECORD PREFIX
#include "record/store.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

// Nothing to show on a console; a warning would fail the test anyway.
struct Console : lumora::Prompter {
    void beep() override {}
    void message(const QString& text, const QString&, lumora::Icon, const QString&) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    Console console;
    lumora::record::Store store(QString::fromLocal8Bit(argv[1]), console);
    if (!store.writable())
        return 1;
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    for (int i = 0;; ++i) {
        if (i % 46 == 0)
            store.runStarted(1, lumora::record::Variant::Basic);
        store.answered({1, lumora::record::Variant::Basic, i % 64, 1, prefix + QString::number(i), i % 3 != 0, {}, {}});
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
}

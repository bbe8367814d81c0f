#include "record/run.h"

namespace lumora::record {

void Run::start(int ex, Variant v, int count)
{
    end(false);
    exercise = ex;
    variant = v;
    total = count;
    right = 0;
    mistakes = 0;
    open = true;
    shown = true;
    recorder.runStarted(exercise, variant);
}

void Run::answered(int item, int person, const Words& words, const std::optional<QString>& typed, bool correct,
                   const QString& mistake)
{
    if (!open)
        return;
    if (correct)
        ++right;
    else
        ++mistakes;
    recorder.answered({exercise, variant, item, person, typed, correct, mistake, words});
}

void Run::end(bool finished)
{
    if (!open)
        return;
    open = false;
    recorder.runEnded(finished);
}

void Run::reset()
{
    end(false);
    shown = false;
}

QString Run::progress() const
{
    if (!shown)
        return {};
    const QString mistakeText =
        mistakes == 1 ? QStringLiteral("1 mistake") : QStringLiteral("%1 mistakes").arg(mistakes);
    const QString rightText = total > 0 ? QStringLiteral("%1 of %2 right").arg(right).arg(total)
                                        : QStringLiteral("%1 right").arg(right);
    return rightText + QStringLiteral(" · ") + mistakeText;
}

} // namespace lumora::record

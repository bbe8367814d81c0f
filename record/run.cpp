#include "record/run.h"

#include <QStringList>
#include <algorithm>

namespace lumora::record {
namespace {

// "1 mistake", "7 mistakes", "no items".
QString count(int n, const QString& one, const QString& many)
{
    return n == 0 ? QStringLiteral("no ") + many : QStringLiteral("%1 %2").arg(n).arg(n == 1 ? one : many);
}

} // namespace

void Run::start(int ex, Variant v, int count)
{
    end(false);
    exercise = ex;
    variant = v;
    total = count;
    right = 0;
    mistakes = 0;
    asked.clear();
    firstRight = 0;
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
    // Named as the review boxes name it, so that a review run's items compare with theirs.
    const ReviewItem named = firstTry(exercise, variantName(variant), item, person, correct).item;
    if (asked.insert(named).second && correct)
        ++firstRight;
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
    const QString line = rightText + QStringLiteral(" · ") + mistakeText;
    return variant == Variant::Review ? QStringLiteral("Review: ") + line : line;
}

QString Run::summary(const std::vector<ReviewItem>& waiting) const
{
    QStringList parts{QStringLiteral("%1 of %2 right at the first try").arg(firstRight).arg(asked.size()),
                      count(mistakes, QStringLiteral("mistake"), QStringLiteral("mistakes"))};
    if (variant == Variant::Review) {
        const auto left = std::count_if(asked.begin(), asked.end(), [&waiting](const ReviewItem& i) {
            return std::find(waiting.begin(), waiting.end(), i) == waiting.end();
        });
        parts << count(int(left), QStringLiteral("item"), QStringLiteral("items")) + QStringLiteral(" left the review");
    }
    const int n = int(waiting.size());
    parts << count(n, QStringLiteral("item"), QStringLiteral("items"))
                 + (n == 1 ? QStringLiteral(" waits for review") : QStringLiteral(" wait for review"));
    return parts.join(QStringLiteral(" · "));
}

} // namespace lumora::record

#pragma once
#include <QString>

// What the learner reads, written out once for every test rather than taken
// from the program.
namespace lumora::test::texts {

inline const QString title = QStringLiteral("  Lumora!  ---  5. lecke");
inline const QString wrong = QStringLiteral("Sorry, it's wrong. Try again. Pay attention to the spelling too.");
inline const QString capital = QStringLiteral("Attention to capital letters!");
inline const QString stop = QStringLiteral("Don't forget to use a full stop at the end of the sentence.");
inline const QString done = QStringLiteral("This exercise has been accomplished. If you want to restart it, "
                                           "click on the \"Restart\" button.");
inline const QString solution = QStringLiteral("The correct solution is:");
// Under the wrong-answer box of a field left as the item set it up.
inline const QString noTry =
    QStringLiteral("There is no word of yours in the field yet, so this does not count as a try.");

} // namespace lumora::test::texts

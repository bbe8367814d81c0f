#pragma once
#include "core/prompter.h"
#include "record/store.h"
#include "record/watch.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QPushButton;
class QTabWidget;

namespace lumora {

// "My progress": for each exercise its finished runs, their first-try
// accuracy as a chart and as a table, the practice time, the items missed
// most often and the most frequent kinds of mistake; and the export for a
// teacher. It reads the record again whenever `written` says that an answer
// or a run went in, so it keeps up while it is open.
class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    ProgressWindow(const record::Store& answers, const record::Watch& written);

    // Brings the tab of that exercise (1, 2, 3 or 5) to the front; any
    // other number leaves the tabs as they are.
    void showExercise(int exercise);

private:
    void reread();
    // A tab's page is filled when it is shown.
    void fill(QWidget* page, int exercise);
    void exportCsv();

    const record::Store& answers;
    record::History history;
    QLabel* welcome;
    QLabel* unreadable; // rows left out, when there are any
    QTabWidget* tabs;
    QPushButton* exportButton;
    QTimer pending; // writes close together are read once
    WindowPrompter boxes{this};
};

} // namespace lumora

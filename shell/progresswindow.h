#pragma once
#include "core/prompter.h"
#include "record/store.h"

#include <QWidget>

namespace lumora {

// "My progress": for each exercise its finished runs, their first-try
// accuracy as a chart and as a table, the practice time, the items missed
// most often and the most frequent kinds of mistake; and the export for a
// teacher.
class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    explicit ProgressWindow(const record::Store& answers);

private:
    // A tab's page is filled when it is first shown.
    void fill(QWidget* page, int exercise);
    void exportCsv();

    const record::Store& answers;
    const record::History history;
    WindowPrompter boxes{this};
};

} // namespace lumora

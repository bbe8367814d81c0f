#pragma once
#include <QWidget>

class QVBoxLayout;

namespace lumora::record {

class Store;
struct History;

// "My progress": for each exercise its finished runs, their first-try
// accuracy as a chart and as a table, the practice time, the items missed
// most often and the most frequent kinds of mistake; and the export for a
// teacher.
class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    explicit ProgressWindow(const Store& store);

private:
    QWidget* exercisePage(const History& history, int exercise);
    void exportCsv();

    const Store& store;
};

} // namespace lumora::record

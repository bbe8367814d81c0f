#include "record/progresswindow.h"

#include "core/module1.h"
#include "core/platform.h"
#include "core/prompter.h"
#include "feedback/diagnosis.h"
#include "record/rightform.h"
#include "record/store.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace lumora::record {
namespace {

constexpr int exercises[] = {1, 2, 3, 5};
constexpr int missedShown = 10;

QString percent(int part, int whole) { return whole > 0 ? QStringLiteral("%1%").arg(100 * part / whole) : QString(); }

QString duration(qint64 seconds)
{
    const qint64 minutes = (seconds + 30) / 60;
    if (minutes < 60)
        return QStringLiteral("%1 min").arg(minutes);
    return QStringLiteral("%1 h %2 min").arg(minutes / 60).arg(minutes % 60);
}

// A read-only table with a header row, read cell by cell by a screen reader.
QTableWidget* table(const QString& name, const QStringList& headers, const std::vector<QStringList>& rows)
{
    auto* t = new QTableWidget(int(rows.size()), int(headers.size()));
    t->setAccessibleName(name);
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Stretched, not fitted to the contents: fitting measures every row.
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < int(headers.size()); ++c)
            t->setItem(r, c, new QTableWidgetItem(rows[r].value(c)));
    return t;
}

// First-try accuracy of the finished runs, oldest on the left; the table
// beside it holds the same figures for those who cannot see it.
class AccuracyChart : public QWidget {
public:
    // shares from 0 to 1, oldest first; the dates of the first and the latest run.
    AccuracyChart(std::vector<double> shares, QString from, QString to)
        : shares(std::move(shares)), from(std::move(from)), to(std::move(to))
    {
        setMinimumSize(360, 120);
        setAccessibleName(QStringLiteral("First-try accuracy chart"));
        setAccessibleDescription(QStringLiteral("The same figures are in the table of finished runs."));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF plot = QRectF(rect()).adjusted(40, 8, -8, -16);
        p.fillRect(rect(), palette().base());
        p.setPen(palette().color(QPalette::Mid));
        for (int pct : {0, 50, 100}) {
            const double y = plot.bottom() - plot.height() * pct / 100.0;
            p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
            p.drawText(QRectF(0, y - 8, 36, 16), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1%").arg(pct));
        }
        if (shares.empty())
            return;
        const double step = shares.size() > 1 ? plot.width() / double(shares.size() - 1) : 0;
        QPolygonF line;
        for (std::size_t i = 0; i < shares.size(); ++i)
            line << QPointF(plot.left() + step * double(i), plot.bottom() - plot.height() * shares[i]);
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.drawPolyline(line);
        if (shares.size() <= 60) // dots only while they stay apart
            for (const QPointF& pt : line)
                p.drawEllipse(pt, 3, 3);
        p.setPen(palette().color(QPalette::Text));
        p.drawText(QRectF(plot.left(), plot.bottom() + 2, plot.width(), 14), Qt::AlignLeft, from);
        p.drawText(QRectF(plot.left(), plot.bottom() + 2, plot.width(), 14), Qt::AlignRight,
                   to);
    }

private:
    std::vector<double> shares;
    QString from, to;
};

} // namespace

ProgressWindow::ProgressWindow(const Store& store) : store(store), history(store.history())
{
    setObjectName(QStringLiteral("progress"));
    setWindowTitle(QStringLiteral("My progress"));
    auto* layout = new QVBoxLayout(this);

    if (history.empty()) {
        auto* welcome = new QLabel(QStringLiteral(
            "Nothing here yet. Finish a run of any exercise, and this window shows how you are getting on: "
            "your runs, your first-try accuracy, the time you practised and the items to look at again."));
        welcome->setObjectName(QStringLiteral("empty"));
        welcome->setWordWrap(true);
        welcome->setMinimumWidth(420);
        layout->addWidget(welcome);
    } else {
        auto* tabs = new QTabWidget;
        for (int exercise : exercises) {
            auto* page = new QWidget;
            page->setObjectName(QStringLiteral("exercise%1").arg(exercise));
            tabs->addTab(page, QStringLiteral("Exercise %1").arg(exercise));
        }
        auto show = [this, tabs](int index) {
            if (!tabs->widget(index)->layout())
                fill(tabs->widget(index), exercises[index]);
        };
        connect(tabs, &QTabWidget::currentChanged, this, show);
        show(0);
        layout->addWidget(tabs);
    }

    if (history.unreadable > 0) {
        auto* unreadable = new QLabel(history.unreadable == 1
                                          ? QStringLiteral("1 row of the record could not be read.")
                                          : QStringLiteral("%1 rows of the record could not be read.")
                                                .arg(history.unreadable));
        unreadable->setObjectName(QStringLiteral("unreadable"));
        layout->addWidget(unreadable);
    }

    auto* buttons = new QHBoxLayout;
    auto* exportButton = new QPushButton(QStringLiteral("&Export for a teacher..."));
    exportButton->setObjectName(QStringLiteral("export"));
    exportButton->setEnabled(!history.empty());
    connect(exportButton, &QPushButton::clicked, this, &ProgressWindow::exportCsv);
    auto* close = new QPushButton(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(exportButton);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);

    if (history.empty())
        adjustSize();
    else
        resize(820, 560);
    Module1::center(*this);
    // The menu and the exercise windows stay on top; so must this one, to be seen.
    setOnTop(*this, true);
}

void ProgressWindow::fill(QWidget* page, int exercise)
{
    auto* layout = new QVBoxLayout(page);

    std::vector<double> shares;
    std::vector<QStringList> runRows;
    for (const History::FinishedRun& r : history.finished) {
        if (r.exercise != exercise)
            continue;
        shares.push_back(r.correct > 0 ? double(r.firstTry) / r.correct : 0.0);
        runRows.push_back({r.ended.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                           QStringLiteral("%1 of %2").arg(r.firstTry).arg(r.correct), percent(r.firstTry, r.correct)});
    }
    std::reverse(runRows.begin(), runRows.end()); // the latest run first in the table

    auto* summary = new QLabel(QStringLiteral("Finished runs: %1 · Practice time: %2")
                                   .arg(runRows.size())
                                   .arg(duration(history.practiceSeconds[exercise])));
    summary->setObjectName(QStringLiteral("summary"));
    layout->addWidget(summary);

    auto* charts = new QHBoxLayout;
    // runRows is latest first; its first column is the date and time.
    const QString from = runRows.empty() ? QString() : runRows.back().value(0).left(10);
    const QString to = runRows.empty() ? QString() : runRows.front().value(0).left(10);
    charts->addWidget(new AccuracyChart(std::move(shares), from, to), 2);
    charts->addWidget(table(QStringLiteral("Finished runs"),
                            {QStringLiteral("Finished"), QStringLiteral("First try"), QStringLiteral("Accuracy")},
                            runRows),
                      3);
    layout->addLayout(charts);

    std::vector<QStringList> missedRows;
    for (const History::Missed& m : history.missed)
        if (m.exercise == exercise && int(missedRows.size()) < missedShown) {
            const QString form = rightForm(m.exercise, m.variant, m.item, m.person);
            missedRows.push_back({itemName(m.exercise, m.variant, m.item, m.person),
                                  form.isEmpty() ? QStringLiteral("(left empty)") : form, QString::number(m.misses)});
        }
    std::vector<QStringList> kindRows;
    for (const History::MistakeKind& k : history.kinds)
        if (k.exercise == exercise)
            kindRows.push_back({feedback::kindLabel(k.kind), QString::number(k.count)});

    auto* lists = new QHBoxLayout;
    auto* missed = new QVBoxLayout;
    missed->addWidget(new QLabel(QStringLiteral("Missed most often")));
    missed->addWidget(table(QStringLiteral("Missed most often"),
                            {QStringLiteral("Item"), QStringLiteral("Right form"), QStringLiteral("Missed")},
                            missedRows));
    auto* kinds = new QVBoxLayout;
    kinds->addWidget(new QLabel(QStringLiteral("Kinds of mistake")));
    kinds->addWidget(table(QStringLiteral("Kinds of mistake"), {QStringLiteral("Kind"), QStringLiteral("Times")},
                           kindRows));
    lists->addLayout(missed, 3);
    lists->addLayout(kinds, 2);
    layout->addLayout(lists);
}

void ProgressWindow::exportCsv()
{
    // Not modal to the whole program, and not waiting: the exercises go on.
    auto* dialog = new QFileDialog(this, QStringLiteral("Export my answers"),
                                   QDir::home().filePath(QStringLiteral("lumora-answers.csv")),
                                   QStringLiteral("CSV files (*.csv)"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& file) {
        const QString where = QDir::toNativeSeparators(file);
        if (const QString why = store.exportCsv(file); why.isEmpty())
            boxes.message(QStringLiteral("Your answers are in\n%1").arg(where), windowTitle(), Icon::Information);
        else
            boxes.message(QStringLiteral("Lumora could not write\n%1").arg(where), windowTitle(),
                          Icon::Exclamation, why);
    });
    dialog->open();
}

} // namespace lumora::record

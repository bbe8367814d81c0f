#include "shell/progresswindow.h"

#include "core/module1.h"
#include "core/platform.h"
#include "core/prompter.h"
#include "feedback/diagnosis.h"
#include "lesson/text.h"
#include "record/store.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimeZone>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <numeric>

namespace lumora {

using record::History;
using record::Watch;
namespace {

constexpr int exercises[] = {1, 2, 3, 5};
constexpr int missedShown = 10;
// The window's size once there is something to show, where the screen has room.
constexpr QSize fullSize(820, 560);

// To the nearest whole per cent: 34 of 46 is 74%.
QString percent(int part, int whole)
{
    return whole > 0 ? QStringLiteral("%1%").arg((200 * part + whole) / (2 * whole)) : QString();
}

// Practice is shown to the nearest minute.
qint64 minutes(qint64 seconds) { return (seconds + 30) / 60; }

QString duration(qint64 seconds)
{
    const qint64 m = minutes(seconds);
    if (m < 60)
        return QStringLiteral("%1 min").arg(m);
    return QStringLiteral("%1 h %2 min").arg(m / 60).arg(m % 60);
}

// No run, no miss, no mistake, and practice that shows as "0 min" (a run
// just begun): the window greets instead of showing empty tables.
bool nothingToShow(const History& h)
{
    return h.finished.empty() && h.missed.empty() && h.kinds.empty()
           && std::all_of(h.practiceSeconds.begin(), h.practiceSeconds.end(),
                          [](qint64 s) { return minutes(s) == 0; });
}

// A read-only table with a header row, read cell by cell by a screen reader.
template <class Table>
Table* readOnly(Table* t, const QString& name)
{
    t->setAccessibleName(name);
    t->verticalHeader()->hide();
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Stretched, not fitted to the contents: fitting measures every row.
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // A text too long for its cell ends in "…", and its tooltip holds all of it.
    t->setWordWrap(false);
    t->setTextElideMode(Qt::ElideRight);
    return t;
}

QTableWidget* table(const QString& name, const QStringList& headers, const std::vector<QStringList>& rows)
{
    auto* t = readOnly(new QTableWidget(int(rows.size()), int(headers.size())), name);
    t->setHorizontalHeaderLabels(headers);
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < int(headers.size()); ++c) {
            auto* cell = new QTableWidgetItem(rows[r].value(c));
            cell->setToolTip(cell->text());
            t->setItem(r, c, cell);
        }
    return t;
}

// The finished runs of one exercise, the latest first. A row is made only
// when it is shown: thousands of runs cost nothing until scrolled to.
class FinishedRuns : public QAbstractTableModel {
public:
    FinishedRuns(std::vector<History::FinishedRun> runs, QObject* parent) // oldest first
        : QAbstractTableModel(parent), runs(std::move(runs))
    {
    }
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : int(runs.size()); }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 4; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return {};
        const History::FinishedRun& r = runs[runs.size() - 1 - std::size_t(index.row())];
        switch (index.column()) {
        case 0: return day(r, QStringLiteral("yyyy-MM-dd HH:mm"));
        case 1: return record::variantName(r.variant);
        case 2: return QStringLiteral("%1 of %2").arg(r.firstTry).arg(r.correct);
        default: return percent(r.firstTry, r.correct);
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        return QStringList{QStringLiteral("Finished"), QStringLiteral("Variant"), QStringLiteral("First try"),
                           QStringLiteral("Accuracy")}
            .value(section);
    }
    // The local date of the first and of the latest run.
    QString first() const { return runs.empty() ? QString() : day(runs.front(), QStringLiteral("yyyy-MM-dd")); }
    QString latest() const { return runs.empty() ? QString() : day(runs.back(), QStringLiteral("yyyy-MM-dd")); }

private:
    QString day(const History::FinishedRun& r, const QString& format) const
    {
        return r.ended.toTimeZone(here).toString(format);
    }
    std::vector<History::FinishedRun> runs;
    const QTimeZone here = QTimeZone::systemTimeZone(); // once: the C library's local time is slow
};

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
        // The dates go below the plot, clear of a point at 0%.
        const double dateHeight = fontMetrics().height();
        const QRectF plot = QRectF(rect()).adjusted(40, 8, -8, -(dateHeight + 8));
        p.fillRect(rect(), palette().base());
        p.setPen(palette().color(QPalette::Mid));
        for (int pct : {0, 50, 100}) {
            const double y = plot.bottom() - plot.height() * pct / 100.0;
            p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
            p.drawText(QRectF(0, y - 8, 36, 16), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1%").arg(pct));
        }
        if (shares.empty())
            return;
        // More runs than pixels: each pixel shows the mean of its runs, so
        // that thousands of runs paint as fast as a few.
        const std::size_t points = std::min<std::size_t>(shares.size(), std::max(2, int(plot.width())));
        const double step = points > 1 ? plot.width() / double(points - 1) : 0;
        QPolygonF line;
        for (std::size_t p = 0, first = 0; p < points; ++p) {
            const std::size_t end = (p + 1) * shares.size() / points;
            const double mean = std::accumulate(shares.begin() + first, shares.begin() + end, 0.0) / double(end - first);
            line << QPointF(plot.left() + step * double(p), plot.bottom() - plot.height() * mean);
            first = end;
        }
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.drawPolyline(line);
        if (shares.size() <= 60) // dots only while they stay apart
            for (const QPointF& pt : line)
                p.drawEllipse(pt, 3, 3);
        p.setPen(palette().color(QPalette::Text));
        const QRectF dates(plot.left(), height() - dateHeight, plot.width(), dateHeight);
        p.drawText(dates, Qt::AlignLeft, from);
        p.drawText(dates, Qt::AlignRight, to);
    }

private:
    std::vector<double> shares;
    QString from, to;
};

} // namespace

ProgressWindow::ProgressWindow(const record::Store& answers, const Watch& written) : answers(answers)
{
    setObjectName(QStringLiteral("progress"));
    setWindowTitle(QStringLiteral("My progress"));
    // What is shown scrolls, where the screen is too small for it; the
    // buttons stay in sight below it.
    auto* outer = new QVBoxLayout(this);
    auto* shown = new QScrollArea;
    shown->setFrameShape(QFrame::NoFrame);
    shown->setWidgetResizable(true);
    shown->setWidget(new QWidget);
    outer->addWidget(shown);
    auto* layout = new QVBoxLayout(shown->widget());
    layout->setContentsMargins(0, 0, 0, 0);

    welcome = new QLabel(QStringLiteral(
        "Nothing here yet. Finish a run of any exercise, and this window shows how you are getting on: "
        "your runs, your first-try accuracy, the time you practised and the items to look at again."));
    welcome->setObjectName(QStringLiteral("empty"));
    welcome->setWordWrap(true);
    welcome->setMinimumWidth(420);
    layout->addWidget(welcome);

    tabs = new QTabWidget;
    for (int exercise : exercises) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("exercise%1").arg(exercise));
        tabs->addTab(page, QStringLiteral("Exercise %1").arg(exercise));
    }
    connect(tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (!tabs->widget(index)->layout())
            fill(tabs->widget(index), exercises[index]);
    });
    layout->addWidget(tabs);

    unreadable = new QLabel;
    unreadable->setObjectName(QStringLiteral("unreadable"));
    layout->addWidget(unreadable);

    auto* buttons = new QHBoxLayout;
    exportButton = new QPushButton(QStringLiteral("&Export for a teacher..."));
    exportButton->setObjectName(QStringLiteral("export"));
    connect(exportButton, &QPushButton::clicked, this, &ProgressWindow::exportCsv);
    auto* close = new QPushButton(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(exportButton);
    buttons->addStretch();
    buttons->addWidget(close);
    outer->addLayout(buttons);

    auto* escape = new QAction(this);
    escape->setShortcut(Qt::Key_Escape);
    connect(escape, &QAction::triggered, this, &QWidget::close);
    addAction(escape);

    // Read a little later, so that the box or the next item an answer brings
    // is painted first; a long record takes tens of milliseconds to read.
    pending.setSingleShot(true);
    pending.setInterval(100);
    connect(&written, &Watch::written, &pending, qOverload<>(&QTimer::start));
    connect(&pending, &QTimer::timeout, this, &ProgressWindow::reread);

    reread();
    Module1::fitOnScreen(*this, nothingToShow(history) ? sizeHint() : fullSize);
    // The menu and the exercise windows stay on top; so must this one, to be seen.
    setOnTop(*this, true);
}

void ProgressWindow::showExercise(int exercise)
{
    const int* at = std::find(std::begin(exercises), std::end(exercises), exercise);
    if (at != std::end(exercises))
        tabs->setCurrentIndex(int(at - std::begin(exercises)));
}

void ProgressWindow::reread()
{
    const bool wasEmpty = nothingToShow(history);
    history = answers.history();
    for (int i = 0; i < tabs->count(); ++i) {
        QWidget* page = tabs->widget(i);
        delete page->layout();
        qDeleteAll(page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    }
    unreadable->setText(history.unreadable == 1 ? QStringLiteral("1 row of the record could not be read.")
                                                : QStringLiteral("%1 rows of the record could not be read.")
                                                      .arg(history.unreadable));
    unreadable->setVisible(history.unreadable > 0);
    const bool empty = nothingToShow(history);
    welcome->setVisible(empty);
    tabs->setVisible(!empty);
    exportButton->setEnabled(!empty);
    if (!empty)
        fill(tabs->currentWidget(), exercises[tabs->currentIndex()]);
    if (wasEmpty && !empty && isVisible()) { // the first answer came while the window was open
        Module1::fitOnScreen(*this, fullSize);
    }
}

void ProgressWindow::fill(QWidget* page, int exercise)
{
    auto* layout = new QVBoxLayout(page);

    std::vector<double> shares;
    std::vector<History::FinishedRun> runs;
    for (const History::FinishedRun& r : history.finished) {
        if (r.exercise != exercise)
            continue;
        shares.push_back(r.correct > 0 ? double(r.firstTry) / r.correct : 0.0);
        runs.push_back(r);
    }

    auto* summary = new QLabel(QStringLiteral("Finished runs: %1 · Practice time: %2")
                                   .arg(runs.size())
                                   .arg(duration(history.practiceSeconds[exercise])));
    summary->setObjectName(QStringLiteral("summary"));
    layout->addWidget(summary);

    auto* charts = new QHBoxLayout;
    auto* finished = readOnly(new QTableView, QStringLiteral("Finished runs"));
    auto* model = new FinishedRuns(std::move(runs), finished);
    finished->setModel(model);
    charts->addWidget(new AccuracyChart(std::move(shares), model->first(), model->latest()), 2);
    charts->addWidget(finished, 3);
    layout->addLayout(charts);

    std::vector<QStringList> missedRows;
    for (const History::Missed& m : history.missed)
        if (m.exercise == exercise && int(missedRows.size()) < missedShown) {
            const record::Words& w = m.words;
            // A gap of exercise 5 expects an ending: shown as the whole word it makes.
            const QString right = exercise == 5 && record::known(m.item)
                                      ? h05d5::wholeWord(m.item.item, m.item.person)
                                      : w.expected;
            // A sentence missed by ear is another item than the same one read off the picture.
            const QString prompt = exercise == 3 && m.item.extended ? QStringLiteral("listen: ") + w.prompt : w.prompt;
            missedRows.push_back({prompt, w.person, right.isEmpty() ? QStringLiteral("(left empty)") : right,
                                  QString::number(m.misses)});
        }
    std::vector<QStringList> kindRows;
    for (const History::MistakeKind& k : history.kinds)
        if (k.exercise == exercise)
            kindRows.push_back({feedback::kindLabel(k.kind), QString::number(k.count)});

    auto* lists = new QHBoxLayout;
    auto* missed = new QVBoxLayout;
    missed->addWidget(new QLabel(QStringLiteral("Missed most often")));
    QTableWidget* missedTable =
        table(QStringLiteral("Missed most often"),
              {QStringLiteral("Item"), QStringLiteral("Person"), QStringLiteral("Right form"), QStringLiteral("Missed")},
              missedRows);
    // A picture's description is long: the person and the count take what
    // they need, and the rest is shared by the texts.
    for (int c : {1, 3})
        missedTable->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    missed->addWidget(missedTable);
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
        if (const QString why = answers.exportCsv(file); why.isEmpty())
            boxes.message(QStringLiteral("Your answers are in\n%1").arg(where), windowTitle(), Icon::Information);
        else
            boxes.message(QStringLiteral("Lumora could not write\n%1").arg(where), windowTitle(),
                          Icon::Exclamation, why);
    });
    dialog->open();
}

} // namespace lumora

#include "shell/wordswindow.h"

#include "core/keyfilter.h"
#include "core/module1.h"
#include "core/platform.h"
#include "lesson/meanings.h"

#include <QAction>
#include <QCollator>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace lumora {
namespace {

constexpr int exercises[] = {1, 2, 3, 5};

// A word with the exercises it is in.
struct Row {
    const meanings::Meaning* meaning;
    QStringList exercises;
};

// The columns, left to right: a new one (such as a button to hear the word)
// is one more line here. Each is sorted in the order of its language.
struct Column {
    const char* header;
    QString (*text)(const Row&);
    QLocale::Language language;
};

const Column columns[] = {
    {"Hungarian", [](const Row& r) { return r.meaning->word.toString(); }, QLocale::Hungarian},
    {"English", [](const Row& r) { return r.meaning->english.toString(); }, QLocale::English},
    {"Kind", [](const Row& r) { return meanings::kindName(r.meaning->kind); }, QLocale::English},
    {"Exercises", [](const Row& r) { return r.exercises.join(QStringLiteral(", ")); }, QLocale::English},
};
constexpr int columnCount = int(std::size(columns));

std::vector<Row> lessonRows()
{
    std::vector<Row> rows;
    for (int e : exercises)
        for (const QString& word : meanings::wordsShown(e)) {
            const meanings::Meaning* m = meanings::find(meanings::dictionaryForm(word));
            if (!m)
                continue;
            auto row = std::find_if(rows.begin(), rows.end(), [m](const Row& r) { return r.meaning == m; });
            if (row == rows.end())
                row = rows.insert(rows.end(), Row{m, {}});
            if (!row->exercises.contains(QString::number(e))) // "a" and "A" are one word
                row->exercises << QString::number(e);
        }
    return rows;
}

// Without accents and case: "setal" finds sétál.
QString folded(const QString& text)
{
    QString plain;
    for (QChar c : text.normalized(QString::NormalizationForm_D))
        if (!c.isMark())
            plain += c;
    return plain.toCaseFolded();
}

class Words : public QAbstractTableModel {
public:
    explicit Words(QObject* parent) : QAbstractTableModel(parent), rows(lessonRows()) {}
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : int(rows.size()); }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : lumora::columnCount; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return {};
        return columns[index.column()].text(rows[std::size_t(index.row())]);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        return QLatin1String(columns[section].header);
    }
    const Row& row(int r) const { return rows[std::size_t(r)]; }

private:
    std::vector<Row> rows;
};

} // namespace

// The rows of one exercise (or all) that hold the searched text in their
// Hungarian or English, sorted in each column's language.
class WordsFilter : public QSortFilterProxyModel {
public:
    explicit WordsFilter(Words* words) : QSortFilterProxyModel(words), words(words)
    {
        setSourceModel(words);
        for (const Column& c : columns) {
            collators.emplace_back(QLocale(c.language));
            collators.back().setCaseSensitivity(Qt::CaseInsensitive);
        }
    }
    void narrow(int exercise, const QString& text)
    {
        shownExercise = exercise;
        searched = folded(text.trimmed());
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex&) const override
    {
        const Row& r = words->row(sourceRow);
        if (shownExercise && !r.exercises.contains(QString::number(shownExercise)))
            return false;
        return folded(r.meaning->word.toString()).contains(searched)
               || folded(r.meaning->english.toString()).contains(searched);
    }
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override
    {
        return collators[std::size_t(left.column())].compare(left.data().toString(), right.data().toString()) < 0;
    }

private:
    Words* words;
    std::vector<QCollator> collators;
    int shownExercise = 0;
    QString searched;
};

WordsWindow::WordsWindow()
{
    setObjectName(QStringLiteral("words"));
    setWindowTitle(QStringLiteral("Words of the lesson"));
    auto* layout = new QVBoxLayout(this);

    auto* choices = new QGridLayout;
    auto* findLabel = new QLabel(QStringLiteral("&Find:"));
    search = new QLineEdit;
    search->setObjectName(QStringLiteral("find"));
    search->setPlaceholderText(QStringLiteral("part of a Hungarian or English word"));
    search->setToolTip(QStringLiteral("Accents may be left out: setal finds sétál. The keys of the Char line type "
                                      "the accented letters."));
    (new KeyFilter(hunkey, search))->watch({search});
    findLabel->setBuddy(search);

    auto* exerciseLabel = new QLabel(QStringLiteral("&Exercise:"));
    exercise = new QComboBox;
    exercise->setObjectName(QStringLiteral("exercise"));
    exercise->addItem(QStringLiteral("All exercises"), 0);
    for (int e : exercises)
        exercise->addItem(QStringLiteral("Exercise %1").arg(e), e);
    exerciseLabel->setBuddy(exercise);

    auto* sortLabel = new QLabel(QStringLiteral("&Sort by:"));
    sortBy = new QComboBox;
    sortBy->setObjectName(QStringLiteral("sortBy"));
    for (const Column& c : columns)
        sortBy->addItem(QLatin1String(c.header));
    sortLabel->setBuddy(sortBy);

    choices->addWidget(findLabel, 0, 0);
    choices->addWidget(search, 0, 1, 1, 3);
    choices->addWidget(exerciseLabel, 1, 0);
    choices->addWidget(exercise, 1, 1);
    choices->addWidget(sortLabel, 1, 2, Qt::AlignRight);
    choices->addWidget(sortBy, 1, 3);
    choices->setColumnStretch(1, 1);
    choices->setColumnStretch(3, 1);
    layout->addLayout(choices);

    auto* words = new Words(this);
    filter = new WordsFilter(words);
    table = new QTableView;
    table->setObjectName(QStringLiteral("table"));
    table->setAccessibleName(windowTitle());
    table->setModel(filter);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(false);
    table->setSortingEnabled(true);
    table->sortByColumn(0, Qt::AscendingOrder);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout->addWidget(table);

    auto* bottom = new QHBoxLayout;
    count = new QLabel;
    count->setObjectName(QStringLiteral("count"));
    auto* close = new QPushButton(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    bottom->addWidget(count);
    bottom->addStretch();
    bottom->addWidget(close);
    layout->addLayout(bottom);

    connect(search, &QLineEdit::textChanged, this, &WordsWindow::narrowed);
    connect(exercise, &QComboBox::currentIndexChanged, this, &WordsWindow::narrowed);
    connect(sortBy, &QComboBox::activated, this, [this](int c) { table->sortByColumn(c, Qt::AscendingOrder); });
    // A click on a column's header sorts it too; the box follows.
    connect(table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, sortBy, &QComboBox::setCurrentIndex);

    auto* escape = new QAction(this);
    escape->setShortcut(Qt::Key_Escape);
    connect(escape, &QAction::triggered, this, &QWidget::close);
    addAction(escape);

    narrowed();
    // As large as the list asks, within the screen, frame and title included.
    Module1::fitOnScreen(*this, QSize(600, 480));
    // The menu and the exercise windows stay on top; so must this one, to be seen.
    setOnTop(*this, true);
}

void WordsWindow::showExercise(int e)
{
    const int at = exercise->findData(e);
    exercise->setCurrentIndex(at < 0 ? 0 : at);
}

void WordsWindow::narrowed()
{
    filter->narrow(exercise->currentData().toInt(), search->text());
    const int shown = filter->rowCount(), all = filter->sourceModel()->rowCount();
    count->setText(shown == all ? QStringLiteral("%1 words").arg(all)
                                : QStringLiteral("%1 of %2 words").arg(shown).arg(all));
}

} // namespace lumora

#include "shell/wordswindow.h"

#include "core/keyfilter.h"
#include "core/module1.h"
#include "core/platform.h"
#include "core/speaker.h"
#include "lesson/meanings.h"

#include <QAction>
#include <QApplication>
#include <QCollator>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
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

// The columns, left to right. Each is sorted in the order of its language;
// the last one, a button that says the word, sorts as the Hungarian does.
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
    {"Hear", [](const Row& r) { return r.meaning->word.toString(); }, QLocale::Hungarian},
};
constexpr int columnCount = int(std::size(columns));
constexpr int hearColumn = columnCount - 1;

const QString hearTip = QStringLiteral("Says the word in Hungarian (a click, Enter or F5 on its row).");

// The Hear column's cells, drawn as push buttons, disabled while nothing can
// be heard.
class HearButtons : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionButton button;
        button.rect = option.rect.adjusted(2, 1, -2, -1);
        button.text = QStringLiteral("Hear");
        button.state = index.flags() & Qt::ItemIsEnabled ? QStyle::State_Enabled : QStyle::State_None;
        style(option)->drawControl(QStyle::CE_PushButton, &button, painter, option.widget);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        QStyleOptionButton button;
        button.text = QStringLiteral("Hear");
        const QSize text = option.fontMetrics.size(Qt::TextShowMnemonic, button.text);
        return style(option)->sizeFromContents(QStyle::CT_PushButton, &button, text, option.widget);
    }

private:
    static const QStyle* style(const QStyleOptionViewItem& option)
    {
        return option.widget ? option.widget->style() : QApplication::style();
    }
};

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
        const QString text = columns[index.column()].text(rows[std::size_t(index.row())]);
        if (index.column() == hearColumn) {
            const QString silence = speaker().silence();
            switch (role) {
            case Qt::DisplayRole: return text;
            case Qt::AccessibleTextRole: return QStringLiteral("Hear ") + text;
            case Qt::ToolTipRole:
            case Qt::AccessibleDescriptionRole: return silence.isEmpty() ? hearTip : silence;
            }
            return {};
        }
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return {};
        return text;
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
        return index.column() == hearColumn && !speaker().silence().isEmpty() ? flags & ~Qt::ItemIsEnabled : flags;
    }
    // Hear's cells follow whether speech can be heard.
    void silenceChanged() { emit dataChanged(index(0, hearColumn), index(rowCount({}) - 1, hearColumn)); }
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
    for (int c = 0; c < hearColumn; ++c)
        sortBy->addItem(QLatin1String(columns[c].header));
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
    table->setItemDelegateForColumn(hearColumn, new HearButtons(table));
    table->setAccessibleDescription(QStringLiteral("Enter or F5 says the word of the row in Hungarian."));
    layout->addWidget(table);
    connect(&speaker(), &Speaker::silenceChanged, words, &Words::silenceChanged);
    speaker().prepare(); // learns whether anything can be heard

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
    connect(table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, sortBy,
            [this](int c) { sortBy->setCurrentIndex(c == hearColumn ? 0 : c); });
    auto say = [this](const QModelIndex& at) {
        if (at.isValid() && speaker().silence().isEmpty())
            speaker().say(at.siblingAtColumn(hearColumn).data().toString());
    };
    connect(table, &QTableView::clicked, this, [say](const QModelIndex& at) {
        if (at.column() == hearColumn)
            say(at);
    });
    connect(table, &QTableView::activated, this, say); // Enter on a row
    connect(new QShortcut(Qt::Key_F5, this), &QShortcut::activated, this, [this, say] { say(table->currentIndex()); });

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

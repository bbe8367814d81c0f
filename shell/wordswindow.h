#pragma once
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace lumora {

class WordsFilter;

// "Words of the lesson": every word the exercises show, by its dictionary
// form, with its English meaning and its kind, and the exercises it is in.
// The learner narrows the list by exercise and by typing part of a
// Hungarian or an English word, and sorts it by any column.
class WordsWindow : public QWidget {
    Q_OBJECT
public:
    WordsWindow();

    // Shows the words of exercise 1, 2, 3 or 5; any other number, all of them.
    void showExercise(int exercise);

private:
    void narrowed();

    QLineEdit* search;
    QComboBox* exercise;
    QComboBox* sortBy;
    QTableView* table;
    QLabel* count;
    WordsFilter* filter;
};

} // namespace lumora

#pragma once
#include "exercises/h05d5/logic.h"
#include "ui/exercisewindow.h"

#include <QHash>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumora::h05d5 {

// The window of exercise 5: the text on five lines with its 18 gaps, the
// "Ki?" person box and the buttons. Every event goes to the logic.
class Window : public ExerciseWindow, private View {
    Q_OBJECT
public:
    Window();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The five lines of text; returns the gaps and stems in reading order.
    QList<QWidget*> buildText();
    // What the gap colours mean, in the free space right of the last line.
    void legend();
    void orderTabs(const QList<QWidget*>& chain);

    // View
    QString gapText(int g) const override;
    void setGapText(int g, const QString& text) override;
    bool gapEnabled(int g) const override;
    void setGapEnabled(int g, bool enabled) override;
    void setGapBackground(int g, const QColor& colour) override;
    void setGapTextColour(int g, const QColor& colour) override;
    bool focusGap(int g) override;
    QString stemText(int g) const override;
    void setStemText(int g, const QString& text) override;
    void setPersonCaption(const QString& caption) override;
    void setPersonChoice(int person) override;
    void setStartCaption(const QString& caption) override;
    void focusStart() override;
    void setNextEnabled(bool enabled) override;
    void setSolutionEnabled(bool enabled) override;
    void setReview(const record::ReviewButton& button) override;
    bool explainMistakes() const override;
    bool speakAnswers() const override;
    int exercise() const override { return 5; }
    void setProgressText(const QString& text) override;

    std::array<QLineEdit*, gapCount> gaps{};
    QHash<int, QLineEdit*> stemFields;  // by the number of the gap after the stem
    bool closingGap = false;
    QLabel* person = nullptr;
    QComboBox* box = nullptr;
    QPushButton* start = nullptr;
    QPushButton* solution = nullptr;
    QPushButton* next = nullptr;
    QPushButton* reviewButton = nullptr;
    Logic logic{*this, prompter()};
};

} // namespace lumora::h05d5

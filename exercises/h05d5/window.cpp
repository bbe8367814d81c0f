#include "exercises/h05d5/window.h"

#include "core/platform.h"
#include "lesson/meanings.h"
#include "ui/controls.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lumora::h05d5 {
namespace {

const QColor green(0, 255, 0);

QFont textFont() { return typeface(QStringLiteral("MS Serif"), 12, true); }
QFont buttonFont(double points = 9.75) { return typeface(QStringLiteral("MS Sans Serif"), points, true); }

// "Text7" for a single control, "Text1_3" for element 3 of an array.
QByteArray controlName(const Element& e)
{
    QString name = e.control.toString();
    if (e.index >= 0)
        name += u'_' + QString::number(e.index);
    return name.toLatin1();
}

// Whether element i of the text is a gap on the given line.
bool isGap(std::size_t i, int line)
{
    return i < std::size(textElements) && textElements[i].piece == Piece::Gap && textElements[i].line == line;
}

// The pieces were laid out for a wider face than ours, so they have room to
// spare. A piece before a gap ends at the gap, so that the gap reads as the
// end of its word. A piece after a gap that starts with the full stop of the
// gap's sentence widens its spaces instead, to start where the gap ends.
void meetGaps(QLabel* label, bool gapBefore, bool gapAfter)
{
    if (!gapAfter)
        return;
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QString text = label->text();
    const qsizetype spaces = text.count(u' ');
    if (!gapBefore || !text.front().isPunct() || spaces == 0)
        return;
    QFont font = label->font();
    const qreal spare = label->width() - QFontMetricsF(font).horizontalAdvance(text);
    font.setWordSpacing(spare / spaces);
    label->setFont(font);
}

// The window's own paragraph of "More help...": the stems and the gap colours.
QString notes()
{
    QStringList colours;
    for (GapKind kind : legendOrder)
        colours << QStringLiteral("%1, %2").arg(help(kind).colour, help(kind).legend);
    return QStringLiteral("The words in fields before some gaps (szoba, francia, A szoba, és zene) are yours to "
                          "change: their last vowel can become long, as alma → almát. The colour of a gap tells "
                          "what it takes: %1.")
        .arg(colours.join(QStringLiteral("; ")));
}

} // namespace

Window::Window()
    : ExerciseWindow({"h05d5", "mnuOptions", "On&Top",
                      {QStringLiteral("Click the \"Start\" button and put your solution in any of the gaps. Then "
                                      "click the \"Next\" button or press the \"Enter\" key. Go on. If you want to, "
                                      "you can change the person (Péter, én, te, etc.) clicking the preferred "
                                      "option in the \"Ki?\" box.")},
                      {notes()}})
{
    const CommandRow row = commandRow("Command1", "Command4", "Command3");
    start = row.start;
    solution = row.solution;
    QPushButton* close = row.close;
    for (QPushButton* b : {start, solution, close})
        b->setFont(buttonFont());
    const auto jumps = jumpButtons(Own::Exercise5, {"Command5", "Command6", "Command7", "Command11", "Command8"},
                                   "Label4", 4800, 2055);
    for (QPushButton* b : jumps)
        b->setFont(buttonFont(13.5));

    controls::label(area(), "Label2", QStringLiteral("5. Put in the right suffixes."), 240, 840, 3735, 375)
        ->setFont(typeface(QStringLiteral("Arial"), 12, true));

    box = new QComboBox(area());
    box->setObjectName(QStringLiteral("Combo1"));
    box->setGeometry(twips(4200, 600, 1335, 375));
    box->setFont(buttonFont());
    box->setPlaceholderText(QStringLiteral("Ki?"));
    box->setAccessibleName(QStringLiteral("Ki? (who)"));
    box->setAccessibleDescription(QStringLiteral("person"));
    controls::paint(box, green, QColor());

    const QList<QWidget*> readingOrder = buildText();
    legend();

    next = nextButton("Command2", 3840, 4680, 1095, 495);
    next->setFont(buttonFont());
    // Right of Next, below the short last line of the text.
    reviewButton = reviewButtonAt(5280, 4680, 1575, 495);
    reviewButton->setFont(buttonFont());

    QPushButton* charKey = charButton("Command10", "Label3", nullptr);
    // Right of the person box, above the text.
    QLabel* progress = progressLine(5640, 600, 3510, 375);
    progress->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    charKey->setFont(buttonFont());
    controls::paint(area()->findChild<QLabel*>(QStringLiteral("Label3")), Qt::white, QColor(128, 128, 128));

    auto field = [this](const char* name) { return area()->findChild<QLineEdit*>(QLatin1String(name)); };
    translateKeys(hunkey, QList<QWidget*>(gaps.begin(), gaps.end()) +
                              QList<QWidget*>{field("Text2"), field("Text6"), field("Text7")});
    translateKeys(shortkey, {field("Text4"), field("Text5")});
    hearButton([this] { logic.hear(); })->setFont(buttonFont());
    hearTyped(QList<QWidget*>(gaps.begin(), gaps.end()),
              [this](QWidget* gap) { logic.hearTyped(gap->property("tag").toInt()); });
    // A stem is heard together with the gap after it.
    for (auto s = stemFields.cbegin(); s != stemFields.cend(); ++s)
        hearTyped({s.value()}, [this, g = s.key()](QWidget*) { logic.hearTyped(g); });

    connect(start, &QPushButton::clicked, this, [this] { logic.start(); });
    connect(next, &QPushButton::clicked, this, [this] { logic.next(); });
    connect(solution, &QPushButton::clicked, this, [this] { logic.solution(); });
    connect(reviewButton, &QPushButton::clicked, this, [this] { logic.review(); });
    connect(box, &QComboBox::activated, this, [this](int item) { logic.personChoice(box->itemText(item)); });

    orderTabs(readingOrder + QList<QWidget*>{start, solution, next, reviewButton, close, box} +
              QList<QWidget*>(jumps.begin(), jumps.end()) +
              QList<QWidget*>{charKey, field("Text2"), field("Text3"), field("Text8"), field("Text9")});

    loadCommon(QStringLiteral(": 5."));
    for (const Person& p : persons)
        box->addItem(p.item.toString());
    box->setCurrentIndex(-1); // "Ki?" until the learner chooses
    logic.load();
}

QList<QWidget*> Window::buildText()
{
    QList<QWidget*> readingOrder;
    QLabel* lastLabel = nullptr;
    for (std::size_t i = 0; i < std::size(textElements); ++i) {
        const Element& e = textElements[i];
        const int top = lineTops[e.line - 1];
        const bool gapAfter = isGap(i + 1, e.line);
        if (e.piece == Piece::Person || e.piece == Piece::Fixed) {
            QLabel* label = controls::label(area(), controlName(e), e.text.toString(), e.left, top, e.width,
                                            labelHeight);
            label->setWordWrap(false);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            label->setFont(textFont());
            meetGaps(label, i > 0 && isGap(i - 1, e.line), gapAfter);
            controls::paint(label, e.piece == Piece::Person ? green : QColor(Qt::white), QColor());
            controls::showMeanings(label, meanings::glosses(e.text));
            if (e.piece == Piece::Person)
                person = label;
            lastLabel = label;
            continue;
        }
        QLineEdit* field = controls::field(area(), controlName(e), e.left, top, e.width, fieldHeight);
        field->setFont(textFont());
        field->setText(e.text.toString());
        field->setAccessibleName(e.text.toString().trimmed());
        if (gapAfter)
            field->setAlignment(Qt::AlignRight);
        switch (e.piece) {
        case Piece::Gap:
            gaps[e.index] = field;
            field->setAccessibleName(gapName(e.index));
            if (i > 0 && textElements[i - 1].piece == Piece::Fixed) // the words it completes
                lastLabel->setBuddy(field);
            field->setToolTip(help(gapKind(e.index)).tip.toString());
            field->setProperty("tag", QString::number(e.index));
            field->installEventFilter(this);
            setGapBackground(e.index, colours(gapKind(e.index)).unsolved);
            setGapTextColour(e.index, normalText);
            field->setEnabled(false);
            readingOrder << field;
            break;
        case Piece::Stem:
            // A stem stands directly before its gap.
            stemFields.insert(textElements[i + 1].index, field);
            field->setAccessibleName(QStringLiteral("word before gap %1").arg(textElements[i + 1].index));
            field->setAccessibleDescription(stemHelp.toString());
            field->setToolTip(stemHelp.toString());
            controls::caretToEndOnFocus(field);
            controls::showMeanings(field, meanings::glosses(e.text));
            readingOrder << field;
            break;
        default: // a fixed field: its words' meanings
            controls::showMeanings(field, meanings::glosses(e.text));
            break;
        }
    }
    return readingOrder;
}

void Window::legend()
{
    auto* legend = new QWidget(area());
    legend->setObjectName(QStringLiteral("Legend"));
    legend->setGeometry(twips(4680, lineTops[4], 4470, fieldHeight));
    auto* row = new QHBoxLayout(legend);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(twips(45));
    row->addStretch();
    const QFont font = typeface(QStringLiteral("Arial"), 8);
    for (GapKind kind : legendOrder) {
        const KindHelp& h = help(kind);
        auto* swatch = new QLabel;
        swatch->setFixedSize(twips(165), twips(165));
        swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
        swatch->setAccessibleName(h.colour.toString());
        controls::paint(swatch, colours(kind).unsolved, QColor(96, 96, 96));
        auto* word = new QLabel(h.legend.toString());
        word->setFont(font);
        word->setAccessibleDescription(h.tip.toString());
        for (QLabel* l : {swatch, word})
            l->setToolTip(h.tip.toString());
        row->addSpacing(twips(105));
        row->addWidget(swatch);
        row->addWidget(word);
    }
}

void Window::orderTabs(const QList<QWidget*>& chain)
{
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

bool Window::eventFilter(QObject* watched, QEvent* event)
{
    // Only the gaps are watched; each carries its number as its tag.
    if (event->type() == QEvent::FocusIn && !closingGap)
        logic.gapFocus(watched->property("tag").toInt());
    return ExerciseWindow::eventFilter(watched, event);
}

QString Window::gapText(int g) const { return gaps.at(g)->text(); }

void Window::setGapText(int g, const QString& text) { gaps.at(g)->setText(text); }

bool Window::gapEnabled(int g) const { return gaps.at(g)->isEnabled(); }

void Window::setGapEnabled(int g, bool enabled)
{
    // Disabling the focused gap makes Qt pass the focus on to the next
    // control. The learner did not choose that gap, so it does not become
    // the current one; the logic moves the focus itself.
    closingGap = true;
    gaps.at(g)->setEnabled(enabled);
    closingGap = false;
}

void Window::setGapBackground(int g, const QColor& colour) { controls::paint(gaps.at(g), colour, QColor()); }

void Window::setGapTextColour(int g, const QColor& colour)
{
    QLineEdit* gap = gaps.at(g);
    QPalette p = gap->palette();
    // Set for every colour group: a solved gap is disabled, and its text
    // must stay as readable as when it was open.
    p.setColor(QPalette::Text,
               colour.isValid() ? colour : QApplication::palette(gap).color(QPalette::Active, QPalette::Text));
    gap->setPalette(p);
}

bool Window::focusGap(int g)
{
    QLineEdit* gap = gaps.at(g);
    if (!gap->isEnabled())
        return false;
    gap->setFocus();
    return true;
}

QString Window::stemText(int g) const { return stemFields.value(g)->text(); }

void Window::setStemText(int g, const QString& text) { stemFields.value(g)->setText(text); }

void Window::setPersonCaption(const QString& caption)
{
    person->setText(caption);
    controls::showMeanings(person, meanings::glosses(caption));
}
// The box lists the persons in their table's order.
void Window::setPersonChoice(int p) { box->setCurrentIndex(p); }

void Window::setStartCaption(const QString& caption) { start->setText(caption); }

void Window::focusStart() { start->setFocus(); }

void Window::setNextEnabled(bool enabled) { next->setEnabled(enabled); }

void Window::setSolutionEnabled(bool enabled) { solution->setEnabled(enabled); }
void Window::setReview(const record::ReviewButton& button) { showReviewButton(reviewButton, button); }
void Window::setProgressText(const QString& text) { showProgress(text); }

bool Window::explainMistakes() const { return ExerciseWindow::explainMistakes(); }
bool Window::speakAnswers() const { return ExerciseWindow::speakAnswers(); }

} // namespace lumora::h05d5

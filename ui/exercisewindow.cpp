#include "ui/exercisewindow.h"

#include "core/keyfilter.h"
#include "core/module1.h"
#include "core/platform.h"
#include "core/prompter.h"
#include "core/speaker.h"
#include "feedback/analyser.h"
#include "record/review.h"
#include "ui/controls.h"
#include "ui/morehelp.h"
#include "ui/navigator.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>

namespace lumora {
namespace {

const QString explainKey = QStringLiteral("explainMistakes");

const QString charParagraph = QStringLiteral(
    "If you want to see how to type the special Hungarian characters (á, é etc.) on an English keyboard, "
    "click the \"Char\" button. If you want that information to desappear, click again.");

QAction* item(QMenu* menu, const char* name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    return a;
}

// A checkable item kept in the settings file.
QAction* setting(QMenu* menu, const char* name, const QString& caption, const QString& key, bool byDefault)
{
    QAction* a = item(menu, name, caption);
    a->setCheckable(true);
    a->setChecked(QSettings().value(key, byDefault).toBool());
    QObject::connect(a, &QAction::toggled, a, [key](bool on) { QSettings().setValue(key, on); });
    return a;
}

} // namespace

// Follows which answer field had the focus last, and types a letter clicked
// in the key help line into it.
class LetterTyping : public QObject {
public:
    using QObject::QObject;
    void watchField(QWidget* field) { field->installEventFilter(this); }
    void watchLine(QLabel* line)
    {
        this->line = line;
        line->installEventFilter(this);
        line->setCursor(Qt::PointingHandCursor);
        line->setToolTip(QStringLiteral("Click a letter to type it where you are writing; with Shift, its capital."));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn && watched != line)
            field = qobject_cast<QLineEdit*>(watched);
        if (event->type() != QEvent::MouseButtonRelease || watched != line)
            return false;
        const auto* click = static_cast<QMouseEvent*>(event);
        const QChar letter = keyHelpLetter(characterAt(click->position().x() - line->contentsRect().left()));
        if (letter.isNull() || !field || !field->isEnabled() || !field->isVisible() || field->isReadOnly())
            return false;
        field->insert(click->modifiers() & Qt::ShiftModifier ? letter.toUpper() : letter);
        field->setFocus();
        return true;
    }

private:
    // The character of the line's text under x.
    qsizetype characterAt(qreal x) const
    {
        const QString text = line->text();
        const QFontMetricsF metrics(line->font());
        qsizetype i = 0;
        while (i + 1 < text.size() && metrics.horizontalAdvance(text.left(i + 1)) <= x)
            ++i;
        return i;
    }

    QLabel* line = nullptr;
    QPointer<QLineEdit> field;
};

ExerciseWindow::ExerciseWindow(const Options& options)
    : client(controls::clientArea(this, 9270, 5880, QColor(224, 224, 224))), howTo(options.howTo),
      moreHelp(options.notes + reviewAndProgressHelp()), letters(new LetterTyping(this))
{
    setObjectName(QLatin1String(options.name));
    setCentralWidget(client);
    // The diagnosis of wrong answers reads the dictionary from here on; it
    // loads on a thread of its own, the window does not wait for it.
    feedback::Analyser::shared().load();
    // So is the voice, with the sound output, so that the first word is heard at once.
    speaker().prepare();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    howTo << charParagraph;

    QMenu* opts = menuBar()->addMenu(QStringLiteral("&Options"));
    opts->setObjectName(QLatin1String(options.optionsMenu));
    ontop = item(opts, "mnuOntop", QLatin1String(options.onTopCaption));
    ontop->setCheckable(true);
    connect(ontop, &QAction::triggered, this, [this] {
        // The action has flipped its mark already; put it back and toggle both.
        ontop->setChecked(!ontop->isChecked());
        toggleOnTop();
    });
    explain = setting(opts, "mnuExplain", QStringLiteral("&Explain mistakes"), explainKey, true);
    speakAloud = setting(opts, "mnuSpeak", QStringLiteral("&Speak answers"), speakAnswersKey, true);
    setting(opts, "mnuSlowly", QStringLiteral("Speak s&lowly"), speakSlowlyKey, false);
    connect(item(opts, "mnuProgress", QStringLiteral("My &progress")), &QAction::triggered, this,
            [this] { navigator::openProgress(exercise()); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    connect(item(help, "mnuHow", QStringLiteral("&How to...")), &QAction::triggered, this, [this] {
        boxes.message(howTo.join(Module1::nl + Module1::nl), Module1::title, Icon::Information);
    });
    connect(item(help, "mnuAbout", QStringLiteral("&About")), &QAction::triggered, this,
            [] { navigator::openAbout(); });
    connect(item(help, "mnuMore", QStringLiteral("&More help...")), &QAction::triggered, this, [this] {
        boxes.message(moreHelp.join(Module1::nl + Module1::nl), Module1::title, Icon::Information);
    });
    connect(item(help, "mnuWords", QStringLiteral("&Words of the lesson...")), &QAction::triggered, this,
            [this] { navigator::openWords(exercise()); });
}

void ExerciseWindow::toggleOnTop()
{
    const bool on = !ontop->isChecked();
    setOnTop(*this, on);
    ontop->setChecked(on);
}

bool ExerciseWindow::explainMistakes() const { return explain->isChecked(); }
bool ExerciseWindow::speakAnswers() const { return speakAloud->isChecked(); }

ExerciseWindow::CommandRow ExerciseWindow::commandRow(const char* start, const char* solution, const char* close)
{
    CommandRow row{controls::button(client, start, QStringLiteral("&Start"), 0, 0, 1095, 495),
                   controls::button(client, solution, QStringLiteral("Sol&ution"), 1080, 0, 1215, 495),
                   controls::button(client, close, QStringLiteral("Clos&e"), 2280, 0, 1095, 495)};
    row.solution->setEnabled(false);
    connect(row.close, &QPushButton::clicked, this, [this] {
        speaker().stop(); // at once, not once the menu is made
        navigator::open(navigator::Window::Menu, this);
    });
    return row;
}

void ExerciseWindow::closeEvent(QCloseEvent* event)
{
    speaker().stop();
    // A transition has shown the next window already; a close box has not.
    if (!navigator::anotherMainWindowOpen(this))
        navigator::open(navigator::Window::Menu);
    QMainWindow::closeEvent(event);
}

void ExerciseWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !speaker().silence().isEmpty())
        speaker().prepare();
    QMainWindow::changeEvent(event);
}

QPushButton* ExerciseWindow::nextButton(const char* name, int l, int t, int w, int h)
{
    QPushButton* next = controls::button(client, name, QStringLiteral("&Next"), l, t, w, h);
    next->setEnabled(false);
    defaults.set(next);
    return next;
}

ExerciseWindow::Plus ExerciseWindow::plusInvitation(const char* label, const QString& text, const QRect& labelTwips,
                                                    const char* button, const QRect& buttonTwips)
{
    const QRect& l = labelTwips;
    const QRect& b = buttonTwips;
    return {controls::label(client, label, text, l.x(), l.y(), l.width(), l.height()),
            controls::button(client, button, QStringLiteral("&Plus"), b.x(), b.y(), b.width(), b.height())};
}

void ExerciseWindow::translateKeys(KeyTable table, const QList<QWidget*>& fields)
{
    auto* filter = new KeyFilter(table, this);
    for (QWidget* field : fields) {
        filter->watch({field});
        letters->watchField(field);
    }
}

void ExerciseWindow::placeOnScreen()
{
    adjustSize();
    Module1::center(*this);
    toggleOnTop();
}

void ExerciseWindow::loadCommon(const QString& suffix)
{
    placeOnScreen();
    Module1::setmsg();
    Module1::title += suffix;
    setWindowTitle(Module1::title);
}

} // namespace lumora

namespace lumora {

std::array<QPushButton*, 5> ExerciseWindow::jumpButtons(Own own, const std::array<const char*, 5>& names,
                                                        const char* label, int labelLeft, int labelWidth)
{
    controls::label(client, label, QStringLiteral("Go to exercise:"), labelLeft, 120, labelWidth, 375)
        ->setFont(typeface(QStringLiteral("Arial"), 12, true));
    std::array<QPushButton*, 5> buttons;
    for (int i = 0; i < 5; ++i) {
        buttons[i] = controls::button(client, names[i], QStringLiteral("&%1").arg(i + 1), 6840 + 480 * i, 0,
                                      495, 495);
        buttons[i]->setAccessibleName(QStringLiteral("Exercise %1").arg(i + 1));
    }
    buttons[3]->setEnabled(false);
    if (own != Own::Exercise12) {
        connect(buttons[0], &QPushButton::clicked, this, [this] { navigator::openExercise12(1, this); });
        connect(buttons[1], &QPushButton::clicked, this, [this] { navigator::openExercise12(2, this); });
    }
    if (own == Own::Exercise3)
        buttons[2]->setEnabled(false);
    else
        connect(buttons[2], &QPushButton::clicked, this,
                [this] { navigator::open(navigator::Window::Exercise3, this); });
    if (own == Own::Exercise5)
        buttons[4]->setEnabled(false);
    else
        connect(buttons[4], &QPushButton::clicked, this,
                [this] { navigator::open(navigator::Window::Exercise5, this); });
    return buttons;
}

QPushButton* ExerciseWindow::charButton(const char* button, const char* help, QLineEdit* answer)
{
    QLabel* line = controls::label(client, help, keyHelp(), 240, 5400, 8895, 375);
    line->setWordWrap(false);
    line->setFont(typeface(QStringLiteral("MS Serif"), 13.5, true));
    line->hide();
    letters->watchLine(line);
    QPushButton* b = controls::button(client, button, QStringLiteral("&Char"), 240, 4920, 855, 495);
    connect(b, &QPushButton::clicked, this, [line, answer] {
        line->setVisible(line->isHidden());
        if (answer && !line->isHidden() && !answer->isHidden())
            answer->setFocus();
    });
    return b;
}

QLabel* ExerciseWindow::progressLine(int l, int t, int w, int h)
{
    progress = controls::label(client, "Progress", QString(), l, t, w, h);
    showProgress(QString());
    return progress;
}

void ExerciseWindow::showProgress(const QString& text)
{
    progress->setText(text);
    // Read as its text; before the first Start, by what it is for.
    progress->setAccessibleName(text.isEmpty() ? QStringLiteral("progress of the run") : text);
}

} // namespace lumora

namespace lumora {

QPushButton* ExerciseWindow::hearButton(std::function<void()> hear)
{
    // Between Close and "Go to exercise:", the same place in every window.
    QPushButton* b = controls::button(client, "Hear", QStringLiteral("He&ar"), 3480, 0, 1095, 495);
    b->setAccessibleName(QStringLiteral("Hear"));
    controls::followSpeech(b, QStringLiteral("Says the Hungarian again (F5). Shift+F5 in an answer field says what "
                                             "you typed."));
    connect(b, &QPushButton::clicked, this, hear);
    connect(new QShortcut(Qt::Key_F5, this), &QShortcut::activated, this, hear);
    return b;
}

void ExerciseWindow::hearTyped(const QList<QWidget*>& fields, std::function<void(QWidget*)> typed)
{
    for (QWidget* field : fields) {
        auto* key = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5), field, nullptr, nullptr, Qt::WidgetShortcut);
        connect(key, &QShortcut::activated, this, [field, typed] { typed(field); });
    }
}

QPushButton* ExerciseWindow::reviewButtonAt(int l, int t, int w, int h)
{
    QPushButton* b = controls::button(client, "Review", QStringLiteral("Re&view"), l, t, w, h);
    b->setToolTip(QStringLiteral("Ask again the items you missed. An item leaves the review once it is right at "
                                 "the first try in %1 review runs.")
                      .arg(record::boxCount));
    b->hide();
    return b;
}

void ExerciseWindow::showReviewButton(QPushButton* b, const record::ReviewButton& state)
{
    b->setText(state.caption);
    b->setEnabled(state.enabled);
    b->setVisible(state.shown);
}

} // namespace lumora

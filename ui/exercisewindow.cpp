#include "ui/exercisewindow.h"

#include "core/keyfilter.h"
#include "core/module1.h"
#include "core/platform.h"
#include "core/prompter.h"
#include "feedback/analyser.h"
#include "record/review.h"
#include "ui/controls.h"
#include "ui/morehelp.h"
#include "ui/navigator.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>

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

} // namespace

ExerciseWindow::ExerciseWindow(const Options& options)
    : client(controls::clientArea(this, 9270, 5880, QColor(224, 224, 224))), howTo(options.howTo),
      moreHelp(options.notes + reviewAndProgressHelp())
{
    setObjectName(QLatin1String(options.name));
    setCentralWidget(client);
    // The diagnosis of wrong answers reads the dictionary from here on; it
    // loads on a thread of its own, the window does not wait for it.
    feedback::Analyser::shared().load();
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
    explain = item(opts, "mnuExplain", QStringLiteral("&Explain mistakes"));
    explain->setCheckable(true);
    explain->setChecked(QSettings().value(explainKey, true).toBool());
    connect(explain, &QAction::toggled, this, [](bool on) { QSettings().setValue(explainKey, on); });
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

ExerciseWindow::CommandRow ExerciseWindow::commandRow(const char* start, const char* solution, const char* close)
{
    CommandRow row{controls::button(client, start, QStringLiteral("&Start"), 0, 0, 1095, 495),
                   controls::button(client, solution, QStringLiteral("Sol&ution"), 1080, 0, 1215, 495),
                   controls::button(client, close, QStringLiteral("Clos&e"), 2280, 0, 1095, 495)};
    row.solution->setEnabled(false);
    connect(row.close, &QPushButton::clicked, this, [this] { navigator::open(navigator::Window::Menu, this); });
    return row;
}

void ExerciseWindow::closeEvent(QCloseEvent* event)
{
    // A transition has shown the next window already; a close box has not.
    if (!navigator::anotherMainWindowOpen(this))
        navigator::open(navigator::Window::Menu);
    QMainWindow::closeEvent(event);
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
    for (QWidget* field : fields)
        filter->watch({field});
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

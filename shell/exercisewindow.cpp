#include "shell/exercisewindow.h"

#include "core/module1.h"
#include "core/platform.h"
#include "core/prompter.h"
#include "shell/controls.h"
#include "shell/navigator.h"

#include <QLayout>
#include <QMenuBar>
#include <QPushButton>

namespace lumora {
namespace {

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
    : client(controls::clientArea(this, 9210, 5880, QColor(224, 224, 224))), howTo(options.howTo)
{
    setObjectName(QLatin1String(options.name));
    setCentralWidget(client);
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

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    connect(item(help, "mnuHow", QStringLiteral("&How to...")), &QAction::triggered, this, [this] {
        prompter().message(howTo.join(Module1::nl + Module1::nl), Module1::title, Icon::Information);
    });
    connect(item(help, "mnuAbout", QStringLiteral("&About")), &QAction::triggered, this,
            [] { navigator::openAbout(); });
}

bool ExerciseWindow::onTop() const { return ontop->isChecked(); }

void ExerciseWindow::toggleOnTop()
{
    const bool on = !ontop->isChecked();
    setOnTop(*this, on);
    ontop->setChecked(on);
}

QPushButton* ExerciseWindow::closeButton(const char* name, int l, int t, int w, int h)
{
    QPushButton* b = controls::button(client, name, QStringLiteral("Clos&e"), l, t, w, h);
    connect(b, &QPushButton::clicked, this, [this] { navigator::open(navigator::Window::Menu, this); });
    return b;
}

void ExerciseWindow::loadCommon(const QString& suffix)
{
    adjustSize();
    Module1::center(*this);
    toggleOnTop();
    Module1::setmsg();
    Module1::title += suffix;
    setWindowTitle(Module1::title);
}

} // namespace lumora

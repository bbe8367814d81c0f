#include "shell/alap.h"

#include "core/module1.h"
#include "core/platform.h"
#include "core/prompter.h"
#include "record/review.h"
#include "ui/controls.h"
#include "ui/morehelp.h"
#include "ui/navigator.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

namespace lumora {
namespace {

using navigator::Window;

const QColor grey(192, 192, 192);

// One exercise of the menu: its picture button, heading and subtitle.
struct Choice {
    int exercise;
    const char* button;
    const char* caption;
    const char* picture;
    int top, height;
    const char* heading;
    QString headingText;
    int headingTop, headingWidth;
    const char* subtitle; // placed 360 twips below the heading
    QString subtitleText;
    int subtitleWidth, subtitleHeight;
};

QToolButton* pictureButton(QWidget* parent, const Choice& c)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(c.button));
    b->setText(QLatin1String(c.caption));
    b->setIcon(QIcon(QPixmap::fromImage(resourceImage(QLatin1String(c.picture)))));
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setFont(typeface(QStringLiteral("Times New Roman"), 12, true));
    b->setGeometry(twips(480, c.top, 735, c.height));
    // Spoken as "Exercise 1: Put in the correct suffixes. Verbs: Plural".
    QString subtitle = c.subtitleText;
    subtitle.remove(u'(').remove(u')');
    b->setAccessibleName(QStringLiteral("Exercise %1: %2 %3")
                             .arg(QString::fromLatin1(c.caption).remove(u'&'), c.headingText.trimmed(), subtitle));
    return b;
}

// How many items of the exercise wait for review, left of its button; empty
// when none does.
void reviewCount(QWidget* area, const Choice& c, const std::vector<record::Waiting>& waiting)
{
    const auto count = std::count_if(waiting.begin(), waiting.end(),
                                     [&c](const record::Waiting& w) { return w.item.exercise == c.exercise; });
    const QByteArray name = "Review" + QByteArray::number(c.exercise);
    QLabel* label = controls::label(area, name.constData(), count ? QString::number(count) : QString(), 0,
                                    c.top + (c.height - 375) / 2, 465, 375);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(typeface(QStringLiteral("Arial"), 10, true));
    label->setAccessibleName(QStringLiteral("%1 to review").arg(count));
    label->setToolTip(QStringLiteral("Items waiting for review"));
    label->setVisible(count > 0); // a learner who never missed sees the menu as it was
}

} // namespace

Alap::Alap()
{
    setObjectName(QStringLiteral("alap"));
    setAccessibleName(QStringLiteral("Lumora exercise menu"));
    QWidget* area = controls::clientArea(this, 6015, 6615, grey);
    setCentralWidget(area);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    auto* panel = controls::label(area, "Panel3D1", QStringLiteral("Choose an exercise and click the icon"),
                                  360, 240, 5295, 750);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFont(typeface(QStringLiteral("Times New Roman"), 14.25, true));

    const Choice choices[] = {
        {1, "AniButton1", "&1", ":/icons/menu1.png", 1320, 870, "Label1", "Put in the correct suffixes.", 1440, 3135,
         "Label5", "(Verbs: Plural)", 2895, 375},
        {2, "AniButton3", "&2", ":/icons/menu2.png", 2400, 870, "Label2", "Put in the correct suffixes.", 2520, 4095,
         "Label6", "(Verbs: Singular and Plural)", 2775, 375},
        {3, "AniButton2", "&3", ":/icons/menu3.png", 3480, 990, "Label3", "Make sentences according to the pictures.",
         3480, 4335, "Label7", "(Sentences with adverbs of place or direct object.)", 3975, 615},
        {5, "AniButton4", "&5", ":/icons/menu5.png", 4680, 870, "Label4", "Fill in the gaps. ", 4680, 1695, "Label8",
         "(Verbs, adverbs of place and direct object.)", 4215, 375},
    };
    QToolButton* buttons[4];
    int i = 0;
    const std::vector<record::Waiting> waiting = record::reviewRecord().reviewBoxes().waiting();
    for (const Choice& c : choices) {
        buttons[i++] = pictureButton(area, c);
        reviewCount(area, c, waiting);
        controls::label(area, c.heading, c.headingText, 1440, c.headingTop, c.headingWidth, 375)
            ->setFont(typeface(QStringLiteral("Times New Roman"), 12, true));
        controls::label(area, c.subtitle, c.subtitleText, 1440, c.headingTop + 360, c.subtitleWidth,
                        c.subtitleHeight)
            ->setFont(typeface(QStringLiteral("Times New Roman"), 12, false, true));
    }
    connect(buttons[0], &QToolButton::clicked, this, [this] { navigator::openExercise12(1, this); });
    connect(buttons[1], &QToolButton::clicked, this, [this] { navigator::openExercise12(2, this); });
    connect(buttons[2], &QToolButton::clicked, this, [this] { navigator::open(Window::Exercise3, this); });
    connect(buttons[3], &QToolButton::clicked, this, [this] { navigator::open(Window::Exercise5, this); });

    auto* end = controls::button(area, "Command1", QStringLiteral("&End"), 2280, 5880, 1215, 495);
    connect(end, &QPushButton::clicked, this, [] { navigator::end(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction* about = help->addAction(QStringLiteral("&About..."));
    about->setObjectName(QStringLiteral("mnuabout"));
    connect(about, &QAction::triggered, this, [] { navigator::openAbout(); });
    QAction* how = help->addAction(QStringLiteral("&How to ..."));
    how->setObjectName(QStringLiteral("mnuHow"));
    connect(how, &QAction::triggered, this, [this] {
        boxes.message(QStringLiteral("Select the exercise you want to work with by clicking on its number. "
                                          "(All of them correspond to those in the part D of  \"Lumora\".)"),
                           Module1::title + QStringLiteral("     How to ..."), Icon::Information);
    });
    QAction* progress = help->addAction(QStringLiteral("My &progress..."));
    progress->setObjectName(QStringLiteral("mnuProgress"));
    connect(progress, &QAction::triggered, this, [] { navigator::openProgress(0); });
    QAction* more = help->addAction(QStringLiteral("&More help..."));
    more->setObjectName(QStringLiteral("mnuMore"));
    connect(more, &QAction::triggered, this, [this] {
        boxes.message(reviewAndProgressHelp().join(Module1::nl + Module1::nl),
                      Module1::title + QStringLiteral("     More help"), Icon::Information);
    });
    QAction* words = help->addAction(QStringLiteral("&Words of the lesson..."));
    words->setObjectName(QStringLiteral("mnuWords"));
    connect(words, &QAction::triggered, this, [] { navigator::openWords(0); });

    // Load: backdrop behind, centred, on top, line break set.
    navigator::open(Window::Backdrop);
    adjustSize();
    Module1::center(*this);
    setOnTop(*this, true);
    Module1::nl = QStringLiteral("\r\n");
}

void Alap::closeEvent(QCloseEvent* event)
{
    if (navigator::anotherMainWindowOpen(this))
        QMainWindow::closeEvent(event);
    else
        navigator::end();
}

Hatter::Hatter()
{
    controls::announceAsWindow(this);  // before the title, which fixes how it is announced
    setObjectName(QStringLiteral("hatter"));
    setWindowTitle(QStringLiteral("   L U M O R A  !"));
    setAccessibleName(QStringLiteral("Lumora"));  // not spelt out letter by letter
    setFixedSize(twips(7710), twips(5940));
    // Behind the program's own windows whatever is clicked, also those that
    // do not stay on top (On Top off).
    setWindowFlag(Qt::WindowStaysOnBottomHint);
    controls::paint(this, QColor(224, 224, 224), QColor());  // it has no controls to keep their own colours
    Module1::center(*this);
}

void Hatter::closeEvent(QCloseEvent*) { navigator::end(); }

} // namespace lumora

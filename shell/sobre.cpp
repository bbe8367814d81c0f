#include "shell/sobre.h"

#include "core/module1.h"
#include "core/platform.h"
#include "core/prompter.h"
#include "ui/controls.h"
#include "ui/navigator.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace lumora {
namespace {

// The credits message, joined with the shared line break.
QString credits()
{
    const QString& nl = Module1::nl;
    return QStringLiteral("     This program is a first trial version of one component of a larger multimedia "
                          "package, which is being developed on the basis of the textbook \"Lumora\" "
                          "(by the Lumora textbook team, Lumora Press, Budapest, 1998-2001).")
           + nl + nl
           + QStringLiteral("     The program is free of charge and can be downloaded from our web site, www.example.org. "
                            "It may be copied and distributed freely, unchanged and without charge. "
                            "It is an ordinary windowed application: nothing needs to be installed with it.")
           + nl + nl
           + QStringLiteral("     If you have any remarks or suggestions, or simply want to let us know that you "
                            "use the program, please contact me:  ")
           + nl + QString(49, u' ') + QStringLiteral("lumora@example.org");
}

// Under the credits: the licence Lumora is under, and where to read it.
const QString licence = QStringLiteral(
    "Lumora is free software: you may share and change it under the GNU General Public License, version 3 or "
    "later. Read the licence in\n/usr/share/common-licenses/GPL-3\nor at https://www.gnu.org/licenses/gpl-3.0.html");

} // namespace

Sobre::Sobre()
{
    controls::announceAsWindow(this);
    setObjectName(QStringLiteral("sobre"));
    setWindowTitle(QStringLiteral("  About Lumora!"));
    setFixedSize(twips(5445), twips(3405));
    controls::paint(this, QColor(192, 192, 192), QColor());

    auto* panel = controls::label(this, "SSPanel1", QString(), 120, 120, 5175, 3135);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAccessibleName(QStringLiteral("About Lumora"));

    auto* name = controls::label(this, "SSPanel2", QStringLiteral("L U M O R A !"), 1200, 480, 2655, 495);
    name->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    name->setAlignment(Qt::AlignCenter);
    name->setFont(typeface(QStringLiteral("Times New Roman"), 18, true));

    auto* subject = controls::label(this, "Label5",
                                    QStringLiteral("(Magyar mint idegen nyelv     Hungarian as a foreign language)"),
                                    1080, 960, 3135, 615);
    subject->setAlignment(Qt::AlignCenter);
    controls::label(this, "Label1", QStringLiteral("On the basis of the book: Lumora  "), 360, 1680, 3975, 255)
        ->setFont(typeface(QStringLiteral("Times New Roman"), 9, false, true));
    controls::label(this, "Label4", QStringLiteral("Lumora team\nBudapest, 2001"), 360, 2040, 1455, 615);
    controls::label(this, "Label6", QStringLiteral("For more information click here:"), 1920, 2760, 2775, 375)
        ->setFont(typeface(QStringLiteral("Times New Roman"), 9.75, false, true));

    auto* info = controls::clickablePicture(this, "Image2", [this] {
        boxes.message(credits(), QStringLiteral("About Lumora!"), Icon::Information, licence);
    });
    info->setGeometry(twips(4680, 2640, 480, 480)); // the whole 32 x 32 icon
    info->setPixmap(picture(QStringLiteral(":/icons/info.ico"), *this));
    info->setAccessibleName(QStringLiteral("more information"));

    image1 = controls::label(this, "Image1", QString(), 4560, 120, 495, 495);
    image1->setAccessibleName(QStringLiteral("Lumora animation"));
    image1->setAccessibleDescription(QStringLiteral("picture"));
    const char* frameNames[] = {"Image3", "Image4", "Image5"};
    for (int i = 0; i < 3; ++i) {
        frames[i] = controls::label(this, frameNames[i], QString(), 240 + 720 * i, 3000, 615, 495);
        frames[i]->setPixmap(picture(QStringLiteral(":/icons/about%1.ico").arg(i + 1), *this));
        frames[i]->setAccessibleName(QStringLiteral("animation frame %1").arg(i + 1));
        frames[i]->hide();
    }

    ok = controls::button(this, "Command1", QStringLiteral("&OK"), 360, 2760, 855, 375);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    // Escape does what OK does; the splash, like its close box, lets it pass.
    auto* escape = new QAction(this);
    escape->setShortcut(Qt::Key_Escape);
    connect(escape, &QAction::triggered, this, &QWidget::close);
    addAction(escape);

    splash = new QTimer(this);
    splash->setObjectName(QStringLiteral("Timer1"));
    splash->setInterval(800);
    connect(splash, &QTimer::timeout, this, [this] {
        // Once: a box open over the splash (the credits, a notice about the
        // record) keeps the closed splash until it is done.
        splash->stop();
        splashing = false;
        navigator::open(navigator::Window::Menu, this);
    });
    auto* animation = new QTimer(this);
    animation->setObjectName(QStringLiteral("Timer2"));
    animation->setInterval(700);
    connect(animation, &QTimer::timeout, this, &Sobre::animate);
    animation->start();

    // Load.
    Module1::center(*this);
    setOnTop(*this, true);
    image1->setPixmap(frames[frame]->pixmap());
    if (Module1::splashdone == 0) {
        splashing = true;
        // The busy pointer loads a cursor theme: after the splash is on screen.
        afterFirstPaint(*this, [this] {
            if (splashing)
                setCursor(Qt::WaitCursor);
        });
        ok->hide();
        splash->start();
    } else {
        showAbout();
    }
}

void Sobre::showAbout()
{
    splashing = false;
    splash->stop();
    unsetCursor();
    ok->setEnabled(true);
    ok->show();
    ok->setFocus();
    defaults.set(ok);
}

void Sobre::closeEvent(QCloseEvent* event)
{
    if (splashing) {
        event->ignore();
        return;
    }
    Module1::splashdone = 1;
    QWidget::closeEvent(event);
}

// Frames cycle 3, 4, 5, 3, ...
void Sobre::animate()
{
    frame = (frame + 1) % 3;
    image1->setPixmap(frames[frame]->pixmap());
}

} // namespace lumora

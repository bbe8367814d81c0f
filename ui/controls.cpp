#include "ui/controls.h"

#include "core/module1.h"
#include "core/platform.h"
#include "core/speaker.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionFocusRect>
#include <QValidator>

namespace lumora::controls {
namespace {

class CaretToEnd : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            // After the field's own focus handling, which selects all on Tab.
            auto* field = static_cast<QLineEdit*>(watched);
            QMetaObject::invokeMethod(field, [field] { field->setCursorPosition(field->text().size()); },
                                      Qt::QueuedConnection);
        }
        return false;
    }
};

// A one-line field takes a pasted (or dropped) text on one line: its line
// breaks and tabs become single spaces as it comes in.
class OnOneLine : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override
    {
        if (QString one = Module1::oneLine(input); one != input) {
            pos = int(Module1::oneLine(input.left(pos)).size());
            input = one;
        }
        return Acceptable;
    }
};

class Picture : public QLabel {
public:
    Picture(QWidget* parent, std::function<void()> action) : QLabel(parent), action(std::move(action))
    {
        setFocusPolicy(Qt::TabFocus);
        setAccessibleDescription(QStringLiteral("picture"));
    }
    void press() { action(); }

protected:
    // Reached with Tab, it shows the focus as buttons do.
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            press();
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
            press();
        else
            QLabel::keyPressEvent(event);
    }

private:
    std::function<void()> action;
};

// A screen reader sees a clickable picture as a button it can press.
class PictureAccessible : public QAccessibleWidget {
public:
    explicit PictureAccessible(Picture* picture) : QAccessibleWidget(picture, QAccessible::Button) {}
    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }
    void doAction(const QString& name) override
    {
        // Later, as buttons do: the action may open a modal message box, and
        // the screen reader waits for this call to return.
        if (name == pressAction())
            QMetaObject::invokeMethod(widget(), [p = static_cast<Picture*>(widget())] { p->press(); },
                                      Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(name);
    }
};

const char windowRole[] = "lumoraWindow";
// What a control said before it showed meanings.
const char ownTip[] = "lumoraOwnTip";
const char ownDescription[] = "lumoraOwnDescription";

// Plain QWidgets are fillers to a screen reader, even when they are windows.
QAccessibleInterface* accessibleFactory(const QString&, QObject* object)
{
    if (auto* picture = dynamic_cast<Picture*>(object))
        return new PictureAccessible(picture);
    if (auto* w = qobject_cast<QWidget*>(object); w && w->isWindow() && w->property(windowRole).toBool())
        return new QAccessibleWidget(w, QAccessible::Window);
    return nullptr;
}

void installAccessibleFactory()
{
    static const bool installed = (QAccessible::installFactory(accessibleFactory), true);
    Q_UNUSED(installed);
}

template <class W>
W* place(W* w, const char* name, int l, int t, int width, int h)
{
    w->setObjectName(QString::fromUtf8(name)); // names such as "Solución" are not Latin-1
    w->setGeometry(twips(l, t, width, h));
    return w;
}

} // namespace

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int l, int t, int w, int h)
{
    auto* b = place(new QPushButton(caption, parent), name, l, t, w, h);
    // Enter on a focused button presses that button, as in a dialog.
    b->setAutoDefault(true);
    return b;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int l, int t, int w, int h)
{
    auto* lab = place(new QLabel(text, parent), name, l, t, w, h);
    lab->setTextFormat(Qt::PlainText);
    lab->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lab->setWordWrap(true);
    return lab;
}

QLineEdit* field(QWidget* parent, const char* name, int l, int t, int w, int h)
{
    QLineEdit* f = place(new QLineEdit(parent), name, l, t, w, h);
    f->setValidator(new OnOneLine(f));
    return f;
}

QLabel* clickablePicture(QWidget* parent, const char* name, std::function<void()> action)
{
    installAccessibleFactory();
    auto* picture = new Picture(parent, std::move(action));
    picture->setObjectName(QString::fromUtf8(name));
    picture->setCursor(Qt::PointingHandCursor);
    return picture;
}

void announceAsWindow(QWidget* window)
{
    installAccessibleFactory();
    window->setProperty(windowRole, true);
}

void caretToEndOnFocus(QLineEdit* field)
{
    field->installEventFilter(new CaretToEnd(field));
}

void showMeanings(QWidget* control, const QStringList& glosses)
{
    if (!control->property(ownTip).isValid()) {
        control->setProperty(ownTip, control->toolTip());
        control->setProperty(ownDescription, control->accessibleDescription());
    }
    auto lines = [&glosses](const QString& own) {
        return (own.isEmpty() ? glosses : QStringList{own} + glosses).join(u'\n');
    };
    control->setToolTip(lines(control->property(ownTip).toString()));
    control->setAccessibleDescription(lines(control->property(ownDescription).toString()));
}

void paint(QWidget* widget, const QColor& background, const QColor& text)
{
    QPalette p = widget->palette();
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        p.setColor(role, background);
    if (text.isValid())
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            p.setColor(role, text);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

QWidget* clientArea(QWidget* parent, int widthTwips, int heightTwips, const QColor& background)
{
    auto* area = new QWidget(parent);
    area->setFixedSize(twips(widthTwips), twips(heightTwips));
    // Only the window colour: fields and buttons on it keep their own.
    QPalette p = area->palette();
    p.setColor(QPalette::Window, background);
    area->setPalette(p);
    area->setAutoFillBackground(true);
    return area;
}

void showSpeech(QAbstractButton* button, const QString& tip, bool offered)
{
    const QString silence = speaker().silence();
    button->setEnabled(offered && silence.isEmpty());
    button->setToolTip(silence.isEmpty() ? tip : silence);
    button->setAccessibleDescription(button->toolTip());
}

void followSpeech(QAbstractButton* button, const QString& tip)
{
    auto show = [button, tip] { showSpeech(button, tip, true); };
    show();
    QObject::connect(&speaker(), &Speaker::silenceChanged, button, show);
}

} // namespace lumora::controls

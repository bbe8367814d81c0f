#include "core/module1.h"

#include "core/prompter.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <functional>

namespace lumora::Module1 {

void setmsg()
{
    msgwrong = QStringLiteral("Sorry, it's wrong. Try again. Pay attention to the spelling too.");
    title = QStringLiteral("  Lumora!  ---  5. lecke");
    msgcapital = QStringLiteral("Attention to capital letters!");
    msgdone = QStringLiteral("This exercise has been accomplished. If you want to restart it, "
                             "click on the \"Restart\" button.");
    msgstop = QStringLiteral("Don't forget to use a full stop at the end of the sentence.");
    msgsolution = QStringLiteral("The correct solution is:");
}

namespace {

void centerFrame(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = window.frameGeometry().size();
    window.move(area.x() + (area.width() - size.width()) / 2,
                area.y() + (area.height() - size.height()) / 2);
}

// Before the first show the window manager has not framed the window yet, so
// its frame is unknown: place it again once, as soon as the frame shows.
class AgainWhenFramed : public QObject {
public:
    AgainWhenFramed(QWidget& window, std::function<void()> place) : QObject(&window), place(std::move(place))
    {
        window.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = static_cast<QWidget*>(watched);
        const auto type = event->type();
        const bool looked = type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show
                            || type == QEvent::Paint || type == QEvent::WindowActivate;
        if (looked && window->frameGeometry().size() != window->size()) {
            window->removeEventFilter(this);
            deleteLater();
            place();
        }
        return false;
    }

private:
    std::function<void()> place;
};

// Places the window now, and again once the window manager has framed it.
void placeFramed(QWidget& window, const std::function<void()>& place)
{
    place();
    if (window.frameGeometry().size() == window.size())
        new AgainWhenFramed(window, place);
}

void fitFrame(QWidget& window, QSize wanted)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect inner = window.geometry(), outer = window.frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    window.resize(wanted.boundedTo(area.size().shrunkBy(frame)));
    const QSize size = window.frameGeometry().size();
    window.move(area.x() + std::max(0, (area.width() - size.width()) / 2),
                area.y() + std::max(0, (area.height() - size.height()) / 2));
}

QString lettersAndDigits(const QString& text)
{
    QString kept;
    for (QChar c : text)
        if (c.isLetterOrNumber())
            kept += c;
    return kept;
}

bool breaksLine(QChar c)
{
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == QChar(0x85)
           || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

void center(QWidget& window)
{
    placeFramed(window, [&window] { centerFrame(window); });
}

void fitOnScreen(QWidget& window, QSize wanted)
{
    placeFramed(window, [&window, wanted] { fitFrame(window, wanted); });
}

QString trim(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == u' ')
        ++from;
    while (to > from && text.at(to - 1) == u' ')
        --to;
    return text.mid(from, to - from);
}

void onespace(QString& text)
{
    // One pass: keep a space only when the character kept before it is not one.
    QString out;
    out.reserve(text.size());
    for (QChar c : std::as_const(text)) {
        if (c == u' ' && !out.isEmpty() && out.back() == u' ')
            continue;
        out.append(c);
    }
    text = out;
}

void capfirst(QString& text, Prompter& prompter)
{
    if (text.isEmpty())
        return;
    // A character outside the Basic Multilingual Plane is two UTF-16 units.
    const int len = text.size() > 1 && text.at(0).isHighSurrogate() && text.at(1).isLowSurrogate() ? 2 : 1;
    const char32_t first = len == 2 ? QChar::surrogateToUcs4(text.at(0), text.at(1)) : text.at(0).unicode();
    // One character to one: QString::toUpper would turn "ß" into "SS".
    const char32_t upper = QChar::toUpper(first);
    if (first == upper)
        return;
    text.replace(0, len, QString::fromUcs4(&upper, 1));
    prompter.beep();
    prompter.message(msgcapital, title, Icon::Exclamation);
}

void endmark(QString& text, Prompter& prompter)
{
    if (text.endsWith(u" .") || text.endsWith(u" ?") || text.endsWith(u" !"))
        text.remove(text.size() - 2, 1);
    if (!(text.endsWith(u'.') || text.endsWith(u'?') || text.endsWith(u'!'))) {
        prompter.message(msgstop, title, Icon::Exclamation);
        text.append(u'.');
    }
}

bool noTry(const QString& typed, const QString& setUp, Prompter& prompter)
{
    if (lettersAndDigits(typed) != lettersAndDigits(setUp))
        return false;
    prompter.beep();
    prompter.message(msgwrong, title, Icon::Exclamation,
                     QStringLiteral("There is no word of yours in the field yet, so this does not count as a try."));
    return true;
}

QString oneLine(const QString& pasted)
{
    QString out;
    out.reserve(pasted.size());
    bool inRun = false;
    for (QChar c : pasted) {
        const bool breaks = breaksLine(c);
        if (!breaks)
            out += c;
        else if (!inRun)
            out += u' ';
        inRun = breaks;
    }
    return out;
}

} // namespace lumora::Module1

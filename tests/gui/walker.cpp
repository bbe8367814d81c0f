#include "walker.h"

#include "core/module1.h"
#include "exercises/h05d3/window.h"
#include "exercises/h05d5/window.h"
#include "gui.h"
#include "shell/start.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QKeySequence>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>

namespace lumora::test {
namespace {

// The visible windows, popups aside, by name: Qt lists them in no fixed
// order, and a seed must walk the same way every time.
QList<QWidget*> openWindows()
{
    QList<QWidget*> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowType() != Qt::Popup)
            open << w;
    std::sort(open.begin(), open.end(), [](QWidget* a, QWidget* b) { return a->objectName() < b->objectName(); });
    return open;
}

// The visible, enabled controls of a kind in the open windows.
template <class T>
QList<T*> usable()
{
    QList<T*> found;
    for (QWidget* w : openWindows())
        for (T* c : w->findChildren<T*>())
            if (c->isVisible() && c->isEnabled())
                found << c;
    return found;
}

QString nameOf(const QObject* o)
{
    const QObject* top = o;
    while (top->parent())
        top = top->parent();
    return top->objectName() + QLatin1Char('.') + o->objectName();
}

// The window that takes the keys.
QWidget* keyWindow()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    const QList<QWidget*> open = openWindows();
    return open.isEmpty() ? nullptr : open.last();
}

// A button pressed by its access key clicks 100 ms later, when it springs back.
void awaitRelease()
{
    static_cast<void>(QTest::qWaitFor(
        [] {
            for (QAbstractButton* b : usable<QAbstractButton>())
                if (b->isDown())
                    return false;
            return true;
        },
        500));
}

// Replaces a field's text as a learner would: select all, then paste or delete.
void fill(QLineEdit* field, const QString& text)
{
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
        QTest::keyClick(field, Qt::Key_Delete);
    } else {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    }
}

template <class T>
T* named(QWidget* w, const char* name)
{
    return w->findChild<T*>(QString::fromUtf8(name));
}

bool usableButton(QWidget* w, const char* name)
{
    auto* b = named<QAbstractButton>(w, name);
    return b && b->isVisible() && b->isEnabled();
}

} // namespace

SeededRandom::SeededRandom(unsigned seed) : engine(seed) { setRandom(this); }
SeededRandom::~SeededRandom() { setRandom(nullptr); }
double SeededRandom::next() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine); }

Walker::Walker(unsigned seed, RecordingPrompter& prompter) : engine(seed), prompter(prompter) {}

int Walker::pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); }

bool Walker::chance(double p) { return std::bernoulli_distribution(p)(engine); }

// Ordinary keys and the keys that the fields translate into Hungarian letters.
QString Walker::typedKeys()
{
    static const QString ordinary = QStringLiteral("abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ.,!?123456789");
    static const QString translated = QStringLiteral("';`\\[-0]=\":~|{_)}+/");
    QString keys;
    for (int n = 1 + pick(10); n > 0; --n) {
        const QString& from = chance(0.5) ? ordinary : translated;
        keys += from.at(pick(int(from.size())));
    }
    return keys;
}

// Any text a clipboard may hold: letters, control characters, characters
// outside the Basic Multilingual Plane, lone surrogates, and now and then
// 100 K characters at once.
QString Walker::randomText()
{
    static const QString hungarian = QStringLiteral("áéíóöőúüűÁÉÍÓÖŐÚÜŰ");
    static const char16_t controls[] = {0x0, 0x1, 0x8, 0x9, 0xA, 0xD, 0x1B, 0x7F, 0x85, 0x2028, 0xFEFF};
    QString text;
    const int length = chance(0.03) ? 100 * 1024 : 1 + pick(40);
    while (text.size() < length) {
        switch (pick(10)) {
        case 0: case 1: case 2: case 3:
            text += QChar(char16_t(0x20 + pick(0x5F)));
            break;
        case 4: case 5:
            text += hungarian.at(pick(int(hungarian.size())));
            break;
        case 6:
            text += QChar(controls[pick(std::size(controls))]);
            break;
        case 7: case 8: {
            const char32_t c = 0x10000 + pick(0x100000);
            text += QChar(QChar::highSurrogate(c));
            text += QChar(QChar::lowSurrogate(c));
            break;
        }
        default:
            text += QChar(char16_t(0xD800 + pick(0x800)));
        }
    }
    return text;
}

std::vector<Walker::Event> Walker::events(const QString& kind)
{
    std::vector<Event> found;
    if (kind == QLatin1String("click")) {
        for (QAbstractButton* b : usable<QAbstractButton>())
            found.push_back({QStringLiteral("click ") + nameOf(b), [b] { QTest::mouseClick(b, Qt::LeftButton); }});
    } else if (kind == QLatin1String("menu")) {
        for (QWidget* w : openWindows())
            if (auto* main = qobject_cast<QMainWindow*>(w))
                for (QAction* title : main->menuBar()->actions())
                    for (QAction* a : title->menu() ? title->menu()->actions() : QList<QAction*>{})
                        if (a->isEnabled() && a->isVisible() && !a->isSeparator())
                            found.push_back({QStringLiteral("menu ") + nameOf(a), [a] { a->trigger(); }});
    } else if (kind == QLatin1String("access key")) {
        QWidget* w = keyWindow();
        QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789");
        if (w && !chance(0.1)) { // mostly the window's own access keys
            letters.clear();
            QStringList captions;
            for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
                captions << b->text();
            for (QMenu* m : w->findChildren<QMenu*>())
                captions << m->title();
            for (const QString& c : captions)
                if (const qsizetype i = c.indexOf(u'&'); i >= 0 && i + 1 < c.size() && c.at(i + 1).isLetterOrNumber())
                    letters += c.at(i + 1).toLower();
        }
        for (QChar c : letters) {
            const int key = c.isDigit() ? Qt::Key_0 + c.digitValue() : Qt::Key_A + (c.unicode() - u'a');
            found.push_back({QStringLiteral("Alt+") + c, [w, key] {
                                 QTest::keyClick(w, Qt::Key(key), Qt::AltModifier);
                                 awaitRelease();
                             }});
        }
    } else if (kind == QLatin1String("key")) {
        // Enter and Tab above all, and the other keys that move or press.
        static const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
            {Qt::Key_Return, {}}, {Qt::Key_Return, {}}, {Qt::Key_Return, {}}, {Qt::Key_Tab, {}},
            {Qt::Key_Tab, {}},    {Qt::Key_Tab, Qt::ShiftModifier},         {Qt::Key_Space, {}},
            {Qt::Key_Escape, {}}, {Qt::Key_Up, {}}, {Qt::Key_Down, {}},     {Qt::Key_Backspace, {}}};
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : keyWindow();
        const auto [key, modifiers] = keys[pick(std::size(keys))];
        if (target)
            found.push_back({QKeySequence(key | modifiers).toString() + QStringLiteral(" on ") + nameOf(target),
                             [target, key, modifiers] {
                                 QTest::keyClick(target, key, modifiers);
                                 awaitRelease(); // Space presses a button as its access key does
                             }});
    } else if (kind == QLatin1String("type") || kind == QLatin1String("paste")) {
        const QList<QLineEdit*> fields = usable<QLineEdit>();
        if (fields.isEmpty())
            return found;
        QLineEdit* f = fields.at(pick(int(fields.size())));
        if (kind == QLatin1String("type")) {
            const QString keys = typedKeys();
            found.push_back({QStringLiteral("type \"%1\" into %2").arg(keys, nameOf(f)), [f, keys] {
                                 QTest::mouseClick(f, Qt::LeftButton);
                                 QTest::keyClicks(f, keys);
                             }});
        } else {
            const QString text = randomText();
            const bool replace = chance(0.5);
            found.push_back({QStringLiteral("paste %1 characters into %2").arg(text.size()).arg(nameOf(f)),
                             [f, text, replace] {
                                 QGuiApplication::clipboard()->setText(text);
                                 QTest::mouseClick(f, Qt::LeftButton);
                                 if (replace)
                                     QTest::keyClick(f, Qt::Key_A, Qt::ControlModifier);
                                 QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier);
                             }});
        }
    } else if (kind == QLatin1String("combo")) {
        for (QComboBox* box : usable<QComboBox>())
            for (int i = 0; i < box->count(); ++i)
                found.push_back({QStringLiteral("choose %1 in %2").arg(box->itemText(i), nameOf(box)), [box, i] {
                                     box->showPopup();
                                     QAbstractItemView* list = box->view();
                                     const QRect item = list->visualRect(list->model()->index(i, box->modelColumn()));
                                     QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
                                 }});
    } else if (kind == QLatin1String("picture")) {
        for (QLabel* l : usable<QLabel>())
            if (!l->pixmap().isNull() || l->objectName().startsWith(QLatin1String("Image")))
                found.push_back({QStringLiteral("click ") + nameOf(l), [l] { QTest::mouseClick(l, Qt::LeftButton); }});
    } else if (kind == QLatin1String("close box")) {
        // What the window manager sends for a click on a title-bar close box.
        for (QWidget* w : openWindows())
            found.push_back({QStringLiteral("close box of ") + nameOf(w), [w] { w->close(); }});
    } else if (kind == QLatin1String("answer")) {
        found = answers();
    } else if (kind == QLatin1String("box")) {
        // The events that open a box: How to, the credits, a Solution.
        static const QStringList boxOpeners = {
            QStringLiteral("click sobre.Image2"), QStringLiteral("click h05d1.Command4"),
            QStringLiteral("click h05d3.Solución"), QStringLiteral("click h05d5.Command4")};
        for (const char* k : {"menu", "picture", "click"})
            for (Event& e : events(QLatin1String(k)))
                if (e.what.endsWith(QLatin1String(".mnuHow")) || boxOpeners.contains(e.what))
                    found.push_back({e.what + QStringLiteral(" with its box"), [this, open = e.act] { underBox(open); }});
    }
    return found;
}

// Opens a real box with `open` and, while it is open, does what can delete
// its window: a close request of a window, or the menu's "&End". Then OK on
// this box and on any that follow.
void Walker::underBox(const std::function<void()>& open)
{
    bool fired = false;
    QTimer ok;
    ok.setInterval(10);
    QObject::connect(&ok, &QTimer::timeout, [this, &fired] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (fired) {
            box->button(QMessageBox::Ok)->click();
            return;
        }
        fired = true;
        std::vector<Event> deleters;
        for (QWidget* w : openWindows())
            if (w != box)
                deleters.push_back({QStringLiteral("close box of ") + nameOf(w), [w = QPointer(w)] {
                                        if (w)
                                            w->close();
                                    }});
        if (auto* end = window("alap") ? named<QPushButton>(window("alap"), "Command1") : nullptr)
            deleters.push_back({QStringLiteral("click alap.Command1"), [end = QPointer(end)] {
                                    if (end)
                                        end->click();
                                }});
        const Event& deleter = deleters.at(pick(int(deleters.size())));
        underBoxDone = QStringLiteral(", under it: ") + deleter.what;
        // From a timer of its own, as a timer of the program would: a box the
        // deleter opens must not keep this one waiting.
        QTimer::singleShot(0, deleter.act);
    });
    ok.start();
    setPrompter(nullptr);
    open();
    setPrompter(&prompter);
}

// Right answers, as a learner who has asked for the solution gives them.
std::vector<Walker::Event> Walker::answers()
{
    std::vector<Event> found;
    if (QWidget* w = window("h05d1"); w && usableButton(w, "Command2") && usableButton(w, "Command4")) {
        found.push_back({QStringLiteral("answer h05d1 right"), [this, w] {
                             QTest::mouseClick(named<QPushButton>(w, "Command4"), Qt::LeftButton);
                             if (prompter.messages.empty())
                                 return;
                             const QString form = prompter.messages.back().text.mid(Module1::msgsolution.size());
                             auto* verb = named<QLineEdit>(w, "Text1");
                             auto* ending = named<QLineEdit>(w, "Text2");
                             const QString stem = Module1::trim(verb->text());
                             if (verb->isReadOnly()) {
                                 fill(ending, form.startsWith(stem) ? form.mid(stem.size()) : form);
                             } else {
                                 fill(verb, form);
                                 fill(ending, {});
                             }
                             QTest::keyClick(ending, Qt::Key_Return);
                         }});
    }
    if (QWidget* w = window("h05d3"); w && usableButton(w, "Siguiente") && usableButton(w, "Solución")) {
        found.push_back({QStringLiteral("answer h05d3 right"), [w] {
                             QTest::mouseClick(named<QPushButton>(w, "Solución"), Qt::LeftButton);
                             auto* field = named<QLineEdit>(w, "Text1");
                             fill(field, named<QLabel>(w, "Label1")->text());
                             QTest::keyClick(field, Qt::Key_Return);
                         }});
    }
    if (auto* w = qobject_cast<h05d5::Window*>(window("h05d5"));
        w && usableButton(w, "Command2") && usableButton(w, "Command4")) {
        found.push_back({QStringLiteral("answer h05d5 right"), [this, w] {
                             QTest::mouseClick(named<QPushButton>(w, "Command4"), Qt::LeftButton);
                             // Solution leaves the focus in the current gap.
                             const QString focused = w->focusWidget() ? w->focusWidget()->objectName() : QString();
                             if (!focused.startsWith(QLatin1String("Text1_")))
                                 return;
                             const int g = focused.mid(6).toInt();
                             auto* gap = named<QLineEdit>(w, focused.toLatin1());
                             if (!gap->isEnabled() || prompter.messages.empty())
                                 return; // a person choice has closed every gap
                             if (const h05d5::Stem* stem = h05d5::stemOf(g)) {
                                 // The stem fields before gaps 3, 8, 11 and 16.
                                 const char* names[] = {"Text7", "Text6", "Text4", "Text5"};
                                 fill(named<QLineEdit>(w, names[stem - h05d5::stems.data()]), stem->whole.toString());
                                 fill(gap, {});
                             } else {
                                 // "The correct solution is:" "-" and the suffix
                                 fill(gap, prompter.messages.back().text.mid(Module1::msgsolution.size() + 1));
                             }
                             QTest::keyClick(gap, Qt::Key_Return);
                         }});
    }
    return found;
}

QString Walker::step()
{
    struct Kind {
        const char* name;
        int weight;
    };
    static const Kind kinds[] = {{"click", 30}, {"menu", 5},  {"access key", 10}, {"key", 13},
                                 {"type", 14},  {"paste", 6}, {"combo", 4},       {"picture", 4}, {"answer", 8},
                                 {"close box", 1}, {"box", 2}};
    // The export's file dialog is cancelled at once: its own questions would
    // wait in boxes of their own, outside the walk.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible())
            dialog->reject();
    std::vector<Event> candidates;
    if (QWidget* popup = QApplication::activePopupWidget()) {
        // An open menu takes the next event: one of its items, or Escape.
        candidates.push_back({QStringLiteral("Escape"), [popup] { QTest::keyClick(popup, Qt::Key_Escape); }});
        if (auto* menu = qobject_cast<QMenu*>(popup))
            for (QAction* a : menu->actions())
                if (a->isEnabled() && a->isVisible() && !a->isSeparator())
                    candidates.push_back({QStringLiteral("menu click ") + nameOf(a), [menu, a] {
                                              QTest::mouseClick(menu, Qt::LeftButton, {},
                                                                menu->actionGeometry(a).center());
                                          }});
    } else if (diligent > 0 && (candidates = answers(), !candidates.empty()) && chance(0.95)) {
        --diligent;
    } else {
        if (diligent == 0 && chance(0.01))
            diligent = 20 + pick(130);
        int total = 0;
        for (const Kind& k : kinds)
            total += k.weight;
        do {
            int roll = pick(total);
            const Kind* kind = kinds;
            while (roll >= kind->weight)
                roll -= (kind++)->weight;
            candidates = events(QLatin1String(kind->name));
        } while (candidates.empty());
    }

    const Event& event = candidates.at(pick(int(candidates.size())));
    before = mainWindows();
    prompter.clear();
    underBoxDone.clear();
    event.act();
    settle();
    const QString what = event.what + underBoxDone;
    for (const auto& m : prompter.messages) {
        if (m.text != Module1::msgdone || before.isEmpty())
            continue;
        QString run = before.first();
        if (QWidget* w = window("h05d1"))
            run += named<QPushButton>(w, "Command10")->isEnabled() ? QStringLiteral(" ex2") : QStringLiteral(" ex1");
        ++finishedRuns[run];
    }
    recent << what;
    if (recent.size() > remembered)
        recent.removeFirst();
    return what;
}

// "&End" and the menu's close box end the program from the menu; the
// backdrop's close box from any window.
bool Walker::ended() const
{
    return openWindows().isEmpty()
           && (before == QStringList{QStringLiteral("alap")} || recent.last().contains(QLatin1String("close box of hatter")));
}

QString Walker::broken() const
{
    if (ended())
        return {};
    const QStringList open = mainWindows();
    if (open.size() != 1)
        return QStringLiteral("open: [%1], not exactly one of the menu and the exercise windows").arg(open.join(", "));
    if (!window("hatter"))
        return QStringLiteral("the backdrop is gone");
    if (QWidget* w = window("h05d1")) {
        const bool one = !named<QPushButton>(w, "Command10")->isEnabled();
        const bool two = !named<QPushButton>(w, "Command5")->isEnabled();
        if (one == two)
            return QStringLiteral("h05d1: \"&1\" and \"&2\" are both %1").arg(one ? "disabled" : "enabled");
        // The record lists each right answer the progress line counts, and a
        // run asks no more than its items: the exercise's 46 or 18 from Start,
        // or what waits for review (the count Review holds while the run goes
        // on), which may be more, with the pairs missed in Plus runs.
        const qsizetype entries = named<QPlainTextEdit>(w, "Text3")->toPlainText().count(QLatin1String("; "));
        static const QRegularExpression counts(QStringLiteral("^(\\d+)(?: of (\\d+))? right"));
        const QRegularExpressionMatch progress = counts.match(named<QLabel>(w, "Progress")->text());
        const int right = progress.captured(1).toInt();
        if (entries != right)
            return QStringLiteral("h05d1: %1 entries in the record, %2 right answers counted").arg(entries).arg(right);
        if (const int size = progress.captured(2).toInt(); size > 0) {
            if (right > size)
                return QStringLiteral("h05d1: %1 right answers in a run of %2").arg(right).arg(size);
            static const QRegularExpression held(QStringLiteral("\\((\\d+)\\)"));
            const int waiting = held.match(named<QPushButton>(w, "Review")->text()).captured(1).toInt();
            const int basic = one ? 46 : 18;
            if (named<QPushButton>(w, "Command2")->isEnabled() && size != basic && size != waiting)
                return QStringLiteral("h05d1: a run of %1 items, neither the exercise's %2 nor the %3 waiting")
                    .arg(size)
                    .arg(basic)
                    .arg(waiting);
        }
    }
    if (QWidget* w = window("h05d3")) {
        // While items run, an item is shown: its picture and its sentence.
        if (const auto* next = named<QPushButton>(w, "Siguiente"); next->isEnabled() && !next->isHidden()) {
            const auto* picture = named<QLabel>(w, "Image1");
            if (picture->pixmap().isNull())
                return QStringLiteral("h05d3: items run with no picture");
            if (!named<QLabel>(w, "Label1")->text().endsWith(u'.'))
                return QStringLiteral("h05d3: items run with no sentence to check against");
        }
    }
    if (QWidget* w = window("h05d5")) {
        // While Next can be pressed, some gap is open for it.
        if (named<QPushButton>(w, "Command2")->isEnabled()) {
            int open = 0;
            for (int g = 0; g < h05d5::gapCount; ++g)
                open += named<QLineEdit>(w, QStringLiteral("Text1_%1").arg(g).toLatin1())->isEnabled();
            if (open == 0)
                return QStringLiteral("h05d5: Next is enabled with every gap closed");
        }
    }
    return {};
}

void Walker::restart()
{
    settle();
    Module1::splashdone = 0;
    Module1::exnum = 0;
    for (QString* s : {&Module1::answer, &Module1::nl, &Module1::title, &Module1::msgwrong, &Module1::msgcapital,
                       &Module1::msgdone, &Module1::msgstop, &Module1::msgsolution})
        s->clear();
    start();
    // The splash of a restart is cut short: its 800 ms add nothing to a walk.
    if (QWidget* splash = window("sobre"))
        if (auto* timer = splash->findChild<QTimer*>(QStringLiteral("Timer1")))
            timer->start(0);
    static_cast<void>(QTest::qWaitFor([] { return window("alap") != nullptr; }, 3000)); // broken() tells
    settle();
}

} // namespace lumora::test

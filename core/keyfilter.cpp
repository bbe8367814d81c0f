#include "core/keyfilter.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace lumora {

KeyFilter::KeyFilter(KeyTable table, QObject* parent) : QObject(parent), table(table) {}

void KeyFilter::watch(std::initializer_list<QObject*> fields)
{
    for (QObject* field : fields)
        field->installEventFilter(this);
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->text().size() != 1)
        return false;
    const QChar typed = key->text().at(0);
    const QChar letter = table(typed);
    if (letter == typed)
        return false;
    // The translated letter never translates again, so this does not recurse.
    QKeyEvent translated(QEvent::KeyPress, key->key(), key->modifiers(), QString(letter),
                         key->isAutoRepeat(), key->count());
    QCoreApplication::sendEvent(watched, &translated);
    event->setAccepted(translated.isAccepted());
    return true;
}

} // namespace lumora

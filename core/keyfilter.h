#pragma once
#include "core/keytables.h"

#include <QObject>

namespace lumora {

// Applies a key table to the fields it is installed on: a typed character
// that the table translates reaches the field as the translated letter.
// Every other key, and every other event, passes untouched.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    KeyFilter(KeyTable table, QObject* parent);
    // Installs the filter on each field.
    void watch(std::initializer_list<QObject*> fields);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyTable table;
};

} // namespace lumora

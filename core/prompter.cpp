#include "core/prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace lumora {
namespace {

class BoxPrompter : public Prompter {
public:
    void beep() override { QApplication::beep(); }
    void message(const QString& text, const QString& title, Icon icon, const QString& detail) override
    {
        QMessageBox box(icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::Information,
                        title, text, QMessageBox::Ok, QApplication::activeWindow());
        if (!detail.isEmpty())
            box.setInformativeText(detail);
        box.exec();
    }
};

BoxPrompter boxPrompter;
Prompter* current = &boxPrompter;

} // namespace

Prompter& prompter() { return *current; }

void setPrompter(Prompter* p) { current = p ? p : &boxPrompter; }

} // namespace lumora

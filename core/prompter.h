#pragma once
#include <QString>

namespace lumora {

enum class Icon { Exclamation, Information };

// Message boxes and the beep. The program shows a modal QMessageBox; tests
// install a recording one, so nothing else in the code opens a message box.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void beep() = 0;
    virtual void message(const QString& text, const QString& title, Icon icon, const QString& detail = {}) = 0;
};

// The prompter every window and procedure uses.
Prompter& prompter();
// Installs another prompter (not owned); nullptr goes back to message boxes.
void setPrompter(Prompter* p);

} // namespace lumora

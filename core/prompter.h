#pragma once
#include <QString>

class QWidget;

namespace lumora {

enum class Icon { Exclamation, Information };

// Message boxes and the beep. Logic talks to this interface only; the
// program's boxes belong to a window (WindowPrompter), tests record them.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void beep() = 0;
    // detail, when given, is shown under the text in a smaller type.
    virtual void message(const QString& text, const QString& title, Icon icon, const QString& detail = {}) = 0;
};

// The boxes of one window: modal to it and shown above it, also when it stays
// on top and when boxes follow one another. Never "whatever window is active":
// between two boxes no window is, and a parentless box opens behind. Only
// before the first window is shown is there no owner (nullptr).
// A window closed while its box is open lives on until the code that asked
// for the box has returned (the box stays until OK); after that it shows no
// more boxes.
class WindowPrompter : public Prompter {
public:
    explicit WindowPrompter(QWidget* owner) : owner(owner) {}
    void beep() override;
    void message(const QString& text, const QString& title, Icon icon, const QString& detail = {}) override;

private:
    QWidget* owner;
    bool closed = false;
};

// The composition root's override of every WindowPrompter (tests install a
// recording one); not owned; nullptr goes back to the windows' own boxes.
void setPrompter(Prompter* p);

} // namespace lumora

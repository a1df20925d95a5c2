#pragma once

#include "platform/desktop/Messages.h"

#include <QList>
#include <functional>

// Installs a message-box presenter for the lifetime of the object that records
// every box shown and answers from a queue of preset answers (the box's default
// button when the queue is empty). Restores the previous presenter at the end.
class ScriptedMessages
{
public:
    ScriptedMessages();
    ~ScriptedMessages();

    void answerNext(msg::Answer answer) { m_answers << answer; }
    // Runs while the next box is shown (as if the user did something
    // elsewhere, or another workstation wrote, before answering).
    void whileNextShown(std::function<void()> action) { m_whileShown = std::move(action); }

    const QList<msg::Box> &shown() const { return m_shown; }
    int count() const { return int(m_shown.size()); }
    const msg::Box &last() const { return m_shown.last(); }
    void clear() { m_shown.clear(); }
    // Texts of all boxes, for compact assertions.
    QStringList texts() const;

private:
    msg::Presenter m_previous;
    QList<msg::Answer> m_answers;
    QList<msg::Box> m_shown;
    std::function<void()> m_whileShown;
};

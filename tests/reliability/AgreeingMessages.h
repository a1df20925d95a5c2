#pragma once

#include "platform/desktop/Messages.h"

#include <QList>

// A user who answers every question with yes (Ok or Yes, whichever the box
// offers) and whose screen is recorded: the boxes shown since the last clear().
class AgreeingMessages
{
public:
    AgreeingMessages();
    ~AgreeingMessages();

    const QList<msg::Box> &shown() const { return m_shown; }
    void clear() { m_shown.clear(); }
    // True when a box told the user something went wrong.
    bool failureShown() const;
    QString lastText() const { return m_shown.isEmpty() ? QString() : m_shown.last().text; }

private:
    msg::Presenter m_previous;
    QList<msg::Box> m_shown;
};

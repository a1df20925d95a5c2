#include "ScriptedMessages.h"

#include <QStringList>
#include <utility>

ScriptedMessages::ScriptedMessages()
{
    m_previous = msg::install([this](const msg::Box &box) {
        m_shown << box;
        if (auto action = std::exchange(m_whileShown, nullptr))
            action();
        return m_answers.isEmpty() ? box.defaultButton : m_answers.takeFirst();
    });
}

ScriptedMessages::~ScriptedMessages()
{
    msg::install(std::move(m_previous));
}

QStringList ScriptedMessages::texts() const
{
    QStringList t;
    for (const auto &b : m_shown)
        t << b.text;
    return t;
}

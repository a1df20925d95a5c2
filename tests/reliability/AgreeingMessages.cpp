#include "AgreeingMessages.h"

AgreeingMessages::AgreeingMessages()
{
    m_previous = msg::install([this](const msg::Box &box) {
        m_shown << box;
        switch (box.buttons) {
        case msg::Buttons::OkCancel:
            return msg::Answer::Ok;
        case msg::Buttons::YesNo:
            return msg::Answer::Yes;
        case msg::Buttons::Ok:
            break;
        }
        return msg::Answer::Ok;
    });
}

AgreeingMessages::~AgreeingMessages()
{
    msg::install(m_previous);
}

bool AgreeingMessages::failureShown() const
{
    for (const msg::Box &box : m_shown)
        if (box.icon == msg::Icon::Critical && box.buttons == msg::Buttons::Ok)
            return true;
    return false;
}

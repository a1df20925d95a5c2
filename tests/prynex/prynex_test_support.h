#pragma once

#include "prynex/prynex_private.h"

#include "platform/desktop/Messages.h"
#include "platform/pages/engine.h"

#include <QStringList>

// The engine inside a control, for checks the control itself does not offer.
inline pages::Engine &engineOf(Prynex &control)
{
    return *PrynexPrivate::get(control)->engine;
}

// Records every message box and answers OK; restores the previous presenter.
class RecordedMessages
{
public:
    RecordedMessages()
    {
        m_previous = msg::install([this](const msg::Box &box) {
            texts.append(box.text);
            return msg::Answer::Ok;
        });
    }
    ~RecordedMessages() { msg::install(std::move(m_previous)); }
    QStringList texts;

private:
    msg::Presenter m_previous;
};

#pragma once

// The inside of the Prynex control, shared by its source files (the
// accessors, persistence, the pages). Not installed.

#include "prynex/live_objects.h"
#include "prynex/prynex.h"

#include <QPointer>

namespace pages {
class Engine;
class PreviewWidget;
}  // namespace pages

namespace prynex {
class FrmAbout;
}

class PrynexPrivate
{
public:
    explicit PrynexPrivate(Prynex *control);

    static PrynexPrivate *get(Prynex &control) { return control.d.get(); }
    static const PrynexPrivate *get(const Prynex &control) { return control.d.get(); }

    void connectEvents();
    void markChanged(const QString &name);

    Prynex *q;
    pages::PreviewWidget *engine1;  // the inner engine's window, "Engine1"
    pages::Engine *engine;
    QPointer<prynex::FrmAbout> about;
    bool loading = false;  // loading a form marks nothing changed
    prynex::LiveObject alive;
};

#pragma once

// The printer dialog of the engine (PrintDialog(0) / Action 1): the
// platform's QPrintDialog on the engine's printer, which also offers printing
// into a PDF file. The logic library only knows a hook; this installs it.

namespace pages {

class Engine;

// For one engine.
void installPrintDialog(Engine &engine);
// For every engine that has no hook of its own.
void installDefaultPrintDialog();

}  // namespace pages

#pragma once

// The abort window shown while the engine prints (when its AbortWindow is
// set): AbortCaption as title, "AbortTextPage N" and AbortTextDevice with
// the device and port, and a button with AbortTextButton that stops printing.

namespace pages {

class Engine;

void installAbortWindow(Engine &engine);

}  // namespace pages

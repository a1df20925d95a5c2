// Built into the shared library only: a host program that loads Prynex has
// no way to reach the library's message presenter, so the library shows its
// messages (a value a property page could not apply) in real message boxes.
// Tests link the control's objects directly and script the boxes instead.
#include "platform/desktop/widgets/MessageBoxPresenter.h"

namespace {

const bool g_presenterInstalled = [] {
    msg::installMessageBoxPresenter();
    return true;
}();

}  // namespace

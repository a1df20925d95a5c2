#pragma once

#include <QByteArray>
#include <QString>

// Passwords and codes are wiped from memory once they have been used, so that
// a core dump or a swapped-out page of a running program does not hold them.
// Qt strings share their buffers: a buffer is overwritten only when the string
// wiped is its last owner, so callers drop the other copies (the input field's
// text, for one) before they wipe theirs. A shared buffer is left to its other
// owners and only this copy is emptied.
namespace secret {

void wipe(QString &text);
void wipe(QByteArray &bytes);

} // namespace secret

#pragma once

#include <QByteArray>
#include <QString>

// The Greek single-byte code page (Windows-1253) that files written by the
// old program use: the in-use marker and old copies of DIADROMH.DAT.
namespace regional {

QString fromGreekCodePage(const QByteArray &bytes);
// Characters the code page lacks become '?'.
QByteArray toGreekCodePage(const QString &text);

// UTF-8 when the bytes are valid UTF-8, otherwise the Greek code page.
QString decodeUtf8OrGreek(const QByteArray &bytes);

} // namespace regional

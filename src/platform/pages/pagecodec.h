#pragma once

// A laid-out page packed into a few bytes, for documents of thousands of pages
// kept in memory: integers as variable-length numbers, each page's fonts once,
// texts as they are, the whole compressed. Packing then unpacking gives the
// page back exactly. This is an in-memory form of one run of the program,
// not a file format: document files are docfile.h's.

#include "platform/pages/document.h"

#include <QByteArray>

namespace pages {

QByteArray packPage(const Page &page);
Page unpackPage(const QByteArray &packed);

}  // namespace pages

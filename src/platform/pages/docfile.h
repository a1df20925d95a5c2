#pragma once

// The engine's document file: the laid-out pages exactly as they are, so a
// saved document loads back identical. Layout (all numbers little-endian
// through QDataStream, Qt 6.4 format):
//   "KVPD" magic, version (16 bit), compressed flag (8 bit), page count (32 bit),
//   then one length-prefixed block per page (zlib-compressed when flagged).
//   An item of kind Recording is followed by its frame and its QPicture data.

#include "platform/pages/document.h"

#include <functional>

namespace pages {

// Called after each page is written or read with (page, of); returning
// false cancels: a cancelled save leaves no file (and an older file as it
// was), a cancelled load leaves the document untouched.
using PageProgress = std::function<bool(int page, int of)>;

enum class FileResult { Ok, FileError, BadFormat, Cancelled };

FileResult writeDocumentFile(const QString &path, const Document &document, int fromPage, int toPage,
                             bool compress, const PageProgress &afterPage);
FileResult readDocumentFile(const QString &path, Document &document, const PageProgress &afterPage);

}  // namespace pages

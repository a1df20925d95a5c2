#pragma once

struct sqlite3;

namespace db {

// Registers on a connection what the statements of the program rely on:
//  cdate(text)  -> ISO date text; fails the statement on an empty or malformed date
//  csng(text)   -> amount in ten-thousandths; fails on an empty or malformed number
//  collation GREEKCI: compares text ignoring case and accents, Greek included
void registerStoreFunctions(sqlite3 *db);

} // namespace db

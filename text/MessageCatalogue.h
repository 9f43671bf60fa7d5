#pragma once
// The message catalogue: one entry per text and place, each with its
// English and German text. Windows ask it for every user-visible text, so
// no window holds a literal user text of its own.
//
// Keys name the place: "<window>.<control or message>", for example
// "frmMain.mnuFileNew" or "frmMain.msgFileNotReadyList". The texts keep
// their exact blanks, blanks before "!" and "?", and the "&" access marks.
#include <QString>

#include <span>

struct CatalogueEntry {
    const char* key;
    const char* english; // nullptr: the edition has no text at this place
    const char* german;
};

// Text of the entry in the current edition. An unknown key is a programming
// error: it is reported with qWarning and the key itself is returned.
QString catText(const char* key);
// Text of the entry in a given edition (tests compare both).
QString catText(const char* key, bool german);
bool catHas(const char* key);

// Every table of the catalogue, one per area of the program.
std::span<const std::span<const CatalogueEntry>> catalogueTables();

#pragma once
// The three character sets of GDT field 9206 and the conversions between
// their bytes and text. Set 1 is 7-bit as German practice systems use it,
// DIN 66003: "[ \ ] { | } ~ @" stand for Ä Ö Ü ä ö ü ß §. Decoding never
// fails: a byte the set does not define (a byte over 127 in 7-bit) is read
// as code page 437, what most practice systems write. Encoding never drops
// a character: one the set cannot hold is replaced visibly. 7-bit spells
// German letters out ("ae", "oe", "ue", "ss"), writes other letters
// without their accent (é as "e") and never writes the eight DIN places,
// whose meaning differs between readers ("[" as "(", "@" as "at", ...);
// anything else the sets lack becomes "?".
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

enum class GdtCharset { Ascii = 1, Cp437 = 2, Latin1 = 3 };

// The set a 9206 content names ("1", "2", "3"); none for anything else.
std::optional<GdtCharset> gdtCharsetFromField(QByteArrayView content);
inline char gdtCharsetDigit(GdtCharset charset) { return char('0' + int(charset)); }

QString gdtDecode(QByteArrayView bytes, GdtCharset charset);
QByteArray gdtEncode(const QString& text, GdtCharset charset);

#pragma once
// The three character sets of GDT field 9206 and the conversions between
// their bytes and text. Decoding never fails: a byte the set does not
// define (a byte over 127 in 7-bit ASCII) is read as code page 437, what
// most practice systems write. Encoding never drops a character: one the
// set cannot hold is replaced visibly (German letters as "ae", "oe", "ue",
// "ss" in 7-bit ASCII, anything else as "?").
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

#pragma once
// The lines of a GDT file as they stand: each line's number (from 1), its
// declared length, field ID and content bytes, and where it lies in the
// file. Lines may end in CR LF, LF or CR; empty lines, and lines of only
// blanks, NULs or Ctrl-Z, are passed over (they still count as lines, so a
// number always names the line an editor shows). What practice systems add
// around a record is no line: a UTF-8 byte-order mark before it, Ctrl-Z
// (the DOS end of file) and NUL padding after it. A declared length that
// does not match the line is noted, not trusted: the content is what the
// line holds.
#include <QByteArray>
#include <QByteArrayView>

#include <vector>

struct GdtLine {
    int number = 0;
    int declaredLength = -1; // -1: the line does not start with three digits
    int fieldId = -1;        // -1: no four-digit field ID after the length
    QByteArray content;
    int length = 0;      // the line's bytes, with CR LF as the format counts it
    qsizetype start = 0; // its first byte in the file
    qsizetype end = 0;   // the byte after its line break

    bool isField() const { return declaredLength >= 0 && fieldId >= 0; }
    bool lengthAgrees() const { return declaredLength == length; }
};

std::vector<GdtLine> gdtLines(QByteArrayView file);

// Whether the file starts with a UTF-8 byte-order mark.
bool gdtHasUtf8Mark(QByteArrayView file);

// The record length (8100) a file declares, or -1 when none is readable.
qint64 gdtDeclaredFileLength(QByteArrayView file);

// Whether the file is whole as its writer meant it: each record's 8100
// (a record starts at each 8000) equals the record's bytes, as they stand
// or with every line counted with CR LF (as writers of LF-only lines
// count), and the file's last line is as long as it says. A file that is
// no GDT at all (no 8000 first) counts as whole: nothing more will make it
// one, so it is refused at once.
bool gdtFileComplete(QByteArrayView file);

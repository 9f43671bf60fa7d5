#pragma once
// The lines of a GDT file as they stand: each line's number (from 1), its
// declared length, field ID and content bytes. Lines may end in CR LF, LF
// or CR; empty lines are passed over (they still count as lines, so a
// number always names the line an editor shows). A declared length that
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
    int length = 0; // the line's bytes, with CR LF as the format counts it

    bool isField() const { return declaredLength >= 0 && fieldId >= 0; }
    bool lengthAgrees() const { return declaredLength == length; }
};

std::vector<GdtLine> gdtLines(QByteArrayView file);

// The record length (8100) a file declares, or -1 when none is readable.
qint64 gdtDeclaredFileLength(QByteArrayView file);

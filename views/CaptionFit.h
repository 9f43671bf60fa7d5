#pragma once
// How a caption is laid out in the narrow box of a picture button, so that
// it is readable in full rather than cut off: on one line when it fits;
// otherwise on two, broken at a blank or, in one long word, between
// syllables with a hyphen after the first part. The caption itself (the
// button's text and accessible name) stays as the catalogue has it.
#include <QFont>
#include <QStringList>

namespace CaptionFit {

// The lines of the caption in this font within width pixels, at most two.
// When nothing fits, the best two-line break (or the caption alone) is
// returned and *fits is false.
QStringList lines(const QString& caption, const QFont& font, int width, bool* fits = nullptr);

// One font for a row of buttons, in half points from font's own size down
// to minimumPointSize: the largest at which every caption fits in two
// lines, or up to a point smaller when that keeps more captions on one
// line; the font at minimumPointSize when none fits.
QFont commonFont(const QStringList& captions, const QFont& font, int width, qreal minimumPointSize);

// Places in a word after which a line may break: between syllables, before
// the consonant (or "ch", "ck", "sch", or a cluster such as "br") that
// starts the next syllable; both parts keep two letters at least.
QList<int> syllableBreaks(const QString& word);

} // namespace CaptionFit

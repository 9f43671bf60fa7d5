#include "views/CaptionFit.h"

#include <QFontMetrics>

#include <algorithm>
#include <limits>

namespace CaptionFit {

namespace {

bool isVowel(QChar c)
{
    return QStringLiteral("aeiouyäöüAEIOUYÄÖÜ").contains(c);
}

bool isConsonant(QChar c)
{
    return c.isLetter() && !isVowel(c);
}

// Consonant pairs that begin a syllable together ("Ab-bre-chen").
bool isOnsetCluster(QChar first, QChar second)
{
    static const QStringList clusters = {
        QStringLiteral("bl"), QStringLiteral("br"), QStringLiteral("dr"), QStringLiteral("fl"),
        QStringLiteral("fr"), QStringLiteral("gl"), QStringLiteral("gr"), QStringLiteral("kl"),
        QStringLiteral("kr"), QStringLiteral("pl"), QStringLiteral("pr"), QStringLiteral("tr"),
    };
    return clusters.contains(QString(first).toLower() + second.toLower());
}

struct Candidate {
    QStringList lines;
    int widest = 0;
};

// Width of the wider of the lines.
int widestOf(const QStringList& lines, const QFontMetrics& metrics)
{
    int widest = 0;
    for (const QString& line : lines)
        widest = qMax(widest, metrics.horizontalAdvance(line));
    return widest;
}

QList<QStringList> twoLineSplits(const QString& caption)
{
    QList<QStringList> splits;
    const QString text = caption.trimmed();
    for (int i = 1; i < text.size() - 1; ++i)
        if (text.at(i) == QLatin1Char(' '))
            splits.append({text.left(i).trimmed(), text.mid(i + 1).trimmed()});
    if (!splits.isEmpty())
        return splits;
    for (int at : syllableBreaks(text))
        splits.append({text.left(at) + QLatin1Char('-'), text.mid(at)});
    return splits;
}

} // namespace

QList<int> syllableBreaks(const QString& word)
{
    QList<int> breaks;
    const int n = int(word.size());
    for (int i = 1; i + 1 < n; ++i) {
        if (!isConsonant(word.at(i)) || !isVowel(word.at(i + 1)))
            continue;
        // word[i] is the last consonant before a vowel; the syllable may
        // begin earlier with it.
        int start = i;
        if (i >= 2 && word.mid(i - 2, 3).toLower() == QLatin1String("sch"))
            start = i - 2;
        else if (word.mid(i - 1, 2).toLower() == QLatin1String("ch")
                 || word.mid(i - 1, 2).toLower() == QLatin1String("ck"))
            start = i - 1;
        else if (isConsonant(word.at(i - 1)) && isOnsetCluster(word.at(i - 1), word.at(i)))
            start = i - 1;
        const QString before = word.left(start);
        const bool beforeHasVowel = std::any_of(before.begin(), before.end(), isVowel);
        if (start >= 2 && n - start >= 2 && beforeHasVowel && !breaks.contains(start))
            breaks.append(start);
    }
    return breaks;
}

QStringList lines(const QString& caption, const QFont& font, int width, bool* fits)
{
    const QFontMetrics metrics(font);
    const QStringList whole{caption.trimmed()};
    Candidate best{whole, widestOf(whole, metrics)};
    if (best.widest > width) {
        for (const QStringList& split : twoLineSplits(caption)) {
            const int widest = widestOf(split, metrics);
            if (widest < best.widest)
                best = {split, widest};
        }
    }
    if (fits)
        *fits = best.widest <= width;
    return best.lines;
}

QFont commonFont(const QStringList& captions, const QFont& font, int width, qreal minimumPointSize)
{
    // Captions broken in two at a size; -1 when one does not fit at all.
    const auto brokenAt = [&](qreal size) {
        QFont candidate = font;
        candidate.setPointSizeF(size);
        int broken = 0;
        for (const QString& caption : captions) {
            bool fits = false;
            broken += lines(caption, candidate, width, &fits).size() > 1 ? 1 : 0;
            if (!fits)
                return -1;
        }
        return broken;
    };
    QFont chosen = font;
    chosen.setPointSizeF(minimumPointSize);
    qreal largest = -1;
    int fewest = std::numeric_limits<int>::max();
    for (qreal size = font.pointSizeF(); size >= minimumPointSize; size -= 0.5) {
        // Up to a point smaller than the largest that fits, if that breaks
        // fewer captions ("Drucken" whole rather than "Dru-cken").
        if (largest > 0 && size < largest - 1.0)
            break;
        const int broken = brokenAt(size);
        if (broken < 0)
            continue;
        if (largest < 0)
            largest = size;
        if (broken < fewest) {
            fewest = broken;
            chosen.setPointSizeF(size);
        }
    }
    return chosen;
}

} // namespace CaptionFit

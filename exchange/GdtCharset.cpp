#include "exchange/GdtCharset.h"

#include <QHash>

#include <cstring>

namespace {

// Code page 437, bytes 128 to 255.
constexpr char16_t kCp437High[] =
    u"ÇüéâäàåçêëèïîìÄÅ"
    u"ÉæÆôöòûùÿÖÜ¢£¥₧ƒ"
    u"áíóúñÑªº¿⌐¬½¼¡«»"
    u"░▒▓│┤╡╢╖╕╣║╗╝╜╛┐"
    u"└┴┬├─┼╞╟╚╔╩╦╠═╬╧"
    u"╨╤╥╙╘╒╓╫╪┘┌█▄▌▐▀"
    u"αßΓπΣσµτΦΘΩδ∞φε∩"
    u"≡±≥≤⌠⌡÷≈°∙·√ⁿ²■\u00a0";
static_assert(sizeof(kCp437High) / sizeof(char16_t) == 129);

const QHash<char16_t, char>& cp437Bytes()
{
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> map;
        for (int i = 0; i < 128; ++i)
            map.insert(kCp437High[i], char(128 + i));
        return map;
    }();
    return table;
}

// German practice systems read 7-bit as DIN 66003: these eight ASCII
// places hold the German letters and the paragraph sign.
constexpr char kDinBytes[] = "[\\]{|}~@";
constexpr char16_t kDinLetters[] = u"ÄÖÜäöüß§";

// What a 7-bit result writes for a letter it cannot hold: the German
// letters spelt out, other accented letters without their accent, and
// never one of the eight places DIN 66003 gives to German letters.
QByteArray asciiSpelling(char32_t c)
{
    switch (c) {
    case U'ä': return "ae";
    case U'ö': return "oe";
    case U'ü': return "ue";
    case U'Ä': return "Ae";
    case U'Ö': return "Oe";
    case U'Ü': return "Ue";
    case U'ß': return "ss";
    case U'§': return "Par.";
    case U'[': case U'{': return "(";
    case U']': case U'}': return ")";
    case U'\\': case U'|': return "/";
    case U'~': return "-";
    case U'@': return "at";
    default: break;
    }
    if (c < 128)
        return QByteArray(1, char(c));
    // é is e with a combining accent once decomposed: keep the letter.
    QByteArray plain;
    for (const QChar part : QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD))
        if (part.unicode() < 128)
            plain.append(char(part.unicode()));
    return plain.isEmpty() ? QByteArray("?") : plain;
}

} // namespace

std::optional<GdtCharset> gdtCharsetFromField(QByteArrayView content)
{
    const QByteArray trimmed = content.toByteArray().trimmed();
    if (trimmed == "1")
        return GdtCharset::Ascii;
    if (trimmed == "2")
        return GdtCharset::Cp437;
    if (trimmed == "3")
        return GdtCharset::Latin1;
    return std::nullopt;
}

QString gdtDecode(QByteArrayView bytes, GdtCharset charset)
{
    if (charset == GdtCharset::Latin1)
        return QString::fromLatin1(bytes);
    QString text;
    text.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        const char* din = charset == GdtCharset::Ascii && u != 0 ? std::strchr(kDinBytes, b) : nullptr;
        if (din)
            text.append(QChar(kDinLetters[din - kDinBytes]));
        else
            text.append(u < 128 ? QChar(u) : QChar(kCp437High[u - 128]));
    }
    return text;
}

QByteArray gdtEncode(const QString& text, GdtCharset charset)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    // A letter outside the Basic Multilingual Plane is one character, so
    // one replacement, not two.
    for (const char32_t c : text.toUcs4()) {
        if (charset == GdtCharset::Ascii) {
            bytes.append(asciiSpelling(c));
        } else if (c < 128) {
            bytes.append(char(c));
        } else if (charset == GdtCharset::Latin1 && c < 256) {
            bytes.append(char(c));
        } else if (charset == GdtCharset::Cp437 && c < 0x10000 && cp437Bytes().contains(char16_t(c))) {
            bytes.append(cp437Bytes().value(char16_t(c)));
        } else {
            bytes.append('?');
        }
    }
    return bytes;
}

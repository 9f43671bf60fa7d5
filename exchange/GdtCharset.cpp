#include "exchange/GdtCharset.h"

#include <QHash>

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

// What 7-bit ASCII writes for the German letters it lacks.
const char* asciiSpelling(char16_t c)
{
    switch (c) {
    case u'ä': return "ae";
    case u'ö': return "oe";
    case u'ü': return "ue";
    case u'Ä': return "Ae";
    case u'Ö': return "Oe";
    case u'Ü': return "Ue";
    case u'ß': return "ss";
    default: return "?";
    }
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
        if (c < 128) {
            bytes.append(char(c));
        } else if (charset == GdtCharset::Latin1 && c < 256) {
            bytes.append(char(c));
        } else if (charset == GdtCharset::Cp437 && c < 0x10000 && cp437Bytes().contains(char16_t(c))) {
            bytes.append(cp437Bytes().value(char16_t(c)));
        } else if (charset == GdtCharset::Ascii && c < 0x10000) {
            bytes.append(asciiSpelling(char16_t(c)));
        } else {
            bytes.append('?');
        }
    }
    return bytes;
}

#include "tools/practice/PracticeSide.h"

#include "exchange/GdtLines.h"
#include "exchange/GdtResult.h"

#include <QHash>

#include <algorithm>

namespace {

QString fieldName(int id)
{
    static const QHash<int, const char*> names = {
        {8000, "record type"}, {8100, "record length"}, {8315, "receiver ID"}, {8316, "sender ID"},
        {9206, "character set"}, {9218, "GDT version"}, {3000, "patient number"}, {3101, "surname"},
        {3102, "first name"}, {3103, "date of birth"}, {3110, "sex"}, {8402, "procedure"},
        {6200, "date"}, {6201, "time"}, {6220, "findings"}, {6228, "result table"}, {8410, "test ident"},
        {8411, "test name"}, {8420, "value"}, {8421, "unit"}, {6302, "file archive ID"}, {6303, "file format"},
        {6304, "file content"}, {6305, "file path"}, {8990, "signature"},
    };
    return QString::fromLatin1(names.value(id, "?"));
}

// German 7-bit: the umlauts, ß and § in the places of [ \ ] { | } ~ @,
// anything else outside ASCII as "?".
QString germanSevenBit(const QString& text)
{
    static const QString letters = QString::fromUtf8("ÄÖÜäöüß§");
    static const QString places = QStringLiteral("[\\]{|}~@");
    QString written;
    for (const QChar c : text) {
        const qsizetype at = letters.indexOf(c);
        written += at >= 0 ? places[at] : c.unicode() < 128 ? c : QChar(u'?');
    }
    return written;
}

} // namespace

QByteArray practiceRequestFile(const PracticeRequest& request, PracticeWriter writer)
{
    PracticeRequest r = request;
    if (writer == PracticeWriter::Dos)
        r.charset = GdtCharset::Cp437;
    if (writer == PracticeWriter::SevenBit) {
        r.charset = GdtCharset::Ascii;
        r.patient.surname = germanSevenBit(r.patient.surname);
        r.patient.firstName = germanSevenBit(r.patient.firstName);
    }
    GdtFields fields = {{8315, r.deviceId}, {8316, r.pvsId}, {9206, QString(QChar(gdtCharsetDigit(r.charset)))},
                        {9218, QStringLiteral("02.10")}, {3000, r.patient.number}};
    if (!r.patient.surname.isEmpty())
        fields.emplace_back(3101, r.patient.surname);
    if (!r.patient.firstName.isEmpty())
        fields.emplace_back(3102, r.patient.firstName);
    if (r.patient.birthDate.isValid())
        fields.emplace_back(3103, r.patient.birthDate.toString(QStringLiteral("ddMMyyyy")));
    if (const QString sex = gdtSexField(r.patient.sex); !sex.isEmpty())
        fields.emplace_back(3110, sex);
    // The 7-bit text is written as it stands: ASCII bytes, whatever set encodes them.
    const GdtCharset bytesIn = writer == PracticeWriter::SevenBit ? GdtCharset::Latin1 : r.charset;
    QByteArray file = gdtRecord(QString::number(int(r.kind)), fields, bytesIn);
    if (writer == PracticeWriter::Dos)
        file += '\x1a';
    return file;
}

QList<QByteArray> practicePieces(const QByteArray& file, int count)
{
    QList<QByteArray> pieces;
    count = std::max(count, 1);
    const qsizetype size = std::max<qsizetype>((file.size() + count - 1) / count, 1);
    for (qsizetype at = 0; at < file.size(); at += size)
        pieces << file.sliced(at, std::min(size, file.size() - at));
    return pieces;
}

QStringList practiceFieldsOf(const QByteArray& result)
{
    const std::vector<GdtLine> lines = gdtLines(result);
    GdtCharset charset = GdtCharset::Cp437;
    for (const GdtLine& line : lines)
        if (line.fieldId == 9206)
            charset = gdtCharsetFromField(line.content).value_or(GdtCharset::Cp437);
    QStringList shown;
    for (const GdtLine& line : lines) {
        if (!line.isField()) {
            shown << QStringLiteral("%1  NOT A FIELD").arg(line.number, 4);
            continue;
        }
        QString text = QStringLiteral("%1  %2  %3  %4")
                           .arg(line.number, 4)
                           .arg(line.fieldId, 4, 10, QLatin1Char('0'))
                           .arg(fieldName(line.fieldId), -16)
                           .arg(gdtDecode(line.content, charset));
        if (!line.lengthAgrees())
            text += QStringLiteral("   [length says %1, line has %2]").arg(line.declaredLength).arg(line.length);
        shown << text;
    }
    if (const qint64 declared = gdtDeclaredFileLength(result); declared != result.size())
        shown << QStringLiteral("      [8100 says %1 bytes, the file has %2]").arg(declared).arg(result.size());
    return shown;
}

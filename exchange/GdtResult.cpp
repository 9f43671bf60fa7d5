#include "exchange/GdtResult.h"

namespace {

// 8100's own line: 3 + 4 + 5 digits + CR LF.
constexpr int kLengthLineBytes = 14;

class FieldList {
public:
    void add(int fieldId, const QString& value) { m_fields.emplace_back(fieldId, value); }
    void addIfGiven(int fieldId, const QString& value)
    {
        if (!value.isEmpty())
            add(fieldId, value);
    }
    const GdtFields& fields() const { return m_fields; }

private:
    GdtFields m_fields;
};

} // namespace

QByteArray gdtFieldLine(int fieldId, const QByteArray& content)
{
    const int length = 3 + 4 + int(content.size()) + 2;
    return QByteArray::number(length).rightJustified(3, '0') + QByteArray::number(fieldId).rightJustified(4, '0')
        + content + "\r\n";
}

namespace {

// Text fields may run on over several lines of the same field; any other
// field has one line.
bool continues(int fieldId)
{
    return fieldId == 6220 || fieldId == 6227 || fieldId == 6228;
}

// Content over a line's room as lines of at most kGdtMaxContent bytes,
// broken after a blank in the line's second half where there is one.
QByteArray continuedLines(int fieldId, QByteArray content)
{
    QByteArray lines;
    while (content.size() > kGdtMaxContent) {
        qsizetype cut = content.lastIndexOf(' ', kGdtMaxContent - 1) + 1;
        if (cut <= kGdtMaxContent / 2)
            cut = kGdtMaxContent;
        lines += gdtFieldLine(fieldId, content.first(cut));
        content.remove(0, cut);
    }
    return lines + gdtFieldLine(fieldId, content);
}

} // namespace

QByteArray gdtRecord(const QString& recordType, const GdtFields& fields, GdtCharset charset)
{
    const auto line = [charset](int fieldId, const QString& value) {
        QString flat = value;
        flat.replace(u'\r', u' ').replace(u'\n', u' ');
        const QByteArray content = gdtEncode(flat, charset);
        return continues(fieldId) ? continuedLines(fieldId, content)
                                  : gdtFieldLine(fieldId, content.left(kGdtMaxContent));
    };
    const QByteArray head = line(8000, recordType);
    QByteArray body;
    for (const auto& [fieldId, value] : fields)
        body += line(fieldId, value);
    const qint64 total = head.size() + kLengthLineBytes + body.size();
    return head + gdtFieldLine(8100, QByteArray::number(total).rightJustified(5, '0')) + body;
}

QByteArray writeGdtResult(const GdtResult& result)
{
    FieldList rest;
    rest.add(8315, result.receiverId);
    rest.add(8316, result.senderId);
    rest.add(9206, QString(QChar(gdtCharsetDigit(result.charset))));
    rest.add(9218, QStringLiteral("02.10"));
    const GdtPatient& patient = result.patient;
    rest.add(3000, patient.number);
    rest.addIfGiven(3101, patient.surname);
    rest.addIfGiven(3102, patient.firstName);
    if (patient.birthDate.isValid())
        rest.add(3103, patient.birthDate.toString(QStringLiteral("ddMMyyyy")));
    rest.addIfGiven(3110, gdtSexField(patient.sex));
    rest.addIfGiven(8402, result.procedure);
    if (result.examined.isValid()) {
        rest.add(6200, result.examined.date().toString(QStringLiteral("ddMMyyyy")));
        rest.add(6201, result.examined.time().toString(QStringLiteral("HHmmss")));
    }
    for (const GdtTest& test : result.tests) {
        rest.add(8410, test.ident);
        rest.addIfGiven(8411, test.name);
        rest.add(8420, test.value);
        rest.addIfGiven(8421, test.unit);
    }
    for (const QString& line : result.findings)
        rest.add(6220, line);
    for (const QString& line : result.table)
        rest.add(6228, line);
    if (result.attachment) {
        rest.add(6302, result.attachment->archiveId);
        rest.add(6303, result.attachment->format);
        rest.addIfGiven(6304, result.attachment->description);
        rest.add(6305, result.attachment->path);
    }
    rest.addIfGiven(8990, result.signature);

    return gdtRecord(QStringLiteral("6310"), rest.fields(), result.charset);
}

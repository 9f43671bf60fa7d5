#include "exchange/GdtResult.h"

namespace {

class FieldWriter {
public:
    explicit FieldWriter(GdtCharset charset) : m_charset(charset) {}

    void add(int fieldId, const QString& value)
    {
        QString flat = value;
        flat.replace(u'\r', u' ').replace(u'\n', u' ');
        m_body += gdtFieldLine(fieldId, gdtEncode(flat, m_charset).left(kGdtMaxContent));
    }
    void addIfGiven(int fieldId, const QString& value)
    {
        if (!value.isEmpty())
            add(fieldId, value);
    }
    const QByteArray& body() const { return m_body; }

private:
    GdtCharset m_charset;
    QByteArray m_body;
};

// 8100's own line: 3 + 4 + 5 digits + CR LF.
constexpr int kLengthLineBytes = 14;

} // namespace

QByteArray gdtFieldLine(int fieldId, const QByteArray& content)
{
    const int length = 3 + 4 + int(content.size()) + 2;
    return QByteArray::number(length).rightJustified(3, '0') + QByteArray::number(fieldId).rightJustified(4, '0')
        + content + "\r\n";
}

QByteArray writeGdtResult(const GdtResult& result)
{
    FieldWriter header(result.charset);
    header.add(8000, QStringLiteral("6310"));

    FieldWriter rest(result.charset);
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

    const qint64 total = header.body().size() + kLengthLineBytes + rest.body().size();
    return header.body() + gdtFieldLine(8100, QByteArray::number(total).rightJustified(5, '0')) + rest.body();
}

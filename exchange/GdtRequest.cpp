#include "exchange/GdtRequest.h"

#include "exchange/GdtLines.h"
#include "text/MessageCatalogue.h"

#include <QHash>

namespace {

// Fields whose content the request uses; any other is skipped.
constexpr int kUsedFields[] = {8000, 8315, 8316, 9206, 3000, 3101, 3102, 3103, 3110};

GdtReadError errorAt(int line, const char* key, const QString& detail = QString())
{
    QString reason = catText(key);
    if (reason.contains(u"%1"))
        reason = reason.arg(detail);
    return {line, reason};
}

// A birth date: a date, or an invalid one when the practice system knows
// only part of it (00 for the day or month: 00001980, 00031980); none when
// it is no date at all. A day is never made up for a part not known.
std::optional<QDate> birthDateOf(const QString& content)
{
    QString digits = content.trimmed();
    digits.remove(u'.');
    if (digits.size() != 8)
        return std::nullopt;
    const QDate date = QDate::fromString(digits, QStringLiteral("ddMMyyyy"));
    if (date.isValid())
        return date;
    const int day = digits.first(2).toInt();
    const int month = digits.sliced(2, 2).toInt();
    const bool partial = digits.first(2) == u"00" || digits.sliced(2, 2) == u"00";
    bool numeric = false;
    digits.toInt(&numeric);
    if (partial && numeric && day <= 31 && month <= 12)
        return QDate();
    return std::nullopt;
}

// The used fields by ID with the line each came from; a field given twice
// with other content is unclear.
struct UsedField {
    QByteArray content;
    int line = 0;
};

} // namespace

std::variant<GdtRequest, GdtReadError> readGdtRequest(QByteArrayView file)
{
    const std::vector<GdtLine> lines = gdtLines(file);
    if (lines.empty())
        return errorAt(0, "gdt.errEmpty");
    if (lines.front().fieldId != 8000)
        return errorAt(lines.front().number, "gdt.errNotGdt");

    GdtRequest request;
    QHash<int, UsedField> used;
    for (const GdtLine& line : lines) {
        // A second record is never mixed into the first one's patient.
        if (line.fieldId == 8000 && line.number != lines.front().number) {
            request.restFromLine = line.number;
            break;
        }
        if (!line.isField())
            return errorAt(line.number, "gdt.errNotField");
        if (std::find(std::begin(kUsedFields), std::end(kUsedFields), line.fieldId) == std::end(kUsedFields))
            continue;
        const QByteArray content = line.content.trimmed();
        const auto known = used.constFind(line.fieldId);
        if (known == used.cend())
            used.insert(line.fieldId, {content, line.number});
        else if (known->content != content)
            return errorAt(line.number, "gdt.errTwice", QString::number(line.fieldId));
    }

    const UsedField type = used.value(8000);
    if (type.content == "6301")
        request.kind = GdtRequestKind::MasterData;
    else if (type.content == "6302")
        request.kind = GdtRequestKind::NewExamination;
    else if (type.content == "6311")
        request.kind = GdtRequestKind::ShowExamination;
    else
        return errorAt(type.line, "gdt.errRecordType", QString::fromLatin1(type.content));

    if (used.contains(9206)) {
        const UsedField set = used.value(9206);
        const auto charset = gdtCharsetFromField(set.content);
        if (!charset)
            return errorAt(set.line, "gdt.errCharset", QString::fromLatin1(set.content));
        request.charset = *charset;
    }
    // A byte-order mark says the text is UTF-8, whatever 9206 says.
    const bool utf8 = gdtHasUtf8Mark(file);
    const auto text = [&](int id) {
        const QByteArray& content = used.value(id).content;
        return utf8 ? QString::fromUtf8(content) : gdtDecode(content, request.charset);
    };

    if (!used.contains(3000))
        return errorAt(0, "gdt.errNoPatient");
    request.patient.number = text(3000);
    if (request.patient.number.isEmpty())
        return errorAt(used.value(3000).line, "gdt.errNoPatient");
    request.patient.surname = text(3101);
    request.patient.firstName = text(3102);
    if (used.contains(3103) && !used.value(3103).content.isEmpty()) {
        const auto born = birthDateOf(text(3103));
        if (!born)
            return errorAt(used.value(3103).line, "gdt.errBirthDate", text(3103));
        request.patient.birthDate = *born;
    }
    if (used.contains(3110)) {
        const auto sex = gdtSexFromField(text(3110));
        if (!sex)
            return errorAt(used.value(3110).line, "gdt.errSex", text(3110));
        request.patient.sex = *sex;
    }
    request.receiverId = text(8315);
    request.senderId = text(8316);
    return request;
}

// libFuzzer target: any bytes as a GDT request file. The reader answers
// every input; a request it takes has a patient number, and a result
// written for that patient (in each character set) is whole: every line a
// field of the length it says, 8100 the file's size.
#include "exchange/GdtLines.h"
#include "exchange/GdtRequest.h"
#include "exchange/GdtResult.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto read = readGdtRequest(input);
    if (const auto* error = std::get_if<GdtReadError>(&read)) {
        if (error->reason.isEmpty() || error->line < 0)
            std::abort();
        return 0;
    }
    const GdtRequest& request = std::get<GdtRequest>(read);
    if (request.patient.number.isEmpty())
        std::abort();
    for (const GdtCharset charset : {GdtCharset::Ascii, GdtCharset::Cp437, GdtCharset::Latin1}) {
        GdtResult result;
        result.charset = charset;
        result.patient = request.patient;
        result.findings << request.patient.surname + request.patient.firstName;
        const QByteArray file = writeGdtResult(result);
        if (gdtDeclaredFileLength(file) != file.size())
            std::abort();
        for (const GdtLine& line : gdtLines(file))
            if (!line.isField() || !line.lengthAgrees())
                std::abort();
    }
    return 0;
}

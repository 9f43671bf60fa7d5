// libFuzzer target: any bytes as a settings file, and a value to write into
// it (the bytes after the first NUL). Reading takes any file; a written
// value reads back as given, and every other key keeps its value.
#include "platform/IniText.h"

#include <array>
#include <cstdint>
#include <cstdlib>

namespace {

struct Address {
    const char* section;
    const char* key;
};
constexpr std::array<Address, 5> kAddresses = {{
    {"Settings", "KEY"}, {"Settings", "A"}, {"Settings", "B"}, {"Other", "KEY"}, {"", "KEY"}}};

std::optional<QString> valueAt(const QByteArray& file, const Address& a)
{
    return iniValue(file, QString::fromLatin1(a.section), QString::fromLatin1(a.key));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    const QByteArray file = split < 0 ? input : input.first(split);
    const QString value = split < 0 ? QString() : QString::fromUtf8(input.sliced(split + 1));

    std::array<std::optional<QString>, kAddresses.size()> before;
    for (size_t i = 0; i < kAddresses.size(); ++i)
        before[i] = valueAt(file, kAddresses[i]);
    if (!iniValueWritable(value))
        return 0;

    const QByteArray written = iniWithValue(file, QStringLiteral("Settings"), QStringLiteral("KEY"), value);
    if (valueAt(written, kAddresses[0]) != value)
        std::abort();
    for (size_t i = 1; i < kAddresses.size(); ++i) {
        if (valueAt(written, kAddresses[i]) != before[i])
            std::abort();
    }
    return 0;
}

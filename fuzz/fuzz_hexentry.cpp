// Feeds arbitrary text to the base-address entry reader and to StripLeadingZeros and checks
// both against plain readings written here. The bytes are read twice: as UTF-16 code units,
// which reaches every character a user can type, and as Latin-1, which mutates faster.
#include "template.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

std::optional<unsigned> HexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return unsigned(c - u'0');
    if (c >= u'a' && c <= u'f')
        return unsigned(c - u'a' + 10);
    if (c >= u'A' && c <= u'F')
        return unsigned(c - u'A' + 10);
    return std::nullopt;
}

// Every character a hex digit, at most eight of them after the leading zeros.
std::optional<quint32> ReadReference(const std::u16string &text)
{
    if (text.empty())
        return std::nullopt;
    const size_t significant = text.size() - std::min(text.find_first_not_of(u'0'), text.size());
    if (significant > 8)
        return std::nullopt;
    quint32 value = 0;
    for (const char16_t c : text) {
        const std::optional<unsigned> digit = HexDigit(c);
        if (!digit)
            return std::nullopt;
        value = value * 16 + *digit;
    }
    return value;
}

std::u16string StripReference(const std::u16string &text)
{
    const size_t first = text.find_first_not_of(u'0');
    if (first != std::u16string::npos)
        return text.substr(first);
    return text.empty() ? text : text.substr(text.size() - 1);
}

[[noreturn]] void Fail(const char *what, const QString &text)
{
    std::fprintf(stderr, "%s differs for \"%s\"\n", what, text.toUtf8().constData());
    std::abort();
}

void Check(const std::u16string &units)
{
    // Every code unit as it is: the UTF-16 conversions would drop a leading byte-order mark.
    const QString text(reinterpret_cast<const QChar *>(units.data()), qsizetype(units.size()));
    const std::optional<quint32> read = ReadHexAddress(text);
    if (read != ReadReference(units))
        Fail("ReadHexAddress", text);
    if (StripLeadingZeros(text).toStdU16String() != StripReference(units))
        Fail("StripLeadingZeros", text);
    // What the handlers write back into the box reads as the same number.
    if (read && ReadHexAddress(QString::number(*read, 16).toUpper()) != read)
        Fail("Reading the written address", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = char16_t(data[2 * i] | data[2 * i + 1] << 8);
    Check(units);
    Check(std::u16string(data, data + size));
    return 0;
}

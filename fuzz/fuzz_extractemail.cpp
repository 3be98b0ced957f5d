// ExtractEmail against the plain rule written out by hand: any line on which they differ is
// a finding.
#include "FuzzCheck.h"
#include "PlainEmailRule.h"

#include "recipients/ExtractEmail.h"

namespace {

// Characters that matter to an address, so that short inputs reach the interesting cases.
const char16_t kAlphabet[] = u"abcXYZ019_-.@@..+<> \tée\u00DF\u0130\u212A\u017F\U0001F600;,'\"";

void Check(const QString &line)
{
    const QString got = ExtractEmail(line);
    const QString expected = PlainEmailRule(line);
    FUZZ_CHECK(
        got == expected,
        QStringLiteral("line     %1\nexpected %2\ngot      %3").arg(Escaped(line), Escaped(expected), Escaped(got)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Check(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    Check(RawUtf16(data, size));
    QString mapped;
    constexpr size_t alphabetSize = sizeof(kAlphabet) / sizeof(kAlphabet[0]) - 1;
    for (size_t i = 0; i < size; ++i)
        mapped += QChar(kAlphabet[data[i] % alphabetSize]);
    Check(mapped);
    return 0;
}

#include "recipients/NarrowCollation.h"

#include "recipients/NarrowCodePage.h"

#include <QScopeGuard>

#include <unicode/ucoleitr.h>
#include <unicode/uset.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

UCollator *OpenCaseBlindCollator(const QByteArray &name)
{
    UErrorCode status = U_ZERO_ERROR;
    UCollator *collator = ucol_open(name.constData(), &status);
    if (U_FAILURE(status))
        return nullptr;
    const auto set = [&](UColAttribute attribute, UColAttributeValue value) {
        status = U_ZERO_ERROR;
        ucol_setAttribute(collator, attribute, value, &status);
    };
    set(UCOL_NORMALIZATION_MODE, UCOL_ON);
    set(UCOL_STRENGTH, UCOL_SECONDARY);
    set(UCOL_NUMERIC_COLLATION, UCOL_OFF);
    set(UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE);
    return collator;
}

namespace {

struct Element
{
    quint32 primary;
    quint16 secondary;
};

// The collation elements of one character. ICU hands each element out in two halves when it
// does not fit 32 bits: the primary's high half with the secondary's and tertiary's high
// bytes, then (marked 0xC0) the primary's low half with their low bytes.
std::vector<Element> ElementsOf(UCollator *collator, char16_t unit)
{
    std::vector<Element> elements;
    UErrorCode status = U_ZERO_ERROR;
    const UChar text = unit;
    UCollationElements *it = ucol_openElements(collator, &text, 1, &status);
    if (U_FAILURE(status))
        return {};
    for (;;) {
        const int32_t next = ucol_next(it, &status);
        if (next == UCOL_NULLORDER || U_FAILURE(status))
            break;
        const auto half = quint32(next);
        if (!elements.empty() && (half & 0xC0) == 0xC0) {
            elements.back().primary |= half >> 16;
            elements.back().secondary |= quint16((half >> 8) & 0xFF);
        } else {
            elements.push_back({half & 0xFFFF0000u, quint16(half & 0xFF00)});
        }
    }
    ucol_closeElements(it);
    return elements;
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

// Compares two bytes as two lines of one character each, by the table.
int CompareBytes(const NarrowCollation::Byte &a, const NarrowCollation::Byte &b)
{
    const auto compare = [](const quint8 *x, int nx, const quint8 *y, int ny) {
        for (int k = 0; k < std::min(nx, ny); ++k)
            if (x[k] != y[k])
                return x[k] < y[k] ? -1 : 1;
        return Sign(nx - ny);
    };
    const int primary = compare(a.primary.data(), a.primaryCount, b.primary.data(), b.primaryCount);
    if (primary != 0)
        return primary;
    return compare(a.secondary.data(), a.secondaryCount, b.secondary.data(), b.secondaryCount);
}

std::unique_ptr<NarrowCollation> Build(const QByteArray &name)
{
    UCollator *collator = OpenCaseBlindCollator(name);
    if (!collator)
        return {};
    const auto closeCollator = qScopeGuard([&] { ucol_close(collator); });
    UErrorCode status = U_ZERO_ERROR;
    if (ucol_getAttribute(collator, UCOL_FRENCH_COLLATION, &status) != UCOL_OFF
        || ucol_getAttribute(collator, UCOL_CASE_LEVEL, &status) != UCOL_OFF || U_FAILURE(status))
        return {};
    status = U_ZERO_ERROR;
    if (ucol_getReorderCodes(collator, nullptr, 0, &status) != 0)
        return {};

    const auto &page = NarrowCodePage::tables();
    std::array<std::vector<Element>, 256> elements;
    std::vector<quint32> primaries;
    std::vector<quint16> secondaries;
    for (int b = 0; b < 256; ++b) {
        elements[b] = ElementsOf(collator, page.decode[b]);
        if (elements[b].size() > size_t(NarrowCollation::MaxElements))
            return {};
        for (const Element &e : elements[b]) {
            if (e.primary)
                primaries.push_back(e.primary);
            if (e.secondary)
                secondaries.push_back(e.secondary);
        }
    }
    std::sort(primaries.begin(), primaries.end());
    primaries.erase(std::unique(primaries.begin(), primaries.end()), primaries.end());
    std::sort(secondaries.begin(), secondaries.end());
    secondaries.erase(std::unique(secondaries.begin(), secondaries.end()), secondaries.end());
    if (primaries.size() > 255 || secondaries.size() > 255)
        return {};

    auto table = std::make_unique<NarrowCollation>();
    for (int b = 0; b < 256; ++b) {
        NarrowCollation::Byte &entry = table->bytes[b];
        for (const Element &e : elements[b]) {
            if (e.primary)
                entry.primary[entry.primaryCount++] =
                    quint8(1 + (std::lower_bound(primaries.begin(), primaries.end(), e.primary) - primaries.begin()));
            if (e.secondary)
                entry.secondary[entry.secondaryCount++] = quint8(
                    1 + (std::lower_bound(secondaries.begin(), secondaries.end(), e.secondary) - secondaries.begin()));
        }
    }

    // A contraction made of these characters changes what its later characters mean.
    USet *contractions = uset_openEmpty();
    const auto closeSet = qScopeGuard([&] { uset_close(contractions); });
    status = U_ZERO_ERROR;
    ucol_getContractionsAndExpansions(collator, contractions, nullptr, true, &status);
    if (U_FAILURE(status))
        return {};
    for (int32_t i = 0; i < uset_getItemCount(contractions); ++i) {
        UChar32 first, last;
        UChar text[64];
        status = U_ZERO_ERROR;
        const int32_t length = uset_getItem(contractions, i, &first, &last, text, 64, &status);
        if (U_FAILURE(status))
            return {};
        if (length <= 1)
            continue; // single characters, not contractions
        const bool narrow =
            std::all_of(text, text + length, [&](UChar u) { return page.encode[u] != NarrowCodePage::NoByte; });
        if (narrow)
            for (int32_t k = 1; k < length; ++k)
                table->bytes[page.encode[text[k]]].special = true;
    }

    // What the table says of every two characters must be what ICU says of them.
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            if (table->bytes[a].special || table->bytes[b].special)
                continue;
            const UChar x = page.decode[a];
            const UChar y = page.decode[b];
            if (Sign(ucol_strcoll(collator, &x, 1, &y, 1)) != CompareBytes(table->bytes[a], table->bytes[b]))
                return {};
        }
    }
    return table;
}

} // namespace

const NarrowCollation *NarrowCollationFor(const QByteArray &collatorName)
{
    static std::mutex mutex;
    static std::map<QByteArray, std::unique_ptr<NarrowCollation>> tables;
    const std::lock_guard lock(mutex);
    auto it = tables.find(collatorName);
    if (it == tables.end())
        it = tables.emplace(collatorName, Build(collatorName)).first;
    return it->second.get();
}

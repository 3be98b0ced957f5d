#include "recipients/RecipientSort.h"

#include "recipients/NarrowCodePage.h"
#include "recipients/NarrowCollation.h"
#include "recipients/RecipientList.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

// The order is the one QCollator's sort keys give, ignoring case, ties keeping their order:
// ICU's collator for the locale at secondary strength (accents count, case does not), or in
// the C locale the UTF-8 of the case-folded text compared as a C string. A million lines take
// a million keys: each is made once, on every core, and keys are compared as bytes. Where
// the collator reads the one-byte characters each on its own (NarrowCollation), a line's key
// is its letters' ranks, read from a table, and accents decide only between lines whose
// letters are all the same; otherwise ICU makes the keys.

namespace {

enum class KeyKind {
    CaseFolded, // the C locale
    Collator, // ICU's own sort keys
    NarrowLetters, // NarrowCollation's primary ranks, accents after
};

// One line's key: where it lies among the keys made by one worker, and its length. Every
// kind of key ends with a zero byte, the only one in it.
struct KeyRef
{
    quint64 offset;
    quint32 length;
    quint32 part;
};

struct SortKeys
{
    std::vector<KeyRef> refs;
    std::vector<QByteArray> parts;

    const char *key(quint32 row) const { return parts[refs[row].part].constData() + refs[row].offset; }
    quint32 length(quint32 row) const { return refs[row].length; }
};

// Appends keys to one growing buffer.
class KeyWriter
{
public:
    KeyWriter(QByteArray &buffer, qsizetype expected) : m_buffer(buffer)
    {
        m_buffer.resize(std::max<qsizetype>(expected, 4096));
    }
    // Room for at least bytes more; the pointer stays valid until the next call.
    char *room(qsizetype bytes)
    {
        if (m_used + bytes > m_buffer.size())
            m_buffer.resize(std::max(m_buffer.size() * 2, m_used + bytes));
        return m_buffer.data() + m_used;
    }
    qsizetype used() const { return m_used; }
    void commit(qsizetype bytes) { m_used += bytes; }
    void finish() { m_buffer.truncate(m_used); }

private:
    QByteArray &m_buffer;
    qsizetype m_used = 0;
};

// The C locale's keys of the one-byte characters: the UTF-8 of each one's case folding.
struct FoldedBytes
{
    std::array<std::array<char, 8>, 256> utf8;
    std::array<quint8, 256> length;
};

const FoldedBytes &foldedBytes()
{
    static const FoldedBytes table = [] {
        FoldedBytes t{};
        const auto &page = NarrowCodePage::tables();
        for (int b = 0; b < 256; ++b) {
            const QByteArray folded = QString(QChar(page.decode[b])).toCaseFolded().toUtf8();
            t.length[b] = quint8(std::min<qsizetype>(folded.size(), 8));
            std::memcpy(t.utf8[b].data(), folded.constData(), t.length[b]);
        }
        return t;
    }();
    return table;
}

// The UTF-8 of the case-folded line up to its first zero, as a C string.
void CaseFoldedKey(const RecipientList &list, quint32 row, KeyWriter &writer)
{
    const QByteArrayView narrow = list.narrowLineAt(row);
    if (narrow.isNull()) {
        const QByteArray key = list.lineAt(row).toCaseFolded().toUtf8();
        const qsizetype n = qstrnlen(key.constData(), size_t(key.size()));
        char *out = writer.room(n + 1);
        std::memcpy(out, key.constData(), size_t(n));
        out[n] = 0;
        writer.commit(n + 1);
        return;
    }
    const FoldedBytes &folded = foldedBytes();
    char *out = writer.room(narrow.size() * 8 + 1);
    qsizetype n = 0;
    for (const char c : narrow) {
        if (c == 0)
            break;
        const auto b = quint8(c);
        std::memcpy(out + n, folded.utf8[b].data(), folded.length[b]);
        n += folded.length[b];
    }
    out[n] = 0;
    writer.commit(n + 1);
}

void CollatorKey(const RecipientList &list, quint32 row, UCollator *collator, std::vector<char16_t> &units,
                 KeyWriter &writer)
{
    const QByteArrayView narrow = list.narrowLineAt(row);
    QString wide;
    const UChar *text;
    qsizetype size;
    if (!narrow.isNull()) {
        const auto &page = NarrowCodePage::tables();
        units.resize(size_t(narrow.size()));
        for (qsizetype k = 0; k < narrow.size(); ++k)
            units[size_t(k)] = page.decode[quint8(narrow[k])];
        text = reinterpret_cast<const UChar *>(units.data());
        size = narrow.size();
    } else {
        wide = list.lineAt(row);
        text = reinterpret_cast<const UChar *>(wide.utf16());
        size = wide.size();
    }
    const auto length = int32_t(std::min<qsizetype>(size, INT32_MAX));
    const qsizetype guess = 16 + size + size / 4;
    int32_t needed =
        ucol_getSortKey(collator, text, length, reinterpret_cast<uint8_t *>(writer.room(guess)), int32_t(guess));
    if (needed > guess)
        needed = ucol_getSortKey(collator, text, length, reinterpret_cast<uint8_t *>(writer.room(needed)), needed);
    writer.commit(needed);
}

// The letters' ranks; false for a line the table cannot rank.
bool LettersKey(const RecipientList &list, quint32 row, const NarrowCollation &table, KeyWriter &writer)
{
    const QByteArrayView narrow = list.narrowLineAt(row);
    if (narrow.isNull())
        return false;
    char *out = writer.room(narrow.size() * NarrowCollation::MaxElements + 1);
    qsizetype n = 0;
    for (const char c : narrow) {
        const NarrowCollation::Byte &b = table.bytes[quint8(c)];
        if (b.special)
            return false;
        std::memcpy(out + n, b.primary.data(), NarrowCollation::MaxElements);
        n += b.primaryCount;
    }
    out[n] = 0; // ranks start at 1: the end sorts first, as a shorter line does
    writer.commit(n + 1);
    return true;
}

// The accents' ranks, for lines whose letters are the same.
QByteArray AccentsKey(const RecipientList &list, quint32 row, const NarrowCollation &table)
{
    QByteArray key;
    for (const char c : list.narrowLineAt(row)) {
        const NarrowCollation::Byte &b = table.bytes[quint8(c)];
        key.append(reinterpret_cast<const char *>(b.secondary.data()), b.secondaryCount);
    }
    return key;
}

// A row with sixteen bytes of its key from some depth on, as two numbers that compare as the
// bytes do (zeros after the key's end).
constexpr quint32 ChunkWords = 4;
constexpr quint32 ChunkBytes = 8 * ChunkWords;

struct Entry
{
    std::array<quint64, ChunkWords> chunk;
    quint32 row;
};

void LoadChunk(Entry &entry, const SortKeys &keys, quint32 depth)
{
    unsigned char bytes[ChunkBytes] = {};
    const quint32 length = keys.length(entry.row);
    if (depth < length)
        std::memcpy(bytes, keys.key(entry.row) + depth, std::min<quint32>(ChunkBytes, length - depth));
    for (quint32 w = 0; w < ChunkWords; ++w) {
        quint64 word;
        std::memcpy(&word, bytes + 8 * w, 8);
        entry.chunk[w] = qFromBigEndian(word);
    }
}

bool Before(const Entry &a, const Entry &b)
{
    if (a.chunk != b.chunk)
        return a.chunk < b.chunk;
    return a.row < b.row; // equal keys keep their order
}

bool SameChunk(const Entry &a, const Entry &b)
{
    return a.chunk == b.chunk;
}

// How many entries ahead a walk over scattered keys asks the memory for.
constexpr size_t LookAhead = 8;

struct Range
{
    size_t begin;
    size_t end;
    quint32 depth; // every entry in the range has the same first depth bytes
};

struct Ranges
{
    std::vector<Range> deeper; // equal so far, to be sorted further
    std::vector<Range> equal; // equal keys, in row order
};

void CollectTies(const std::vector<Entry> &entries, const SortKeys &keys, Range range, Ranges &out)
{
    for (size_t i = range.begin; i < range.end;) {
        size_t j = i + 1;
        while (j < range.end && SameChunk(entries[j], entries[i]))
            ++j;
        if (j - i > 1) {
            // Equal chunks that hold the end of a key (its zero) are equal keys: a longer
            // key has no zero there.
            if (keys.length(entries[i].row) > range.depth + ChunkBytes)
                out.deeper.push_back({i, j, range.depth + ChunkBytes});
            else
                out.equal.push_back({i, j, range.depth});
        }
        i = j;
    }
}

// Sorts each range by its next sixteen key bytes, then the ties among them deeper, until
// every key has been told apart or has ended.
void SortRanges(std::vector<Entry> &entries, const SortKeys &keys, Ranges &work)
{
    while (!work.deeper.empty()) {
        const Range range = work.deeper.back();
        work.deeper.pop_back();
        for (size_t i = range.begin; i < range.end; ++i) {
            // The keys of a range lie all over memory: ask for them ahead.
            if (i + LookAhead < range.end)
                __builtin_prefetch(keys.key(entries[i + LookAhead].row) + range.depth);
            LoadChunk(entries[i], keys, range.depth);
        }
        std::sort(entries.begin() + qsizetype(range.begin), entries.begin() + qsizetype(range.end), Before);
        CollectTies(entries, keys, range, work);
    }
}

// Runs work(worker) on count workers, the last one on this thread, and waits for them all.
template <typename Work>
void OnWorkers(unsigned count, const Work &work)
{
    std::vector<std::thread> threads;
    for (unsigned k = 0; k + 1 < count; ++k)
        threads.emplace_back([&work, k] { work(k); });
    work(count - 1);
    for (std::thread &t : threads)
        t.join();
}

unsigned WorkerCount(qsizetype lines)
{
    // A worker for every few thousand lines, at most one per core.
    const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, 16u);
    return unsigned(std::clamp<qsizetype>(lines / 4096, 1, cores));
}

// Sorts the rows by keys of the given kind; the rows with equal keys end up in row order,
// listed in equal. False when a line could not be given a key of that kind.
bool SortByKeys(const RecipientList &list, KeyKind kind, const QByteArray &collatorName, const NarrowCollation *table,
                std::vector<Entry> &entries, std::vector<Range> &equal)
{
    const auto count = quint32(list.lineCount());
    const unsigned workers = WorkerCount(count);
    const auto partBegin = [&](unsigned k) { return quint32(quint64(count) * k / workers); };
    SortKeys keys;
    keys.refs.resize(count);
    keys.parts.resize(workers);
    entries.resize(count);
    std::atomic<bool> unkeyed = false;
    // Each worker makes the keys of its share of the lines and sorts that share by their
    // first sixteen bytes.
    OnWorkers(workers, [&](unsigned k) {
        UCollator *collator = kind == KeyKind::Collator ? OpenCaseBlindCollator(collatorName) : nullptr;
        std::vector<char16_t> units;
        KeyWriter writer(keys.parts[k], qsizetype(partBegin(k + 1) - partBegin(k)) * 64);
        for (quint32 row = partBegin(k); row < partBegin(k + 1); ++row) {
            const qsizetype at = writer.used();
            switch (kind) {
            case KeyKind::CaseFolded:
                CaseFoldedKey(list, row, writer);
                break;
            case KeyKind::Collator:
                if (collator)
                    CollatorKey(list, row, collator, units, writer);
                break; // no collator: every key empty, as QCollator's then
            case KeyKind::NarrowLetters:
                if (unkeyed || !LettersKey(list, row, *table, writer)) {
                    unkeyed = true;
                    break;
                }
            }
            keys.refs[row] = {quint64(at), quint32(writer.used() - at), k};
        }
        writer.finish();
        ucol_close(collator);
        if (unkeyed)
            return;
        for (quint32 row = partBegin(k); row < partBegin(k + 1); ++row) {
            entries[row].row = row;
            LoadChunk(entries[row], keys, 0);
        }
        std::sort(entries.begin() + partBegin(k), entries.begin() + partBegin(k + 1), Before);
    });
    if (unkeyed)
        return false;
    for (unsigned k = 1; k < workers; ++k)
        std::inplace_merge(entries.begin(), entries.begin() + partBegin(k), entries.begin() + partBegin(k + 1), Before);

    // The ties are independent of each other: the workers share them out.
    Ranges ties;
    CollectTies(entries, keys, {0, entries.size(), 0}, ties);
    std::vector<Ranges> shares(workers);
    for (size_t t = 0; t < ties.deeper.size(); ++t)
        shares[t % workers].deeper.push_back(ties.deeper[t]);
    OnWorkers(workers, [&](unsigned k) { SortRanges(entries, keys, shares[k]); });
    equal = std::move(ties.equal);
    for (const Ranges &share : shares)
        equal.insert(equal.end(), share.equal.begin(), share.equal.end());
    return true;
}

} // namespace

void SortRecipientLines(RecipientList &list, const QLocale &locale)
{
    const qsizetype count = list.lineCount();
    const bool cLocale = locale.language() == QLocale::C;
    const QByteArray collatorName = locale.bcp47Name().replace(u'-', u'_').toLatin1();
    const NarrowCollation *table = cLocale ? nullptr : NarrowCollationFor(collatorName);

    std::vector<Entry> entries;
    std::vector<Range> equal;
    bool byLetters = false;
    if (count > 1) {
        if (cLocale) {
            SortByKeys(list, KeyKind::CaseFolded, collatorName, nullptr, entries, equal);
        } else {
            byLetters = table && SortByKeys(list, KeyKind::NarrowLetters, collatorName, table, entries, equal);
            if (!byLetters)
                SortByKeys(list, KeyKind::Collator, collatorName, nullptr, entries, equal);
        }
    }
    // Lines of the same letters: their accents decide, then their order.
    if (byLetters) {
        for (const Range &range : equal) {
            std::vector<std::pair<QByteArray, quint32>> accents;
            for (size_t i = range.begin; i < range.end; ++i)
                accents.emplace_back(AccentsKey(list, entries[i].row, *table), entries[i].row);
            std::stable_sort(accents.begin(), accents.end(),
                             [](const auto &a, const auto &b) { return a.first < b.first; });
            for (size_t i = range.begin; i < range.end; ++i)
                entries[i].row = accents[i - range.begin].second;
        }
    }

    std::vector<qsizetype> order(static_cast<size_t>(count));
    for (qsizetype r = 0; r < count; ++r)
        order[size_t(r)] = entries.empty() ? r : entries[size_t(r)].row;
    entries = {};
    list.reorderLines(order);
}

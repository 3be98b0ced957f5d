#include "recipients/RecipientList.h"

#include "files/TextCodec.h"
#include "helpers/AppError.h"
#include "recipients/FoldedByteSearch.h"
#include "recipients/NarrowCodePage.h"

#include <QChar>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <queue>

using namespace Qt::StringLiterals;

namespace {

using NarrowCodePage::NoByte;

// One line, in twelve bytes: where its one-byte text starts in Store::bytes, its length in
// UTF-16 units, its mark and, for a line that does not fit one byte per character, 1 + the
// slot of its exact UTF-16 text (0 for a one-byte line). bits holds the mark (top bit), the
// offset's bits above 32 (the next five) and the slot (the low 26).
struct Row
{
    quint32 offsetLow;
    quint32 length;
    quint32 bits;

    static constexpr quint32 MarkBit = 0x80000000u;
    static constexpr int HighShift = 26;
    static constexpr quint32 HighMask = 0x1Fu << HighShift;
    static constexpr quint32 SlotMask = (1u << HighShift) - 1;
    static constexpr quint64 MaxOffset = (quint64(1) << 37) - 1;

    quint64 offset() const { return offsetLow | quint64((bits & HighMask) >> HighShift) << 32; }
    void setOffset(quint64 at)
    {
        offsetLow = quint32(at);
        bits = (bits & ~HighMask) | (quint32(at >> 32) << HighShift & HighMask);
    }
    bool marked() const { return bits & MarkBit; }
    void setMarked(bool on) { bits = on ? (bits | MarkBit) : (bits & ~MarkBit); }
    quint32 wideSlot() const { return bits & SlotMask; } // 0: none, else slot + 1
    void setWideSlot(quint32 slotPlusOne) { bits = (bits & ~SlotMask) | slotPlusOne; }
};
static_assert(sizeof(Row) == 12);
static_assert(MaxLineListLines < Row::SlotMask, "every line may need a slot");

constexpr char Separator = '\n';
// How many rows ahead a walk in a scattered order asks the memory for.
constexpr size_t LookAhead = 8;

bool isBreakOrNul(char16_t u)
{
    return u == 0 || u == u'\n' || u == u'\r';
}

// Writes the one-byte form of units to out (out holds units.size() bytes). Returns false
// when some unit has no byte: out then holds the line's search shadow instead.
bool encodeNarrow(QStringView units, char *out, bool &hasBreaks)
{
    const auto &t = NarrowCodePage::tables();
    const char16_t *s = reinterpret_cast<const char16_t *>(units.utf16());
    const qsizetype n = units.size();
    bool narrow = true;
    qsizetype k = 0;
    while (k < n) {
#if defined(__SSE2__)
        // Eight units at once when each is its own byte (below U+0100, outside U+0080-U+009F)
        // and none is a control character that may be a break: the usual case.
        if (k + 8 <= n) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + k));
            const __m128i beyondByte =
                _mm_xor_si128(_mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(short(0xFF00))), _mm_setzero_si128()),
                              _mm_set1_epi16(-1));
            const __m128i windowsRange =
                _mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(short(0xFFE0))), _mm_set1_epi16(0x80));
            const __m128i outside =
                _mm_or_si128(_mm_or_si128(beyondByte, windowsRange), _mm_cmplt_epi16(v, _mm_set1_epi16(0x0E)));
            if (_mm_movemask_epi8(outside) == 0) {
                _mm_storel_epi64(reinterpret_cast<__m128i *>(out + k), _mm_packus_epi16(v, v));
                k += 8;
                continue;
            }
        }
#endif
        const char16_t u = s[k];
        if (Q_UNLIKELY(u <= u'\r') && isBreakOrNul(u))
            hasBreaks = true;
        quint16 b = t.encode[u];
        if (Q_UNLIKELY(b == NoByte)) {
            narrow = false;
            b = t.foldShadow[u];
            if (b == NoByte)
                b = quint8(Separator);
        }
        out[k++] = char(b);
    }
    return narrow;
}

void decodeNarrow(const char *src, qsizetype n, char16_t *out)
{
    const auto &t = NarrowCodePage::tables();
    qsizetype k = 0;
#if defined(__SSE2__)
    for (; k + 8 <= n; k += 8) {
        const __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i *>(src + k));
        if ((_mm_movemask_epi8(v) & 0xFF) != 0)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + k), _mm_unpacklo_epi8(v, _mm_setzero_si128()));
    }
#endif
    for (; k < n; ++k)
        out[k] = t.decode[quint8(src[k])];
}

// The whole-text rewrites on one line, in place; returns the new length (never longer).
// ASCII letters and the angle brackets have the same value as a byte and as a unit.
template <typename Unit>
qsizetype applyRewrite(RecipientList::Rewrite rewrite, Unit *s, qsizetype n)
{
    switch (rewrite) {
    case RecipientList::Rewrite::AsciiUpper:
        for (qsizetype k = 0; k < n; ++k)
            if (s[k] >= Unit('a') && s[k] <= Unit('z'))
                s[k] = Unit(s[k] - 32);
        return n;
    case RecipientList::Rewrite::AsciiLower:
        for (qsizetype k = 0; k < n; ++k)
            if (s[k] >= Unit('A') && s[k] <= Unit('Z'))
                s[k] = Unit(s[k] + 32);
        return n;
    case RecipientList::Rewrite::RemoveAngleBrackets: {
        qsizetype kept = 0;
        for (qsizetype k = 0; k < n; ++k)
            if (s[k] != Unit('<') && s[k] != Unit('>'))
                s[kept++] = s[k];
        return kept;
    }
    }
    return n;
}

} // namespace

struct RecipientList::Store
{
    std::vector<Row> rows;
    // Every line's one-byte text, each followed by Separator. A line that does not fit keeps
    // here a shadow that matches a search exactly as its real text does (a unit without a
    // byte of the same upper case becomes Separator, which no search text of the fast scan
    // holds). In row order unless inRowOrder is false; gaps left by removed or shortened
    // lines are skipped by the search.
    QByteArray bytes;
    std::vector<char16_t> wide; // exact texts of the lines that do not fit
    std::vector<quint64> wideOffsets; // slot -> offset into wide
    bool inRowOrder = true;
    bool mayHoldBreaks = false;

    qsizetype marked = 0;
    qsizetype searchPosition = 0;
    RememberedEncoding encoding;

    mutable int longestCount = -1;
    mutable QList<qsizetype> longest;

    qsizetype size() const { return qsizetype(rows.size()); }
    const char *narrowText(const Row &row) const { return bytes.constData() + row.offset(); }
    const char16_t *wideText(const Row &row) const { return wide.data() + wideOffsets[row.wideSlot() - 1]; }

    // Rebuilds bytes and wide in row order, dropping gaps; rewrites every line on the way
    // when rewrite is given.
    void rebuild(const RecipientList::Rewrite *rewrite = nullptr)
    {
        qsizetype total = 0;
        qsizetype wideTotal = 0;
        for (const Row &row : rows) {
            total += row.length + 1;
            if (row.wideSlot())
                wideTotal += row.length;
        }
        QByteArray newBytes(total, Qt::Uninitialized);
        std::vector<char16_t> newWide;
        std::vector<quint64> newWideOffsets;
        newWide.reserve(size_t(wideTotal));
        char *out = newBytes.data();
        qsizetype pos = 0;
        bool breaks = false;
        for (size_t i = 0; i < rows.size(); ++i) {
            // After a sort the lines are read in an order of their own: ask for them ahead.
            if (i + LookAhead < rows.size())
                __builtin_prefetch(narrowText(rows[i + LookAhead]));
            Row &row = rows[i];
            qsizetype length = row.length;
            if (!row.wideSlot()) {
                std::memcpy(out + pos, narrowText(row), size_t(length));
                if (rewrite)
                    length = applyRewrite(*rewrite, out + pos, length);
            } else {
                const char16_t *src = wideText(row);
                const size_t wideAt = newWide.size();
                newWide.insert(newWide.end(), src, src + length);
                if (rewrite) {
                    length = applyRewrite(*rewrite, newWide.data() + wideAt, length);
                    newWide.resize(wideAt + size_t(length));
                }
                encodeNarrow(QStringView(newWide.data() + wideAt, length), out + pos, breaks);
                newWideOffsets.push_back(wideAt);
                row.setWideSlot(quint32(newWideOffsets.size()));
            }
            row.setOffset(quint64(pos));
            row.length = quint32(length);
            pos += length;
            out[pos++] = Separator;
        }
        newBytes.truncate(pos);
        bytes.swap(newBytes);
        wide.swap(newWide);
        wideOffsets.swap(newWideOffsets);
        inRowOrder = true;
    }

    void invalidateLongest() { longestCount = -1; }
};

RecipientList::RecipientList(QObject *parent)
    : QAbstractListModel(parent),
      d(std::make_unique<Store>()),
      m_selection(*this)
{}

RecipientList::~RecipientList() = default;

QModelIndex RecipientList::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || column != 0 || row < 0 || row >= d->size())
        return QModelIndex();
    return createIndex(row, column);
}

int RecipientList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(d->size());
}

QVariant RecipientList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= d->size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return lineAt(index.row());
    case Qt::CheckStateRole:
        return int(isMarked(index.row()) ? Qt::Checked : Qt::Unchecked);
    default:
        return {};
    }
}

bool RecipientList::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= d->size())
        return false;
    setMarked(index.row(), value.toInt() == int(Qt::Checked));
    return true;
}

Qt::ItemFlags RecipientList::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
}

qsizetype RecipientList::lineCount() const
{
    return d->size();
}

QString RecipientList::lineAt(qsizetype index) const
{
    if (index < 0 || index >= d->size())
        return {};
    const Row &row = d->rows[size_t(index)];
    if (row.wideSlot())
        return QString(reinterpret_cast<const QChar *>(d->wideText(row)), row.length);
    QString text(row.length, Qt::Uninitialized);
    decodeNarrow(d->narrowText(row), row.length, reinterpret_cast<char16_t *>(text.data()));
    return text;
}

void RecipientList::replaceLines(const QList<QStringView> &lines)
{
    // The view addresses rows with an int; a row's mark and slot share 32 bits.
    if (lines.size() > INT_MAX)
        throw AppError::CannotInsertLine();
    qsizetype total = 0;
    for (const QStringView &line : lines) {
        if (line.size() > qsizetype(UINT_MAX))
            throw AppError::CannotInsertLine();
        total += line.size() + 1;
    }
    if (quint64(total) > Row::MaxOffset)
        throw AppError::CannotInsertLine();

    // Built aside, so that a failure leaves the list as it was.
    std::vector<Row> rows(size_t(lines.size()));
    QByteArray bytes(total, Qt::Uninitialized);
    std::vector<char16_t> wide;
    std::vector<quint64> wideOffsets;
    bool breaks = false;
    char *out = bytes.data();
    qsizetype pos = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView line = lines[i];
        Row &row = rows[size_t(i)];
        row.bits = 0;
        row.setOffset(quint64(pos));
        row.length = quint32(line.size());
        if (!encodeNarrow(line, out + pos, breaks)) {
            wideOffsets.push_back(wide.size());
            const char16_t *s = reinterpret_cast<const char16_t *>(line.utf16());
            wide.insert(wide.end(), s, s + line.size());
            row.setWideSlot(quint32(wideOffsets.size()));
        }
        pos += line.size();
        out[pos++] = Separator;
    }

    Store fresh;
    fresh.rows = std::move(rows);
    fresh.bytes = std::move(bytes);
    fresh.wide = std::move(wide);
    fresh.wideOffsets = std::move(wideOffsets);
    fresh.mayHoldBreaks = breaks;
    adoptLines(std::move(fresh));
}

namespace {

// Rows made as a file's lines are narrowed in place (NarrowFileTextLines).
class RowBuilder : public NarrowLineSink
{
public:
    explicit RowBuilder(FileText &text) : m_text(text) {}

    std::vector<Row> rows;
    std::vector<char16_t> wide;
    std::vector<quint64> wideOffsets;

    void expectLines(qsizetype count) override
    {
        // The view addresses rows with an int.
        if (count > INT_MAX)
            throw AppError::CannotInsertLine();
        rows.reserve(size_t(count));
    }
    void line(qsizetype offset, qsizetype length, const char16_t *units) override
    {
        if (length > qsizetype(UINT_MAX))
            throw AppError::CannotInsertLine();
        if (quint64(offset) + quint64(length) > Row::MaxOffset)
            throw AppError::CannotInsertLine();
        Row row{0, quint32(length), 0};
        row.setOffset(quint64(offset));
        if (units) {
            // Its search shadow goes where its bytes would be.
            bool breaks = false;
            encodeNarrow(QStringView(units, length), m_text.bytes.data() + offset, breaks);
            wideOffsets.push_back(wide.size());
            wide.insert(wide.end(), units, units + length);
            row.setWideSlot(quint32(wideOffsets.size()));
        }
        rows.push_back(row);
    }

private:
    FileText &m_text;
};

} // namespace

bool RecipientList::replaceLinesFromFileText(FileText &text)
{
    // Built aside in the file's own bytes, so that a failure leaves the list as it was.
    RowBuilder builder(text);
    const qsizetype used = NarrowFileTextLines(text, Separator, builder);
    Store fresh;
    fresh.bytes = std::move(text.bytes);
    fresh.bytes.truncate(used);
    fresh.bytes.squeeze(); // a UTF-16 file leaves half of its bytes unused
    fresh.rows = std::move(builder.rows);
    fresh.wide = std::move(builder.wide);
    fresh.wide.shrink_to_fit();
    fresh.wideOffsets = std::move(builder.wideOffsets);
    adoptLines(std::move(fresh)); // no line holds a break: the split took them all
    return true;
}

void RecipientList::adoptLines(Store &&fresh)
{
    beginResetModel();
    d->rows = std::move(fresh.rows);
    d->bytes = std::move(fresh.bytes);
    d->wide = std::move(fresh.wide);
    d->wideOffsets = std::move(fresh.wideOffsets);
    d->inRowOrder = true;
    d->mayHoldBreaks = fresh.mayHoldBreaks;
    d->marked = 0;
    d->invalidateLongest();
    endResetModel(); // no line selected any more
    emit longestLinesChanged();
}

QByteArrayView RecipientList::narrowLineAt(qsizetype index) const
{
    if (index < 0 || index >= d->size())
        return {};
    const Row &row = d->rows[size_t(index)];
    if (row.wideSlot())
        return {};
    return QByteArrayView(d->narrowText(row), row.length);
}

RememberedEncoding RecipientList::rememberedEncoding() const
{
    return d->encoding;
}

void RecipientList::setRememberedEncoding(RememberedEncoding encoding)
{
    d->encoding = encoding;
}

bool RecipientList::isMarked(qsizetype index) const
{
    return index >= 0 && index < d->size() && d->rows[size_t(index)].marked();
}

void RecipientList::setMarked(qsizetype index, bool marked)
{
    if (index < 0 || index >= d->size())
        return;
    Row &row = d->rows[size_t(index)];
    if (row.marked() == marked)
        return;
    row.setMarked(marked);
    d->marked += marked ? 1 : -1;
    const QModelIndex at = this->index(int(index));
    emit dataChanged(at, at, {Qt::CheckStateRole});
}

qsizetype RecipientList::markedCount() const
{
    return d->marked;
}

void RecipientList::selectIndex(qsizetype index)
{
    if (m_selection.select(index) && index >= 0)
        emit scrollToRequested(index);
}

qsizetype RecipientList::searchPosition() const
{
    return d->searchPosition;
}

void RecipientList::setSearchPosition(qsizetype position)
{
    d->searchPosition = position;
}

QList<qsizetype> RecipientList::longestLineRows(int count) const
{
    if (count <= 0)
        return {};
    if (d->longestCount == count)
        return d->longest;
    // A min-heap of the count longest rows seen so far; ties keep the upper row.
    using Entry = std::pair<quint32, qsizetype>; // length, -row (so the upper row wins ties)
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> heap;
    for (qsizetype i = 0; i < d->size(); ++i) {
        const Entry entry{d->rows[size_t(i)].length, -i};
        if (qsizetype(heap.size()) < count)
            heap.push(entry);
        else if (heap.top() < entry) {
            heap.pop();
            heap.push(entry);
        }
    }
    QList<qsizetype> result(qsizetype(heap.size()));
    for (qsizetype k = result.size() - 1; k >= 0; --k) {
        result[k] = -heap.top().second;
        heap.pop();
    }
    d->longest = result;
    d->longestCount = count;
    return result;
}

void RecipientList::setLineText(qsizetype index, QStringView text)
{
    if (index < 0 || index >= d->size())
        return;
    if (text.size() > qsizetype(UINT_MAX))
        throw AppError::CannotInsertLine();
    QByteArray encoded(text.size(), Qt::Uninitialized);
    bool breaks = false;
    const bool narrow = encodeNarrow(text, encoded.data(), breaks);
    Row &row = d->rows[size_t(index)];
    if (narrow && !row.wideSlot() && text.size() <= row.length) {
        // Fits where the old text was: the rest of that place becomes a gap.
        std::memcpy(d->bytes.data() + row.offset(), encoded.constData(), size_t(text.size()));
        if (text.size() < row.length)
            d->bytes[qsizetype(row.offset()) + text.size()] = Separator;
    } else {
        if (quint64(d->bytes.size()) + quint64(text.size()) > Row::MaxOffset)
            throw AppError::CannotInsertLine();
        if (!narrow && d->wideOffsets.size() >= Row::SlotMask)
            d->rebuild(); // gives the slots of the lines corrected before back
        row.setOffset(quint64(d->bytes.size()));
        d->bytes.append(encoded);
        d->bytes.append(Separator);
        if (narrow) {
            row.setWideSlot(0);
        } else {
            const char16_t *s = reinterpret_cast<const char16_t *>(text.utf16());
            d->wideOffsets.push_back(d->wide.size());
            d->wide.insert(d->wide.end(), s, s + text.size());
            row.setWideSlot(quint32(d->wideOffsets.size()));
        }
        d->inRowOrder = d->size() == 1;
    }
    row.length = quint32(text.size());
    d->mayHoldBreaks = d->mayHoldBreaks || breaks;
    d->invalidateLongest();
    const QModelIndex at = this->index(int(index));
    emit dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
    emit longestLinesChanged();
}

void RecipientList::removeLine(qsizetype index)
{
    if (index < 0 || index >= d->size())
        return;
    beginRemoveRows(QModelIndex(), int(index), int(index));
    if (d->rows[size_t(index)].marked())
        --d->marked;
    d->rows.erase(d->rows.begin() + index);
    d->invalidateLongest();
    endRemoveRows(); // the selection follows its line, or goes with it
    emit longestLinesChanged();
}

qsizetype RecipientList::removeMarkedLines()
{
    if (d->marked == 0)
        return 0;
    const qsizetype removed = d->marked;
    // A few runs of marked lines are removed run by run, so the view keeps its place;
    // many runs at once would cost a move of the whole list each: one reset instead.
    qsizetype runs = 0;
    for (qsizetype i = 0; i < d->size(); ++i)
        if (d->rows[size_t(i)].marked() && (i == 0 || !d->rows[size_t(i - 1)].marked()))
            ++runs;
    if (runs <= 16) {
        for (qsizetype i = d->size() - 1; i >= 0; --i) {
            if (!d->rows[size_t(i)].marked())
                continue;
            qsizetype first = i;
            while (first > 0 && d->rows[size_t(first - 1)].marked())
                --first;
            beginRemoveRows(QModelIndex(), int(first), int(i));
            d->rows.erase(d->rows.begin() + first, d->rows.begin() + i + 1);
            d->marked -= i - first + 1;
            d->invalidateLongest();
            endRemoveRows(); // the selection follows its line, or goes with it
            i = first;
        }
        emit longestLinesChanged();
        return removed;
    }
    const qsizetype selected = m_selection.row();
    beginResetModel();
    qsizetype kept = 0;
    qsizetype newSelected = -1;
    for (qsizetype i = 0; i < d->size(); ++i) {
        const Row &row = d->rows[size_t(i)];
        if (row.marked())
            continue;
        if (i == selected)
            newSelected = kept;
        d->rows[size_t(kept++)] = row;
    }
    d->rows.resize(size_t(kept));
    d->marked = 0;
    d->invalidateLongest();
    endResetModel();
    m_selection.select(newSelected); // the reset dropped it: the same line as before, if kept
    emit longestLinesChanged();
    return removed;
}

void RecipientList::reorderLines(const std::vector<qsizetype> &order)
{
    if (qsizetype(order.size()) != d->size())
        return;
    emit layoutAboutToBeChanged();
    std::vector<Row> rows(order.size());
    for (size_t r = 0; r < order.size(); ++r) {
        if (r + LookAhead < order.size())
            __builtin_prefetch(&d->rows[size_t(order[r + LookAhead])]);
        rows[r] = d->rows[size_t(order[r])];
    }
    d->rows.swap(rows);
    rows = {};
    d->rebuild();
    d->invalidateLongest();
    emit layoutChanged(); // the selection keeps its row
    emit longestLinesChanged();
}

bool RecipientList::rewritesLineByLine() const
{
    return !d->mayHoldBreaks;
}

void RecipientList::rewriteLines(Rewrite rewrite)
{
    beginResetModel();
    d->rebuild(&rewrite);
    for (Row &row : d->rows)
        row.setMarked(false);
    d->marked = 0;
    d->invalidateLongest();
    endResetModel(); // no line selected any more
    emit longestLinesChanged();
}

namespace {

// A search text upper-cased one UTF-16 unit for one, with what the one-byte scan needs.
struct SearchKey
{
    std::vector<char16_t> upper;
    // Every unit of the key is the upper case of some byte, and none is a line break: the
    // one-byte texts (and shadows) then answer exactly, without looking at any wide text.
    bool bytesSuffice = true;
    // Some unit is the upper case of no byte: a one-byte line can never match.
    bool outsideBytes = false;

    explicit SearchKey(QStringView text)
    {
        const auto &t = NarrowCodePage::tables();
        upper.resize(size_t(text.size()));
        for (qsizetype j = 0; j < text.size(); ++j) {
            const char16_t u = QChar(text[j]).toUpper().unicode();
            upper[size_t(j)] = u;
            bool some = false;
            for (int b = 0; b < 256 && !some; ++b)
                some = t.upper[b] == u;
            if (!some)
                outsideBytes = true;
            if (!some || u == char16_t(Separator) || u == u'\r')
                bytesSuffice = false;
        }
    }
    qsizetype size() const { return qsizetype(upper.size()); }
};

bool narrowMatchesAt(const char *s, const SearchKey &key)
{
    const auto &t = NarrowCodePage::tables();
    for (qsizetype j = 0; j < key.size(); ++j)
        if (t.upper[quint8(s[j])] != key.upper[size_t(j)])
            return false;
    return true;
}

bool wideMatchesAt(const char16_t *s, const SearchKey &key)
{
    for (qsizetype j = 0; j < key.size(); ++j)
        if (QChar(s[j]).toUpper().unicode() != key.upper[size_t(j)])
            return false;
    return true;
}

} // namespace

qsizetype RecipientList::findContaining(QStringView text, qsizetype start) const
{
    const qsizetype n = d->size();
    start = std::max<qsizetype>(start, 0);
    if (text.isEmpty() || start >= n)
        return n;
    const SearchKey key(text);
    const qsizetype m = key.size();

    if (!key.bytesSuffice) {
        // Rare texts (a line break, a letter no byte stands for): line by line.
        for (qsizetype i = start; i < n; ++i) {
            const Row &row = d->rows[size_t(i)];
            if (row.length < m || (!row.wideSlot() && key.outsideBytes))
                continue;
            const qsizetype last = qsizetype(row.length) - m;
            if (row.wideSlot()) {
                const char16_t *s = d->wideText(row);
                for (qsizetype p = 0; p <= last; ++p)
                    if (wideMatchesAt(s + p, key))
                        return i;
            } else {
                const char *s = d->narrowText(row);
                for (qsizetype p = 0; p <= last; ++p)
                    if (narrowMatchesAt(s + p, key))
                        return i;
            }
        }
        return n;
    }

    // One scan over the one-byte texts (shadows included), in row order.
    if (!d->inRowOrder)
        d->rebuild();
    const FoldedByteSearch search(key.upper);
    const char *base = d->bytes.constData();
    const qsizetype end = d->bytes.size();
    qsizetype p = qsizetype(d->rows[size_t(start)].offset());
    qsizetype rowHint = start;
    while ((p = search.next(base, p, end)) >= 0) {
        // The line holding p: the last row starting at or before it.
        auto it = std::upper_bound(d->rows.begin() + rowHint, d->rows.end(), quint64(p),
                                   [](quint64 at, const Row &row) { return at < row.offset(); });
        const qsizetype r = qsizetype(it - d->rows.begin()) - 1;
        const Row &row = d->rows[size_t(r)];
        if (quint64(p + m) <= row.offset() + row.length)
            return r;
        // A match in a gap left by an edit: go on from the next line.
        rowHint = r + 1;
        if (rowHint >= n)
            break;
        p = qsizetype(d->rows[size_t(rowHint)].offset());
    }
    return n;
}

qsizetype RecipientList::findStartingWith(QStringView text) const
{
    if (text.isEmpty())
        return -1;
    const SearchKey key(text);
    const qsizetype m = key.size();
    for (qsizetype i = 0; i < d->size(); ++i) {
        const Row &row = d->rows[size_t(i)];
        if (row.length < m)
            continue;
        if (key.bytesSuffice || !row.wideSlot()) {
            if (narrowMatchesAt(d->narrowText(row), key))
                return i;
        } else if (wideMatchesAt(d->wideText(row), key)) {
            return i;
        }
    }
    return -1;
}

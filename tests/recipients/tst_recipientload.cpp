// The recipient list loads a file straight from its bytes, one byte per character; every
// other holder goes through the decoded text. Both ways must give the same lines, the same
// remembered encoding and the same errors, and the list must search what it loaded.
#include "RecipientLines.h"
#include "files/FakeHolders.h"
#include "files/TextCodec.h"
#include "files/TextFile.h"
#include "recipients/NarrowCodePage.h"
#include "recipients/RecipientList.h"

#include <QtTest>

#include <random>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(RememberedEncoding)

namespace {

QString upperUnitByUnit(QString text)
{
    for (QChar &c : text)
        c = c.toUpper();
    return text;
}

qsizetype referenceFind(const QStringList &lines, const QString &text)
{
    const QString key = upperUnitByUnit(text);
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (upperUnitByUnit(lines[i]).contains(key))
            return i;
    return lines.size();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Counts the loads that took the way straight from the bytes.
class CountingList : public RecipientList
{
public:
    int fromBytes = 0;
    bool replaceLinesFromFileText(FileText &text) override
    {
        ++fromBytes;
        return RecipientList::replaceLinesFromFileText(text);
    }
};

// Counts what the narrowing announces and gives.
class CountingSink : public NarrowLineSink
{
public:
    qsizetype expected = -1;
    qsizetype given = 0;
    void expectLines(qsizetype count) override { expected = count; }
    void line(qsizetype, qsizetype, const char16_t *) override { ++given; }
};

// A list with something in it, so that a load can be seen to replace it all, or nothing.
void fillWithOldLines(RecipientList &list)
{
    fill(list, {u"ancienne"_s, u"liste"_s, u"Łódź"_s});
    list.setMarked(1, true);
    list.selectIndex(2);
    list.setRememberedEncoding({TextEncoding::Utf16Be, AnsiCodePage::Utf8});
}

// Loads bytes both ways and compares everything the list shows and searches.
QString compareLoads(const QString &path, const QByteArray &bytes)
{
    if (!writeFile(path, bytes))
        return u"cannot write the file"_s;
    FakeLineList general;
    LoadLineList(general, path);
    CountingList list;
    fillWithOldLines(list);
    LoadLineList(list, path);
    const QString input = QString::fromLatin1(bytes.toHex(' '));
    // Only text that is not valid UTF-8 after its mark needs the decoder.
    const bool decoderOnly = PrepareFileText(bytes).form == FileText::Form::Other;
    if (list.fromBytes != (decoderOnly ? 0 : 1))
        return u"the load did not take the expected way for "_s + input;
    if (linesOf(list) != general.lines)
        return u"lines differ for %1:\n  %2\n  %3"_s.arg(input, linesOf(list).join(u'|'), general.lines.join(u'|'));
    if (!decoderOnly && DecodedUnitCount(PrepareFileText(bytes)) != DecodeTextBytes(bytes).text.size())
        return u"the text's length is miscounted for "_s + input;
    if (!decoderOnly) {
        FileText text = PrepareFileText(bytes);
        CountingSink sink;
        NarrowFileTextLines(text, '\n', sink);
        if (sink.expected != general.lines.size() || sink.given != general.lines.size())
            return u"%1 lines announced and %2 given instead of %3 for %4"_s.arg(sink.expected)
                .arg(sink.given)
                .arg(general.lines.size())
                .arg(input);
    }
    if (list.rememberedEncoding() != general.encoding)
        return u"encodings differ for "_s + input;
    if (list.markedCount() != 0 || list.selectedIndex() != -1)
        return u"marks or selection survived for "_s + input;
    // Each line's one-byte form (or its search shadow) stands where the search expects it.
    for (const QString &line : general.lines) {
        QStringList keys{line};
        if (line.size() > 2)
            keys.append(line.mid(1, 2));
        for (const QString &key : keys) {
            if (key.isEmpty())
                continue;
            const qsizetype expected = referenceFind(general.lines, key);
            if (list.findContaining(key, 0) != expected)
                return u"search for \"%1\" differs for %2"_s.arg(key, input);
        }
    }
    return QString();
}

} // namespace

class TestRecipientLoad : public QObject
{
    Q_OBJECT
private slots:
    void sameLinesAsTheDecodedText_data();
    void sameLinesAsTheDecodedText();
    void randomBytesLoadAlike();
    void capacityErrorLeavesTheListAsItWas();
    void failedOpenLeavesTheListAsItWas();
    void codePageIsWindows1252();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestRecipientLoad::sameLinesAsTheDecodedText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray longAscii = "Jean Martin <jean.martin123@exemple.fr>"_ba;
    const auto hex = [](const char *h) { return QByteArray::fromHex(h); };
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("UTF-8 mark alone") << hex("efbbbf");
    QTest::newRow("UTF-16 LE mark alone") << hex("fffe");
    QTest::newRow("UTF-16 BE mark alone") << hex("feff");
    QTest::newRow("CR LF, no final break") << hex("610d0a62");
    QTest::newRow("lone CR") << hex("610d62");
    QTest::newRow("CR CR") << hex("610d0d62");
    QTest::newRow("LF LF") << hex("610a0a62");
    QTest::newRow("LF CR") << hex("610a0d62");
    QTest::newRow("LF CR alone") << hex("0a0d");
    QTest::newRow("empty line before final break") << hex("610d0a0d0a");
    QTest::newRow("CR LF alone") << hex("0d0a");
    QTest::newRow("no final break, plain ASCII") << longAscii;
    QTest::newRow("final LF, plain ASCII") << longAscii + "\n";
    QTest::newRow("NUL ends the text") << hex("6100620d0a63");
    QTest::newRow("NUL first") << hex("00610d0a");
    QTest::newRow("NUL right after the UTF-8 mark") << hex("efbbbf0061");
    QTest::newRow("Windows-1252") << "H\xE9l\xE8ne\r\nNo\xEBl \x80\r\n"_ba;
    QTest::newRow("undefined Windows-1252 bytes") << "\x81\x8D\x8F\x90\x9D\r\n\x81x\x9D"_ba;
    QTest::newRow("every byte but NUL") << [] {
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            all += char(b);
        return all + all;
    }();
    QTest::newRow("UTF-8 without mark") << "H\xC3\xA9l\xC3\xA8ne\r\n\xE2\x82\xAC 5\r\n"_ba;
    QTest::newRow("UTF-8 outside Windows-1252") << "\xC5\x81ukasz <l@x.pl>\r\nNo\xC3\xABl\r\nb\xC5\x82\n"_ba;
    QTest::newRow("UTF-8 C1 controls") << "\xC2\x80\xC2\x81\xC2\x9D\r\n"_ba;
    QTest::newRow("UTF-8 four bytes") << hex("f09f98800d0a61f09f9880") + longAscii;
    QTest::newRow("UTF-8 mark") << "\xEF\xBB\xBFZo\xC3\xA9\r\n\xC5\x93uvre"_ba;
    QTest::newRow("UTF-8 mark, then a text opening with U+FEFF") << hex("efbbbfefbbbf610d0a62");
    QTest::newRow("invalid UTF-8 after the mark") << "\xEF\xBB\xBF\xC3\r\nH\xE9l\xE8ne\r\n\xE2\x82"_ba;
    QTest::newRow("Windows-1252 text opening like a mark") << "\xEF\xBB\xBF\xE9t\xE9\r\n"_ba;
    QTest::newRow("a text opening like a UTF-16 mark") << "\xFF\xFE"_ba + longAscii;
    QTest::newRow("UTF-16 LE") << hex("fffe61000d000a0062000d00");
    QTest::newRow("UTF-16 BE") << hex("feff0061000d000a0062000a");
    QTest::newRow("UTF-16 LE odd byte") << hex("fffe610062");
    QTest::newRow("UTF-16 BE odd byte") << hex("feff006100");
    QTest::newRow("UTF-16 LE odd byte after a break") << hex("fffe61000d0062");
    QTest::newRow("UTF-16 LE mark then U+0000") << hex("fffe0000");
    QTest::newRow("NUL in UTF-16") << hex("fffe610000006200");
    QTest::newRow("UTF-16 LE lone CR, LF CR") << hex("fffe61000d0062000a000d006300");
    QTest::newRow("UTF-16 LE surrogates") << hex("fffe3dd800de0d0000d861003ddc");
    QTest::newRow("UTF-16 LE outside Windows-1252") << hex("fffe4101ac2061008000810090000d000a00");
    QTest::newRow("UTF-16 BE outside Windows-1252") << hex("feff014120ac00610080008100900041");
    QTest::newRow("UTF-16 LE units that are breaks in another byte") << hex("fffe0d0a0a0d0d0d0a0a");
    QTest::newRow("UTF-16 BE units that are breaks in another byte") << hex("feff0d0a0a0d0d0d0a0a");
    // Lines longer than the sixteen bytes read at once, with breaks on every side of them.
    QByteArray blocks;
    for (int k = 0; k < 40; ++k)
        blocks += longAscii.left(k) + (k % 3 == 0 ? "\r\n" : k % 3 == 1 ? "\r" : "\n");
    QTest::newRow("breaks at every place, Windows-1252") << blocks + "\xE9";
    QTest::newRow("breaks at every place, UTF-8") << blocks + "\xC3\xA9";
    QTest::newRow("breaks at every place, UTF-16 LE") << "\xFF\xFE"_ba + [&] {
        QByteArray wide;
        for (char c : blocks)
            wide += QByteArray(1, c) + '\0';
        return wide;
    }();
    QTest::newRow("breaks at every place, UTF-16 BE") << "\xFE\xFF"_ba + [&] {
        QByteArray wide;
        for (char c : blocks)
            wide += QByteArray(1, '\0') + c;
        return wide;
    }();
    // CR LF astride every boundary of the blocks read at once.
    QByteArray pairs;
    for (int k = 0; k < 40; ++k)
        pairs += QByteArray(k, 'y') + "\r\n";
    QTest::newRow("CR LF astride blocks, one byte each") << pairs + "\xE9";
    QTest::newRow("CR LF astride blocks, UTF-16 LE") << "\xFF\xFE"_ba + [&] {
        QByteArray wide;
        for (char c : pairs)
            wide += QByteArray(1, c) + '\0';
        return wide;
    }();
    QTest::newRow("CR LF astride blocks, UTF-16 BE") << "\xFE\xFF"_ba + [&] {
        QByteArray wide;
        for (char c : pairs)
            wide += QByteArray(1, '\0') + c;
        return wide;
    }();
    // Each unit where the sixteen bytes read at once must stop, at every place of a block.
    const QList<char16_t> stoppers{0x0080, 0x0081, 0x008D, 0x009F, 0x00A0, 0x00E9, 0x00FF, 0x0100,
                                   0x0141, 0x20AC, 0x000D, 0x000A, 0x0D0A, 0x0A0D, 0xD83D, 0xFEFF};
    QString placed;
    for (char16_t unit : stoppers) {
        for (int at = 0; at < 18; ++at)
            placed += u"abcdefghijklmnopqrs"_s.insert(at, QChar(unit)) + u"\n"_s;
    }
    QTest::newRow("stopping units everywhere, UTF-16 LE") << "\xFF\xFE"_ba + [&] {
        QByteArray le;
        for (QChar c : placed)
            le += char(c.unicode() & 0xFF) + QByteArray(1, char(c.unicode() >> 8));
        return le;
    }();
    QTest::newRow("stopping units everywhere, UTF-16 BE") << "\xFE\xFF"_ba + [&] {
        QByteArray be;
        for (QChar c : placed)
            be += QByteArray(1, char(c.unicode() >> 8)) + char(c.unicode() & 0xFF);
        return be;
    }();
    QString placedUtf8 = placed;
    placedUtf8.remove(QChar(0xD83D)); // a lone surrogate has no UTF-8 form
    QTest::newRow("stopping units everywhere, UTF-8") << placedUtf8.toUtf8();
    QTest::newRow("stopping units everywhere, UTF-8 with mark") << "\xEF\xBB\xBF"_ba + placedUtf8.toUtf8();
    QByteArray placedBytes;
    for (char stop : {'\x80', '\x81', '\x9D', '\xA0', '\xE9', '\xFF', '\r', '\n'})
        for (int at = 0; at < 18; ++at)
            placedBytes += QByteArray("abcdefghijklmnopqrs").insert(at, stop) + "\r\n";
    QTest::newRow("stopping bytes everywhere, Windows-1252") << placedBytes;
    QTest::newRow("a long line turning wide at its end") << longAscii + longAscii + "\xC5\x81\r\n" + longAscii;
}

void TestRecipientLoad::sameLinesAsTheDecodedText()
{
    QFETCH(QByteArray, bytes);
    const QString difference = compareLoads(path(u"liste.txt"_s), bytes);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestRecipientLoad::randomBytesLoadAlike()
{
    // Files made of the pieces where the ways could part: marks, breaks, NUL, bytes that
    // are not valid UTF-8, characters outside Windows-1252, runs longer than a block.
    const QList<QByteArray> pieces{"\xEF\xBB\xBF"_ba,
                                   "\xFF\xFE"_ba,
                                   "\xFE\xFF"_ba,
                                   "\r"_ba,
                                   "\n"_ba,
                                   "\r\n"_ba,
                                   "\n\r"_ba,
                                   QByteArray(1, '\0'),
                                   "\0\r"_ba,
                                   "\r\0"_ba,
                                   "\0\n"_ba,
                                   "a"_ba,
                                   "Zo"_ba,
                                   "\xE9"_ba,
                                   "\xC3\xA9"_ba,
                                   "\xC3"_ba,
                                   "\xE2\x82\xAC"_ba,
                                   "\x80"_ba,
                                   "\x81\x8D\x8F\x90\x9D"_ba,
                                   "\xC5\x81"_ba,
                                   "\xC2\x80"_ba,
                                   "\xF0\x9F\x98\x80"_ba,
                                   "\xED\xA0\x80"_ba,
                                   "\x3D\xD8"_ba,
                                   "\x01\x41"_ba,
                                   "\xAC\x20"_ba,
                                   "Jean Martin <jean.martin123@exemple.fr>"_ba,
                                   "0123456789abcdef"_ba};
    std::mt19937 random(20240517);
    std::uniform_int_distribution<int> count(0, 14);
    std::uniform_int_distribution<int> piece(0, int(pieces.size()) - 1);
    const QString file = path(u"hasard.txt"_s);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        for (int k = count(random); k > 0; --k)
            bytes += pieces[piece(random)];
        const QString difference = compareLoads(file, bytes);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
}

void TestRecipientLoad::capacityErrorLeavesTheListAsItWas()
{
    const QString many = path(u"trop.txt"_s);
    QVERIFY(writeFile(many, QByteArray(MaxLineListLines + 1, '\n')));
    RecipientList list;
    fillWithOldLines(list);
    try {
        LoadLineList(list, many);
        QFAIL("a list beyond its capacity was loaded");
    } catch (const AppError &e) {
        QCOMPARE(e.message(), u"Impossible d'insérer une ligne"_s);
    }
    QFile::remove(many);
    QCOMPARE(linesOf(list), (QStringList{u"ancienne"_s, u"liste"_s, u"Łódź"_s}));
    QCOMPARE(marksOf(list), QList<int>{1});
    QCOMPARE(list.selectedIndex(), 2);
    QCOMPARE(list.rememberedEncoding(), (RememberedEncoding{TextEncoding::Utf16Be, AnsiCodePage::Utf8}));
    QCOMPARE(list.findContaining(u"liste"_s, 0), 1);
}

void TestRecipientLoad::failedOpenLeavesTheListAsItWas()
{
    RecipientList list;
    fillWithOldLines(list);
    QVERIFY_THROWS_EXCEPTION(AppError, LoadLineList(list, path(u"absente.txt"_s)));
    QVERIFY_THROWS_EXCEPTION(AppError, LoadLineList(list, m_dir.path()));
    QCOMPARE(linesOf(list), (QStringList{u"ancienne"_s, u"liste"_s, u"Łódź"_s}));
    QCOMPARE(marksOf(list), QList<int>{1});
    QCOMPARE(list.selectedIndex(), 2);
    QCOMPARE(list.rememberedEncoding(), (RememberedEncoding{TextEncoding::Utf16Be, AnsiCodePage::Utf8}));
}

void TestRecipientLoad::codePageIsWindows1252()
{
    // The bytes of a Windows-1252 file go into the list as they are: the list's one-byte
    // code page must read every byte as the file's decoder does, and hold the same units.
    const auto &t = NarrowCodePage::tables();
    for (int b = 0; b < 256; ++b)
        QCOMPARE(t.decode[b], DecodeWindows1252(QByteArray(1, char(b))).at(0).unicode());
    for (int u = 0; u < 65536; ++u) {
        const int expected = t.encode[u] == NarrowCodePage::NoByte ? -1 : int(t.encode[u]);
        QCOMPARE(Windows1252Byte(char16_t(u)), expected);
    }
}

QTEST_GUILESS_MAIN(TestRecipientLoad)
#include "tst_recipientload.moc"

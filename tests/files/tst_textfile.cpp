#include "FakeHolders.h"
#include "TestFiles.h"
#include "files/TextFile.h"

#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(RememberedEncoding)

namespace {
const RememberedEncoding kAnsiUtf8{TextEncoding::Ansi, AnsiCodePage::Utf8};
const RememberedEncoding kAnsi1252{TextEncoding::Ansi, AnsiCodePage::Windows1252};
const RememberedEncoding kUtf8{TextEncoding::Utf8, AnsiCodePage::Utf8};
const RememberedEncoding kUtf16Le{TextEncoding::Utf16Le, AnsiCodePage::Utf8};
const RememberedEncoding kUtf16Be{TextEncoding::Utf16Be, AnsiCodePage::Utf8};

QByteArray Hex(const char *hex)
{
    return QByteArray::fromHex(hex);
}

QString Windows1252(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1252");
    return decoder.decode(bytes);
}

} // namespace

class TestTextFile : public QObject
{
    Q_OBJECT
private slots:
    void loadAndSave_data();
    void loadAndSave();
    void unrepresentableText_data();
    void unrepresentableText();
    void ansiFileTakesUserText();
    void wholeTextOfList();
    void capacities();
    void saveKeepsPermissions();
    void saveWritesThroughLinks();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestTextFile::loadAndSave_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("document");
    QTest::addColumn<RememberedEncoding>("encoding");
    QTest::addColumn<QByteArray>("savedList");
    QTest::addColumn<QByteArray>("savedDocument");

    const QStringList ab{u"a"_s, u"b"_s};
    const QStringList aEmptyB{u"a"_s, QString(), u"b"_s};
    QTest::newRow("empty file") << QByteArray() << QStringList() << QString() << kAnsiUtf8 << QByteArray()
                                << QByteArray();
    QTest::newRow("mark alone") << Hex("efbbbf") << QStringList() << QString() << kUtf8 << Hex("efbbbf")
                                << Hex("efbbbf");
    QTest::newRow("CR LF, no final break")
        << Hex("610d0a62") << ab << u"a\r\nb"_s << kAnsiUtf8 << Hex("610d0a620d0a") << Hex("610d0a62");
    QTest::newRow("LF LF") << Hex("610a0a62") << aEmptyB << u"a\r\n\r\nb"_s << kAnsiUtf8 << Hex("610d0a0d0a620d0a")
                           << Hex("610d0a0d0a62");
    QTest::newRow("CR CR") << Hex("610d0d62") << aEmptyB << u"a\r\n\r\nb"_s << kAnsiUtf8 << Hex("610d0a0d0a620d0a")
                           << Hex("610d0a0d0a62");
    QTest::newRow("LF CR") << Hex("610a0d62") << aEmptyB << u"a\r\n\r\nb"_s << kAnsiUtf8 << Hex("610d0a0d0a620d0a")
                           << Hex("610d0a0d0a62");
    QTest::newRow("empty line before final break")
        << Hex("610d0a0d0a") << QStringList{u"a"_s, QString()} << u"a\r\n\r\n"_s << kAnsiUtf8 << Hex("610d0a0d0a")
        << Hex("610d0a0d0a");
    QTest::newRow("CR LF alone") << Hex("0d0a") << QStringList{QString()} << u"\r\n"_s << kAnsiUtf8 << Hex("0d0a")
                                 << Hex("0d0a");
    QTest::newRow("document LF") << Hex("610a62") << ab << u"a\r\nb"_s << kAnsiUtf8 << Hex("610d0a620d0a")
                                 << Hex("610d0a62");
    QTest::newRow("document final CR LF")
        << Hex("610d0a") << QStringList{u"a"_s} << u"a\r\n"_s << kAnsiUtf8 << Hex("610d0a") << Hex("610d0a");
    QTest::newRow("UTF-16 LE") << Hex("fffe6100") << QStringList{u"a"_s} << u"a"_s << kUtf16Le
                               << Hex("fffe61000d000a00") << Hex("fffe6100");
    QTest::newRow("UTF-16 BE") << Hex("feff0061") << QStringList{u"a"_s} << u"a"_s << kUtf16Be
                               << Hex("feff0061000d000a") << Hex("feff0061");
    QTest::newRow("UTF-16 LE odd byte") << Hex("fffe610062") << QStringList{u"a"_s} << u"a"_s << kUtf16Le
                                        << Hex("fffe61000d000a00") << Hex("fffe6100");
    QTest::newRow("UTF-16 BE odd byte") << Hex("feff006100") << QStringList{u"a"_s} << u"a"_s << kUtf16Be
                                        << Hex("feff0061000d000a") << Hex("feff0061");
    QTest::newRow("UTF-16 LE mark then U+0000")
        << Hex("fffe0000") << QStringList() << QString() << kUtf16Le << Hex("fffe") << Hex("fffe");
    QTest::newRow("UTF-16 LE surrogate pair") << Hex("fffe3dd800de") << QStringList{u"😀"_s} << u"😀"_s << kUtf16Le
                                              << Hex("fffe3dd800de0d000a00") << Hex("fffe3dd800de");
    QTest::newRow("NUL byte ends the text")
        << Hex("6100620d0a63") << QStringList{u"a"_s} << u"a"_s << kAnsiUtf8 << Hex("610d0a") << Hex("61");
    QTest::newRow("NUL in UTF-16") << Hex("fffe610000006200") << QStringList{u"a"_s} << u"a"_s << kUtf16Le
                                   << Hex("fffe61000d000a00") << Hex("fffe6100");
    QTest::newRow("UTF-8 without mark") << "H\xC3\xA9l\xC3\xA8ne\r\n\xE2\x82\xAC 5\r\n"_ba
                                        << QStringList{u"Hélène"_s, u"€ 5"_s} << u"Hélène\r\n€ 5\r\n"_s << kAnsiUtf8
                                        << "H\xC3\xA9l\xC3\xA8ne\r\n\xE2\x82\xAC 5\r\n"_ba
                                        << "H\xC3\xA9l\xC3\xA8ne\r\n\xE2\x82\xAC 5\r\n"_ba;
    QTest::newRow("UTF-8 four bytes") << Hex("f09f98800d0a") << QStringList{u"😀"_s} << u"😀\r\n"_s << kAnsiUtf8
                                      << Hex("f09f98800d0a") << Hex("f09f98800d0a");
    QTest::newRow("Windows-1252") << "H\xE9l\xE8ne\r\nNo\xEBl \x80\r\n"_ba << QStringList{u"Hélène"_s, u"Noël €"_s}
                                  << u"Hélène\r\nNoël €\r\n"_s << kAnsi1252 << "H\xE9l\xE8ne\r\nNo\xEBl \x80\r\n"_ba
                                  << "H\xE9l\xE8ne\r\nNo\xEBl \x80\r\n"_ba;
    // Valid UTF-8 up to the last byte: the whole file is Windows-1252, as the original wrote it.
    QTest::newRow("UTF-8 then one stray byte") << "\xC3\xA9\r\n\xE9"_ba << QStringList{u"Ã©"_s, u"é"_s} << u"Ã©\r\né"_s
                                               << kAnsi1252 << "\xC3\xA9\r\n\xE9\r\n"_ba
                                               << "\xC3\xA9\r\n\xE9"_ba;
    QTest::newRow("overlong UTF-8") << Hex("c0af") << QStringList{Windows1252(Hex("c0af"))} << Windows1252(Hex("c0af"))
                                    << kAnsi1252 << Hex("c0af0d0a") << Hex("c0af");
    QTest::newRow("UTF-8 surrogate") << Hex("eda080") << QStringList{Windows1252(Hex("eda080"))}
                                     << Windows1252(Hex("eda080")) << kAnsi1252 << Hex("eda0800d0a") << Hex("eda080");
    QTest::newRow("cut UTF-8 sequence") << Hex("61c3") << QStringList{u"aÃ"_s} << u"aÃ"_s << kAnsi1252
                                        << Hex("61c30d0a") << Hex("61c3");
    // Only the text before U+0000 decides the code page.
    QTest::newRow("stray byte after NUL")
        << Hex("c3a900e9") << QStringList{u"é"_s} << u"é"_s << kAnsiUtf8 << Hex("c3a90d0a") << Hex("c3a9");
    QTest::newRow("the five undefined bytes")
        << Hex("818d8f909d") << QStringList{u"\u0081\u008d\u008f\u0090\u009d"_s} << u"\u0081\u008d\u008f\u0090\u009d"_s
        << kAnsi1252 << Hex("818d8f909d0d0a") << Hex("818d8f909d");
    QByteArray high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high.append(char(b));
    QTest::newRow("every high byte") << high << QStringList{Windows1252(high)} << Windows1252(high) << kAnsi1252
                                     << high + "\r\n"
                                     << high;
    QTest::newRow("UTF-8 mark, invalid bytes") << Hex("efbbbf61ff62") << QStringList{u"a\uFFFDb"_s} << u"a\uFFFDb"_s
                                               << kUtf8 << Hex("efbbbf61efbfbd620d0a") << Hex("efbbbf61efbfbd62");
    QTest::newRow("UTF-8 mark twice") << Hex("efbbbfefbbbf61") << QStringList{u"\uFEFFa"_s} << u"\uFEFFa"_s << kUtf8
                                      << Hex("efbbbfefbbbf610d0a") << Hex("efbbbfefbbbf61");
    QTest::newRow("short of a mark") << Hex("efbb") << QStringList{u"ï»"_s} << u"ï»"_s << kAnsi1252 << Hex("efbb0d0a")
                                     << Hex("efbb");
}

void TestTextFile::loadAndSave()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(QString, document);
    QFETCH(RememberedEncoding, encoding);
    QFETCH(QByteArray, savedList);
    QFETCH(QByteArray, savedDocument);

    const QString source = path(u"source.txt"_s);
    QVERIFY(WriteAll(source, bytes));

    FakeLineList list;
    list.lines = QStringList{u"old"_s};
    list.encoding = {TextEncoding::Utf16Be, AnsiCodePage::Windows1252}; // any load replaces it
    LoadLineList(list, source);
    QCOMPARE(list.lines, lines);
    QCOMPARE(list.encoding, encoding);
    SaveLineList(list, path(u"list.txt"_s));
    QCOMPARE(ReadAll(path(u"list.txt"_s)), savedList);
    QCOMPARE(list.encoding, encoding);

    FakeText text;
    text.encoding = {TextEncoding::Utf16Be, AnsiCodePage::Windows1252};
    LoadTextDocument(text, source);
    QCOMPARE(text.content, document);
    QCOMPARE(text.encoding, encoding);
    SaveTextDocument(text, path(u"document.txt"_s));
    QCOMPARE(ReadAll(path(u"document.txt"_s)), savedDocument);
}

void TestTextFile::unrepresentableText_data()
{
    QTest::addColumn<RememberedEncoding>("start");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<RememberedEncoding>("after");
    QTest::newRow("Windows-1252 holds it") << kAnsi1252 << u"Noël – 5 €"_s << "No\xEBl \x96 5 \x80"_ba << kAnsi1252;
    QTest::newRow("Polish name") << kAnsi1252 << u"Łukasz"_s << "\xEF\xBB\xBF\xC5\x81ukasz"_ba << kUtf8;
    QTest::newRow("Chinese") << kAnsi1252 << u"中"_s << "\xEF\xBB\xBF\xE4\xB8\xAD"_ba << kUtf8;
    QTest::newRow("nothing loaded yet") << kAnsiUtf8 << u"Hélène 中"_s << "H\xC3\xA9l\xC3\xA8ne \xE4\xB8\xAD"_ba
                                        << kAnsiUtf8;
    // Without a mark these bytes would load back as other text.
    QTest::newRow("Windows-1252 bytes reading as UTF-8")
        << kAnsi1252 << u"Ã©"_s << "\xEF\xBB\xBF\xC3\x83\xC2\xA9"_ba << kUtf8;
    QTest::newRow("Windows-1252 opening like a UTF-16 mark") << kAnsi1252 << u"ÿþa"_s
                                                             << "\xEF\xBB\xBF\xC3\xBF\xC3\xBE"
                                                                "a"_ba
                                                             << kUtf8;
    QTest::newRow("Windows-1252 opening like a UTF-8 mark") << kAnsi1252 << u"ï»¿a"_s
                                                            << "\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBF"
                                                               "a"_ba
                                                            << kUtf8;
    QTest::newRow("UTF-8 opening with U+FEFF") << kAnsiUtf8 << u"\uFEFFa"_s
                                               << "\xEF\xBB\xBF\xEF\xBB\xBF"
                                                  "a"_ba
                                               << kUtf8;
}

void TestTextFile::unrepresentableText()
{
    QFETCH(RememberedEncoding, start);
    QFETCH(QString, line);
    QFETCH(QByteArray, bytes);
    QFETCH(RememberedEncoding, after);

    FakeText text;
    text.content = line;
    text.encoding = start;
    SaveTextDocument(text, path(u"doc.MSGX"_s));
    QCOMPARE(ReadAll(path(u"doc.MSGX"_s)), bytes);
    QCOMPARE(text.encoding, after);

    FakeLineList list;
    list.lines = QStringList{line};
    list.encoding = start;
    SaveLineList(list, path(u"list.txt"_s));
    QCOMPARE(ReadAll(path(u"list.txt"_s)), bytes + "\r\n");
    QCOMPARE(list.encoding, after);

    // What was written loads back as the same text.
    LoadLineList(list, path(u"list.txt"_s));
    QCOMPARE(list.lines, QStringList{line});
}

void TestTextFile::ansiFileTakesUserText()
{
    const QString file = path(u"EMAILS.TXT"_s);
    QVERIFY(WriteAll(file, "Ren\xE9 <rene@exemple.test>\r\n"_ba));
    FakeLineList list;
    LoadLineList(list, file);
    list.lines.append(u"Zoë <zoe@exemple.test>"_s);
    SaveLineList(list, file);
    QCOMPARE(ReadAll(file), "Ren\xE9 <rene@exemple.test>\r\nZo\xEB <zoe@exemple.test>\r\n"_ba);
    QCOMPARE(list.encoding, kAnsi1252);
}

void TestTextFile::wholeTextOfList()
{
    FakeLineList list;
    list.encoding = kUtf16Be;
    ReplaceLineListText(list, u"a\r\nb\nc\rd\n\re\r\n"_s + QChar(0) + u"lost"_s);
    QCOMPARE(list.lines, (QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s, QString(), u"e"_s}));
    QCOMPARE(list.encoding, kUtf16Be);
    QCOMPARE(LineListText(list), u"a\r\nb\r\nc\r\nd\r\n\r\ne\r\n"_s);
    ReplaceLineListText(list, LineListText(list));
    QCOMPARE(list.lines, (QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s, QString(), u"e"_s}));
    ReplaceLineListText(list, QString());
    QVERIFY(list.lines.isEmpty());
    QCOMPARE(LineListText(list), QString());
}

void TestTextFile::capacities()
{
    FakeText text;
    text.content = u"before"_s;
    text.encoding = kUtf8;
    const QString big = path(u"big.MSGX"_s);
    QVERIFY(WriteAll(big, QByteArray(MaxTextDocumentChars + 1, 'x')));
    QVERIFY_THROWS_EXCEPTION(AppError, LoadTextDocument(text, big));
    try {
        LoadTextDocument(text, big);
    } catch (const AppError &e) {
        QCOMPARE(e.message(), u"Le texte dépasse la capacité du mémo"_s);
    }
    QCOMPARE(text.content, u"before"_s);
    QCOMPARE(text.encoding, kUtf8);
    // Line breaks made CR LF count: LF alone on disk fits, but not once doubled.
    QVERIFY(WriteAll(big, QByteArray(MaxTextDocumentChars / 2 + 1, '\n')));
    QVERIFY_THROWS_EXCEPTION(AppError, LoadTextDocument(text, big));
    QVERIFY(WriteAll(big, QByteArray(MaxTextDocumentChars, 'x')));
    LoadTextDocument(text, big);
    QCOMPARE(text.content.size(), MaxTextDocumentChars);

    FakeLineList list;
    list.lines = QStringList{u"before"_s};
    list.encoding = kUtf16Le;
    const QString many = path(u"many.txt"_s);
    QVERIFY(WriteAll(many, QByteArray(MaxLineListLines + 1, '\n')));
    try {
        LoadLineList(list, many);
        QFAIL("a list beyond its capacity was loaded");
    } catch (const AppError &e) {
        QCOMPARE(e.message(), u"Impossible d'insérer une ligne"_s);
    }
    QCOMPARE(list.lines, QStringList{u"before"_s});
    QCOMPARE(list.encoding, kUtf16Le);
    QFile::remove(many);
    QVERIFY_THROWS_EXCEPTION(AppError, ReplaceLineListText(list, QString(MaxLineListLines + 1, u'\r')));
    QCOMPARE(list.lines, QStringList{u"before"_s});
}

void TestTextFile::saveKeepsPermissions()
{
    const QString file = path(u"perm.txt"_s);
    QVERIFY(WriteAll(file, "old"_ba));
    QVERIFY(::chmod(QFile::encodeName(file).constData(), 0640) == 0);
    FakeLineList list;
    list.lines = QStringList{u"new"_s};
    SaveLineList(list, file);
    QCOMPARE(ReadAll(file), "new\r\n"_ba);
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(file).constData(), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0640));
}

void TestTextFile::saveWritesThroughLinks()
{
    QVERIFY(QDir(m_dir.path()).mkpath(u"real"_s));
    const QString target = path(u"real/target.txt"_s);
    QVERIFY(WriteAll(target, "old"_ba));
    const QString link = path(u"link.txt"_s);
    QVERIFY(QFile::link(u"real/target.txt"_s, link)); // a relative link
    const QString chain = path(u"chain.txt"_s);
    QVERIFY(QFile::link(link, chain));

    FakeText text;
    text.content = u"new"_s;
    SaveTextDocument(text, chain);
    QCOMPARE(ReadAll(target), "new"_ba);
    QVERIFY(QFileInfo(link).isSymLink());
    QVERIFY(QFileInfo(chain).isSymLink());

    // A dangling link creates its target.
    const QString dangling = path(u"dangling.txt"_s);
    QVERIFY(QFile::link(path(u"real/created.txt"_s), dangling));
    SaveTextDocument(text, dangling);
    QCOMPARE(ReadAll(path(u"real/created.txt"_s)), "new"_ba);
    QVERIFY(QFileInfo(dangling).isSymLink());
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"

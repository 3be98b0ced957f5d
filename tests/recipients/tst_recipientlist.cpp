#include "RecipientLines.h"
#include "recipients/RecipientList.h"

#include <QSignalSpy>
#include <QtTest>

#include <random>

using namespace Qt::StringLiterals;

namespace {

// The search as stated: every unit upper-cased on its own, then a plain substring test.
QString upperUnitByUnit(const QString &text)
{
    QString result = text;
    for (QChar &c : result)
        c = c.toUpper();
    return result;
}

qsizetype referenceFind(const QStringList &lines, const QString &text, qsizetype start)
{
    if (text.isEmpty())
        return lines.size();
    const QString key = upperUnitByUnit(text);
    for (qsizetype i = std::max<qsizetype>(start, 0); i < lines.size(); ++i)
        if (upperUnitByUnit(lines[i]).contains(key))
            return i;
    return lines.size();
}

qsizetype referencePrefix(const QStringList &lines, const QString &text)
{
    if (text.isEmpty())
        return -1;
    const QString key = upperUnitByUnit(text);
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (upperUnitByUnit(lines[i]).startsWith(key))
            return i;
    return -1;
}

// Letters where one-byte storage, Windows-1252 extras and lines that do not fit meet:
// ÿ/Ÿ and œ/Œ (upper case outside Latin-1), µ (upper case Greek), ß (no one-unit upper),
// ł/Ł (no byte at all), ſ (upper case S), a line break and U+0000.
const QString kAlphabet = u"aAbeéÉÿŸœŒµßłŁſsS<>\n"_s + QChar(0) + u"€"_s;

QString randomLine(std::mt19937 &random)
{
    std::uniform_int_distribution<int> length(0, 6);
    std::uniform_int_distribution<int> letter(0, int(kAlphabet.size()) - 1);
    QString line;
    for (int k = length(random); k > 0; --k)
        line += kAlphabet[letter(random)];
    return line;
}

} // namespace

class TestRecipientList : public QObject
{
    Q_OBJECT
private slots:
    void keepsEveryUtf16UnitExactly();
    void rolesAndMarks();
    void replacingClearsMarksAndSelection();
    void selectIndex_data();
    void selectIndex();
    void removalsKeepTheSelectionOnItsLine_data();
    void removalsKeepTheSelectionOnItsLine();
    void reorderMovesMarksAndKeepsTheSelectedRow();
    void longestLineRows();
    void searchMatchesUnitByUnitUpperCase();
    void searchAfterEditsSkipsOldText();
};

void TestRecipientList::keepsEveryUtf16UnitExactly()
{
    // Every unit of the BMP (lone surrogates included) comes back as it went in, whether
    // its line is kept one byte per character or not.
    QStringList lines;
    QString all;
    for (int u = 0; u < 65536; ++u) {
        all += QChar(char16_t(u));
        if (u < 256)
            lines.append(QString(QChar(char16_t(u))) + u"x"_s);
    }
    lines.append(all);
    lines.append(u"Cœur Œuvre – 10 € ‚ “ ” Ÿ"_s);
    RecipientList list;
    fill(list, lines);
    QCOMPARE(linesOf(list), lines);
    QCOMPARE(list.data(list.index(int(lines.size()) - 1)).toString(), lines.last());
}

void TestRecipientList::rolesAndMarks()
{
    RecipientList list;
    fill(list, {u"a"_s, u"b"_s});
    QVERIFY(list.flags(list.index(0)) & Qt::ItemIsUserCheckable);
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    QVERIFY(list.setData(list.index(1), int(Qt::Checked), Qt::CheckStateRole));
    QVERIFY(list.isMarked(1));
    QCOMPARE(list.data(list.index(1), Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(list.data(list.index(0), Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(list.markedCount(), 1);
    QVERIFY(list.setData(list.index(1), int(Qt::Unchecked), Qt::CheckStateRole));
    QVERIFY(!list.isMarked(1));
    QVERIFY(!list.setData(list.index(0), u"x"_s, Qt::EditRole));
    QCOMPARE(list.lineAt(0), u"a"_s);
}

void TestRecipientList::replacingClearsMarksAndSelection()
{
    RecipientList list;
    fill(list, {u"a"_s, u"b"_s});
    list.setMarked(0, true);
    list.selectIndex(1);
    list.setSearchPosition(7);
    const RememberedEncoding utf16{TextEncoding::Utf16Le, AnsiCodePage::Utf8};
    list.setRememberedEncoding(utf16);
    QSignalSpy selection(&list.selection(), &ListSelection::changed);
    fill(list, {u"c"_s, u"d"_s, u"e"_s});
    QCOMPARE(list.rowCount(), 3);
    QCOMPARE(list.markedCount(), 0);
    QVERIFY(!list.isMarked(0));
    QCOMPARE(list.selectedIndex(), -1);
    QCOMPARE(selection.count(), 1);
    QCOMPARE(selection.last().first().value<qsizetype>(), -1);
    QCOMPARE(list.searchPosition(), 7);
    QCOMPARE(list.rememberedEncoding(), utf16);
}

void TestRecipientList::selectIndex_data()
{
    QTest::addColumn<qsizetype>("before");
    QTest::addColumn<qsizetype>("request");
    QTest::addColumn<qsizetype>("after");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("a line") << qsizetype(-1) << qsizetype(2) << qsizetype(2) << true;
    QTest::newRow("the selected line again") << qsizetype(2) << qsizetype(2) << qsizetype(2) << true;
    QTest::newRow("none") << qsizetype(1) << qsizetype(-1) << qsizetype(-1) << false;
    QTest::newRow("past the end") << qsizetype(1) << qsizetype(3) << qsizetype(1) << false;
    QTest::newRow("below -1") << qsizetype(1) << qsizetype(-2) << qsizetype(1) << false;
}

void TestRecipientList::selectIndex()
{
    QFETCH(qsizetype, before);
    QFETCH(qsizetype, request);
    QFETCH(qsizetype, after);
    QFETCH(bool, scrolls);
    RecipientList list;
    fill(list, {u"a"_s, u"b"_s, u"c"_s});
    list.selectIndex(before);
    QSignalSpy selection(&list.selection(), &ListSelection::changed);
    QSignalSpy scroll(&list, &RecipientList::scrollToRequested);
    list.selectIndex(request);
    QCOMPARE(list.selectedIndex(), after);
    QCOMPARE(selection.count(), before == after ? 0 : 1);
    QCOMPARE(scroll.count(), scrolls ? 1 : 0);
}

void TestRecipientList::removalsKeepTheSelectionOnItsLine_data()
{
    QTest::addColumn<QList<int>>("marked");
    QTest::addColumn<qsizetype>("selected");
    QTest::addColumn<QString>("selectedLineAfter"); // empty: none selected
    // Few runs go run by run, many runs in one pass: both must agree.
    QTest::newRow("marks above the selection") << QList<int>{0, 2} << qsizetype(3) << u"3"_s;
    QTest::newRow("selection marked") << QList<int>{1, 3} << qsizetype(3) << QString();
    QTest::newRow("marks below the selection") << QList<int>{5, 6} << qsizetype(4) << u"4"_s;
    QList<int> many;
    for (int i = 0; i < 40; i += 2)
        many.append(i);
    QTest::newRow("many runs, selection kept") << many << qsizetype(21) << u"21"_s;
    QTest::newRow("many runs, selection marked") << many << qsizetype(20) << QString();
}

void TestRecipientList::removalsKeepTheSelectionOnItsLine()
{
    QFETCH(QList<int>, marked);
    QFETCH(qsizetype, selected);
    QFETCH(QString, selectedLineAfter);
    QStringList lines;
    for (int i = 0; i < 45; ++i)
        lines.append(QString::number(i));
    RecipientList list;
    fill(list, lines);
    for (int i : marked)
        list.setMarked(i, true);
    list.selectIndex(selected);
    QCOMPARE(list.removeMarkedLines(), marked.size());
    QStringList expected = lines;
    for (qsizetype k = marked.size() - 1; k >= 0; --k)
        expected.removeAt(marked[k]);
    QCOMPARE(linesOf(list), expected);
    QCOMPARE(list.markedCount(), 0);
    QCOMPARE(list.rowCount(), int(expected.size()));
    if (selectedLineAfter.isEmpty())
        QCOMPARE(list.selectedIndex(), -1);
    else
        QCOMPARE(list.lineAt(list.selectedIndex()), selectedLineAfter);
}

void TestRecipientList::reorderMovesMarksAndKeepsTheSelectedRow()
{
    RecipientList list;
    fill(list, {u"zéro"_s, u"un"_s, u"Łódź"_s});
    list.setMarked(2, true);
    list.selectIndex(0);
    list.reorderLines({2, 0, 1});
    QCOMPARE(linesOf(list), (QStringList{u"Łódź"_s, u"zéro"_s, u"un"_s}));
    QVERIFY(list.isMarked(0));
    QVERIFY(!list.isMarked(2));
    QCOMPARE(list.selectedIndex(), 0);
    QCOMPARE(list.findContaining(u"ÉR"_s, 0), 1);
}

void TestRecipientList::longestLineRows()
{
    RecipientList list;
    fill(list, {u"aa"_s, u"aaaa"_s, u"a"_s, u"aaaa"_s, u"aaa"_s});
    QCOMPARE(list.longestLineRows(3), (QList<qsizetype>{1, 3, 4}));
    QSignalSpy changed(&list, &RecipientList::longestLinesChanged);
    list.setLineText(2, u"aaaaaaaaaa"_s);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(list.longestLineRows(2), (QList<qsizetype>{2, 1}));
    list.removeLine(0);
    QCOMPARE(list.longestLineRows(1), (QList<qsizetype>{1}));
    QCOMPARE(list.longestLineRows(10).size(), 4);
}

void TestRecipientList::searchMatchesUnitByUnitUpperCase()
{
    // The one-byte scan, its shadows of lines that do not fit and the line-by-line path must
    // all answer as the plain definition does.
    std::mt19937 random(20240501);
    QStringList lines;
    for (int i = 0; i < 400; ++i)
        lines.append(randomLine(random));
    RecipientList list;
    fill(list, lines);
    for (int probe = 0; probe < 3000; ++probe) {
        QString text = randomLine(random);
        if (text.size() > 3)
            text.truncate(3);
        const qsizetype start = probe % 50;
        QCOMPARE(list.findContaining(text, start), referenceFind(lines, text, start));
        QCOMPARE(list.findStartingWith(text), referencePrefix(lines, text));
    }
}

void TestRecipientList::searchAfterEditsSkipsOldText()
{
    RecipientList list;
    fill(list, {u"Service Annexe"_s, u"Mairie Centrale"_s, u"annexe.mairie"_s, u"Bureau Nord"_s});
    // A shorter text written in place leaves the old tail behind it; a longer one moves.
    list.setLineText(0, u"Serv"_s);
    list.setLineText(3, u"Bureau Nord - Société"_s);
    list.removeLine(1);
    QStringList lines = linesOf(list);
    QCOMPARE(lines, (QStringList{u"Serv"_s, u"annexe.mairie"_s, u"Bureau Nord - Société"_s}));
    QCOMPARE(list.findContaining(u"Annexe"_s, 0), 1);
    QCOMPARE(list.findContaining(u"Centrale"_s, 0), 3);
    QCOMPARE(list.findContaining(u"ice"_s, 0), 3);
    QCOMPARE(list.findContaining(u"SOCIÉTÉ"_s, 0), 2);
    QCOMPARE(list.findContaining(u"a"_s, 2), 2);
    QCOMPARE(list.findStartingWith(u"bur"_s), 2);
}

QTEST_GUILESS_MAIN(TestRecipientList)
#include "tst_recipientlist.moc"

#include "RecipientLines.h"
#include "ScriptedDialogs.h"
#include "recipients/RecipientList.h"
#include "recipients/RecipientSearch.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList kLines{u"Service Annexe"_s, u"Mairie Centrale"_s, u"annexe.mairie"_s, u"Bureau Nord - Société"_s};

class FakeClock : public Clock
{
public:
    qint64 now = 1000;
    qint64 nowMs() const override { return now; }
};

// One step of a search session: what the user does, with the text or character involved.
struct Step
{
    QString action; // "type" (Edit1 now holds text), "next", "escape"
    QString text;
};

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class TestRecipientSearch : public QObject
{
    Q_OBJECT
private slots:
    void incrementalSearch_data();
    void incrementalSearch();
    void emptyListFindsNothing_data();
    void emptyListFindsNothing();
    void findInListFromBounds_data();
    void findInListFromBounds();
    void findPrefixInList_data();
    void findPrefixInList();
    void rechercher_data();
    void rechercher();
    void typeAhead_data();
    void typeAhead();
};

void TestRecipientSearch::incrementalSearch_data()
{
    QTest::addColumn<qsizetype>("selectedBefore");
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<qsizetype>("selected");
    QTest::addColumn<qsizetype>("position");
    using S = QList<Step>;
    QTest::newRow("a, an, ann from the top")
        << qsizetype(-1) << S{{u"type"_s, u"a"_s}, {u"type"_s, u"an"_s}, {u"type"_s, u"ann"_s}} << qsizetype(0)
        << qsizetype(0);
    QTest::newRow("ann then Suivant") << qsizetype(-1) << S{{u"type"_s, u"ann"_s}, {u"next"_s, {}}} << qsizetype(2)
                                      << qsizetype(2);
    QTest::newRow("mairie") << qsizetype(-1) << S{{u"type"_s, u"mairie"_s}} << qsizetype(1) << qsizetype(1);
    QTest::newRow("mairie, Tab") << qsizetype(-1) << S{{u"type"_s, u"mairie"_s}, {u"next"_s, {}}} << qsizetype(2)
                                 << qsizetype(2);
    QTest::newRow("mairie, Tab, Tab: nothing further")
        << qsizetype(-1) << S{{u"type"_s, u"mairie"_s}, {u"next"_s, {}}, {u"next"_s, {}}} << qsizetype(2)
        << qsizetype(4);
    QTest::newRow("mairie, three Tabs: stays beyond the end")
        << qsizetype(-1) << S{{u"type"_s, u"mairie"_s}, {u"next"_s, {}}, {u"next"_s, {}}, {u"next"_s, {}}}
        << qsizetype(2) << qsizetype(4);
    QTest::newRow("a new text starts from the top again")
        << qsizetype(-1) << S{{u"type"_s, u"mairie"_s}, {u"next"_s, {}}, {u"next"_s, {}}, {u"type"_s, u"mairi"_s}}
        << qsizetype(1) << qsizetype(1);
    QTest::newRow("zz leaves the selection") << qsizetype(1) << S{{u"type"_s, u"zz"_s}} << qsizetype(1) << qsizetype(4);
    QTest::newRow("É finds Société") << qsizetype(-1) << S{{u"type"_s, u"É"_s}} << qsizetype(3) << qsizetype(3);
    QTest::newRow("é finds Société") << qsizetype(-1) << S{{u"type"_s, u"é"_s}} << qsizetype(3) << qsizetype(3);
    QTest::newRow("SOCIÉTÉ") << qsizetype(-1) << S{{u"type"_s, u"SOCIÉTÉ"_s}} << qsizetype(3) << qsizetype(3);
    QTest::newRow("erased text: position 0, selection stays")
        << qsizetype(-1) << S{{u"type"_s, u"annexe."_s}, {u"type"_s, QString()}} << qsizetype(2) << qsizetype(0);
    QTest::newRow("Suivant with the empty field finds nothing")
        << qsizetype(1) << S{{u"type"_s, QString()}, {u"next"_s, {}}} << qsizetype(1) << qsizetype(4);
    QTest::newRow("Escape") << qsizetype(-1) << S{{u"type"_s, u"nord"_s}, {u"escape"_s, {}}} << qsizetype(-1)
                            << qsizetype(0);
    QTest::newRow("Suivant after Escape starts at line 1")
        << qsizetype(-1) << S{{u"type"_s, u"annexe"_s}, {u"escape"_s, {}}, {u"next"_s, u"annexe"_s}} << qsizetype(2)
        << qsizetype(2);
}

void TestRecipientSearch::incrementalSearch()
{
    QFETCH(qsizetype, selectedBefore);
    QFETCH(QList<Step>, steps);
    QFETCH(qsizetype, selected);
    QFETCH(qsizetype, position);
    RecipientList list;
    fill(list, kLines);
    list.selectIndex(selectedBefore);
    QString edit1;
    for (const Step &step : steps) {
        if (step.action == u"type") {
            edit1 = step.text;
            Edit1Change(list, edit1);
        } else if (step.action == u"next") {
            if (!step.text.isNull())
                edit1 = step.text;
            NextClick(list, edit1);
        } else {
            // The window empties Edit1 first, which runs the incremental search.
            edit1.clear();
            Edit1Change(list, edit1);
            ResetSearch(list);
        }
    }
    QCOMPARE(list.selectedIndex(), selected);
    QCOMPARE(list.searchPosition(), position);
}

void TestRecipientSearch::emptyListFindsNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("a") << u"a"_s;
    QTest::newRow("empty") << QString();
}

void TestRecipientSearch::emptyListFindsNothing()
{
    QFETCH(QString, text);
    RecipientList list;
    list.setSearchPosition(3);
    QCOMPARE(FindInListFrom(list, text, 0), 0);
    QCOMPARE(list.searchPosition(), 0);
    QCOMPARE(list.selectedIndex(), -1);
    list.setSearchPosition(3);
    NextClick(list, text);
    QCOMPARE(list.searchPosition(), 0);
    QCOMPARE(FindPrefixInList(list, text), -1);
}

void TestRecipientSearch::findInListFromBounds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("start");
    QTest::addColumn<qsizetype>("result");
    QTest::newRow("found at start") << u"nord"_s << qsizetype(3) << qsizetype(3);
    QTest::newRow("no wrap-around") << u"service"_s << qsizetype(1) << qsizetype(4);
    QTest::newRow("start past the end") << u"a"_s << qsizetype(9) << qsizetype(4);
    QTest::newRow("empty text") << QString() << qsizetype(0) << qsizetype(4);
    QTest::newRow("whole line") << u"MAIRIE CENTRALE"_s << qsizetype(0) << qsizetype(1);
    QTest::newRow("longer than every line") << u"Bureau Nord - Société!"_s << qsizetype(0) << qsizetype(4);
    QTest::newRow("across two lines") << u"annexemairie"_s << qsizetype(0) << qsizetype(4);
    QTest::newRow("end of one line, start of the next") << u"eMairie"_s << qsizetype(0) << qsizetype(4);
}

void TestRecipientSearch::findInListFromBounds()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, start);
    QFETCH(qsizetype, result);
    RecipientList list;
    fill(list, kLines);
    list.selectIndex(0);
    QSignalSpy selection(&list.selection(), &ListSelection::changed);
    QCOMPARE(FindInListFrom(list, text, start), result);
    QCOMPARE(list.searchPosition(), result);
    QCOMPARE(list.selectedIndex(), result < 4 ? result : 0);
}

void TestRecipientSearch::findPrefixInList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("result");
    QTest::newRow("mai") << u"mai"_s << qsizetype(1);
    QTest::newRow("ANNEXE.") << u"ANNEXE."_s << qsizetype(2);
    QTest::newRow("inside a line only") << u"centrale"_s << qsizetype(-1);
    QTest::newRow("empty text") << QString() << qsizetype(-1);
    QTest::newRow("whole line, other case") << u"bureau nord - SOCIÉTÉ"_s << qsizetype(3);
    QTest::newRow("longer than the line") << u"Service Annexes"_s << qsizetype(-1);
}

void TestRecipientSearch::findPrefixInList()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, result);
    RecipientList list;
    fill(list, kLines);
    list.selectIndex(3);
    list.setSearchPosition(2);
    QCOMPARE(FindPrefixInList(list, text), result);
    QCOMPARE(list.selectedIndex(), 3);
    QCOMPARE(list.searchPosition(), 2);
}

void TestRecipientSearch::rechercher_data()
{
    QTest::addColumn<qsizetype>("selectedBefore");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<qsizetype>("selected");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("mai") << qsizetype(-1) << true << u"mai"_s << qsizetype(1) << QStringList{};
    QTest::newRow("centrale") << qsizetype(2) << true << u"centrale"_s << qsizetype(-1)
                              << QStringList{u"centrale non trouvé"_s};
    QTest::newRow("OK with an empty field")
        << qsizetype(2) << true << QString() << qsizetype(-1) << QStringList{u" non trouvé"_s};
    QTest::newRow("Cancel, a line selected") << qsizetype(2) << false << QString() << qsizetype(2) << QStringList{};
    QTest::newRow("Cancel, none selected")
        << qsizetype(-1) << false << QString() << qsizetype(-1) << QStringList{u" non trouvé"_s};
}

void TestRecipientSearch::rechercher()
{
    QFETCH(qsizetype, selectedBefore);
    QFETCH(bool, ok);
    QFETCH(QString, entered);
    QFETCH(qsizetype, selected);
    QFETCH(QStringList, messages);
    RecipientList list;
    fill(list, kLines);
    list.selectIndex(selectedBefore);
    list.setSearchPosition(3);
    ScriptedDialogs dialogs;
    dialogs.inputAnswers.append({ok, entered});
    FindByPrefix(list, dialogs);
    QCOMPARE(dialogs.inputs, (QList<QStringList>{{u"Rechercher"_s, u"Entrez un nom"_s, QString()}}));
    QCOMPARE(list.selectedIndex(), selected);
    QCOMPARE(dialogs.texts(), messages);
    for (const ScriptedDialogs::Box &box : dialogs.boxes)
        QCOMPARE(box.kind, MsgKind::Plain);
    QCOMPARE(list.searchPosition(), 3);
}

void TestRecipientSearch::typeAhead_data()
{
    // Each key: the milliseconds waited before it, and the character ("\b" is Backspace).
    QTest::addColumn<QList<int>>("waits");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QList<qsizetype>>("results"); // per key: the row to choose, -1 none
    QTest::addColumn<QString>("prefix");
    QTest::newRow("m, a quickly") << QList<int>{0, 100} << u"ma"_s << QList<qsizetype>{1, 1} << u"ma"_s;
    QTest::newRow("m, a after a pause") << QList<int>{0, 1000} << u"ma"_s << QList<qsizetype>{1, 2} << u"a"_s;
    QTest::newRow("499 ms keeps the prefix") << QList<int>{0, 499} << u"an"_s << QList<qsizetype>{2, 2} << u"an"_s;
    QTest::newRow("500 ms restarts it") << QList<int>{0, 500} << u"an"_s << QList<qsizetype>{2, -1} << u"n"_s;
    QTest::newRow("Backspace after a pause") << QList<int>{0, 1000} << u"b\b"_s << QList<qsizetype>{3, 0} << QString();
    QTest::newRow("Backspace quickly") << QList<int>{0, 100, 100} << u"se\b"_s << QList<qsizetype>{0, 0, 0} << u"s"_s;
    QTest::newRow("no line begins with it") << QList<int>{0, 100} << u"mx"_s << QList<qsizetype>{1, -1} << u"mx"_s;
    QTest::newRow("accents across case") << QList<int>{0} << u"B"_s << QList<qsizetype>{3} << u"B"_s;
    QTest::newRow("space is part of the prefix")
        << QList<int>{0, 100, 100, 100, 100, 100, 100, 100, 100} << u"service a"_s
        << QList<qsizetype>{0, 0, 0, 0, 0, 0, 0, 0, 0} << u"service a"_s;
}

void TestRecipientSearch::typeAhead()
{
    QFETCH(QList<int>, waits);
    QFETCH(QString, keys);
    QFETCH(QList<qsizetype>, results);
    QFETCH(QString, prefix);
    RecipientList list;
    fill(list, kLines);
    list.setSearchPosition(2);
    FakeClock clock;
    TypeAhead typeAhead(clock);
    qsizetype selected = -1;
    for (qsizetype k = 0; k < keys.size(); ++k) {
        clock.now += waits[k];
        const qsizetype row = typeAhead.typed(list, keys[k]);
        QCOMPARE(row, results[k]);
        if (row >= 0)
            selected = row;
        QCOMPARE(list.selectedIndex(), selected);
    }
    QCOMPARE(typeAhead.prefix(), prefix);
    QCOMPARE(list.searchPosition(), 2);

    // On an empty list nothing happens, Backspace included.
    RecipientList empty;
    TypeAhead other(clock);
    QCOMPARE(other.typed(empty, u'\b'), -1);
    QCOMPARE(other.typed(empty, u'a'), -1);
    QCOMPARE(empty.selectedIndex(), -1);
}

QTEST_GUILESS_MAIN(TestRecipientSearch)
#include "tst_recipientsearch.moc"

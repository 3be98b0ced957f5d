// The one selection of a list: what the program selects, what the user chooses, and how the
// selection follows its line when the model changes under it.
#include "helpers/ListSelection.h"

#include <QSignalSpy>
#include <QStringListModel>
#include <QTest>

using namespace Qt::StringLiterals;

class TestListSelection : public QObject
{
    Q_OBJECT
private slots:
    void selectAndChoose_data();
    void selectAndChoose();
    void followsItsLine_data();
    void followsItsLine();
    void aNewOrderKeepsTheRow();
};

namespace {
const QStringList Five{u"L0"_s, u"L1"_s, u"L2"_s, u"L3"_s, u"L4"_s};
}

void TestListSelection::selectAndChoose_data()
{
    QTest::addColumn<qsizetype>("before");
    QTest::addColumn<bool>("byUser");
    QTest::addColumn<qsizetype>("request");
    QTest::addColumn<qsizetype>("after");
    QTest::addColumn<int>("changes");
    QTest::addColumn<int>("choices");

    QTest::newRow("program: a row") << qsizetype(-1) << false << qsizetype(2) << qsizetype(2) << 1 << 0;
    QTest::newRow("program: the same row") << qsizetype(2) << false << qsizetype(2) << qsizetype(2) << 0 << 0;
    QTest::newRow("program: none") << qsizetype(2) << false << qsizetype(-1) << qsizetype(-1) << 1 << 0;
    QTest::newRow("program: past the end") << qsizetype(2) << false << qsizetype(5) << qsizetype(2) << 0 << 0;
    QTest::newRow("program: below -1") << qsizetype(2) << false << qsizetype(-2) << qsizetype(2) << 0 << 0;
    QTest::newRow("user: a row") << qsizetype(-1) << true << qsizetype(4) << qsizetype(4) << 1 << 1;
    // A click on the line already selected is a choice all the same.
    QTest::newRow("user: the same row") << qsizetype(4) << true << qsizetype(4) << qsizetype(4) << 0 << 1;
    QTest::newRow("user: none is no choice") << qsizetype(4) << true << qsizetype(-1) << qsizetype(4) << 0 << 0;
    QTest::newRow("user: past the end") << qsizetype(4) << true << qsizetype(5) << qsizetype(4) << 0 << 0;
}

void TestListSelection::selectAndChoose()
{
    QFETCH(qsizetype, before);
    QFETCH(bool, byUser);
    QFETCH(qsizetype, request);
    QFETCH(qsizetype, after);
    QFETCH(int, changes);
    QFETCH(int, choices);

    QStringListModel model(Five);
    ListSelection selection(model);
    selection.select(before);
    QSignalSpy changed(&selection, &ListSelection::changed);
    QSignalSpy chosen(&selection, &ListSelection::chosen);
    if (byUser)
        selection.choose(request);
    else
        selection.select(request);
    QCOMPARE(selection.row(), after);
    QCOMPARE(changed.count(), changes);
    QCOMPARE(chosen.count(), choices);
}

void TestListSelection::followsItsLine_data()
{
    QTest::addColumn<qsizetype>("selected");
    QTest::addColumn<QString>("change"); // remove:first:count, insert:at:count, reset
    QTest::addColumn<QString>("lineAfter"); // empty: none selected

    QTest::newRow("a line above removed") << qsizetype(3) << u"remove:1:1"_s << u"L3"_s;
    QTest::newRow("lines above removed") << qsizetype(3) << u"remove:0:2"_s << u"L3"_s;
    QTest::newRow("the selected line removed") << qsizetype(3) << u"remove:3:1"_s << QString();
    QTest::newRow("a run holding it removed") << qsizetype(3) << u"remove:2:3"_s << QString();
    QTest::newRow("a line below removed") << qsizetype(1) << u"remove:3:1"_s << u"L1"_s;
    QTest::newRow("a line inserted above") << qsizetype(2) << u"insert:0:1"_s << u"L2"_s;
    QTest::newRow("lines inserted at it") << qsizetype(2) << u"insert:2:3"_s << u"L2"_s;
    QTest::newRow("a line inserted below") << qsizetype(2) << u"insert:4:1"_s << u"L2"_s;
    QTest::newRow("all lines replaced") << qsizetype(2) << u"reset"_s << QString();
}

void TestListSelection::followsItsLine()
{
    QFETCH(qsizetype, selected);
    QFETCH(QString, change);
    QFETCH(QString, lineAfter);

    QStringListModel model(Five);
    ListSelection selection(model);
    selection.select(selected);
    QSignalSpy chosen(&selection, &ListSelection::chosen);
    const QStringList parts = change.split(u':');
    if (parts[0] == u"remove")
        QVERIFY(model.removeRows(parts[1].toInt(), parts[2].toInt()));
    else if (parts[0] == u"insert")
        QVERIFY(model.insertRows(parts[1].toInt(), parts[2].toInt()));
    else
        model.setStringList(Five);
    const QString line = selection.row() < 0 ? QString() : model.stringList().at(selection.row());
    QCOMPARE(line, lineAfter);
    QCOMPARE(chosen.count(), 0); // the model's changes are never the user's choice
}

void TestListSelection::aNewOrderKeepsTheRow()
{
    QStringListModel model({u"b"_s, u"A"_s, u"c"_s});
    ListSelection selection(model);
    selection.select(0);
    model.sort(0);
    QCOMPARE(selection.row(), 0); // the row, whatever line now stands there
}

QTEST_GUILESS_MAIN(TestListSelection)
#include "tst_listselection.moc"

#include "ScriptedDialogs.h"

#include "subjects/MemoText.h"
#include "subjects/SubjectList.h"
#include "subjects/SubjectRules.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestSubjectRules : public QObject
{
    Q_OBJECT
private slots:
    void addIfNew_data();
    void addIfNew();
    void addIfNewKeepsFieldAndSelection();
    void completion_data();
    void completion();
    void lineBreaks_data();
    void lineBreaks();
};

void TestSubjectRules::addIfNew_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("added");

    QTest::newRow("new subject") << QStringList{u"Devis"_s} << u"Relance"_s << true;
    QTest::newRow("empty text, empty list") << QStringList{} << QString() << false;
    QTest::newRow("empty text") << QStringList{u"Devis"_s} << QString() << false;
    QTest::newRow("differs in a-z case only") << QStringList{u"Devis"_s} << u"dEVIS"_s << false;
    QTest::newRow("accented letters are not folded") << QStringList{u"RÉUNION"_s} << u"Réunion"_s << true;
    QTest::newRow("accented letter as listed, the rest folded") << QStringList{u"RÉUNION"_s} << u"rÉunion"_s << false;
    QTest::newRow("trailing space is not trimmed") << QStringList{u"Devis"_s} << u"Devis "_s << true;
    QTest::newRow("found after an empty entry") << QStringList{QString(), u"Devis"_s} << u"DEVIS"_s << false;
    QTest::newRow("dotless i is not an i") << QStringList{u"Tarif"_s} << u"TARİF"_s << true;
}

void TestSubjectRules::addIfNew()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, text);
    QFETCH(bool, added);

    for (const bool notify : {false, true}) {
        SubjectList list;
        list.setStringList(entries);
        ScriptedDialogs dialogs;
        QCOMPARE(AddIfNew(list, text, notify, dialogs), added);
        QCOMPARE(list.stringList(), added ? entries + QStringList{text} : entries);
        if (added && notify) {
            QCOMPARE(dialogs.texts(), QStringList{u"\"%1\" ajouté à la liste"_s.arg(text)});
            QCOMPARE(dialogs.boxes.first().kind, MsgKind::Information);
        } else {
            QVERIFY(dialogs.boxes.isEmpty());
        }
    }
}

void TestSubjectRules::addIfNewKeepsFieldAndSelection()
{
    SubjectList list;
    list.setStringList({u"Devis"_s, u"Relance"_s});
    list.setSelectedIndex(1);
    ScriptedDialogs dialogs;
    QVERIFY(AddIfNew(list, u"Promo"_s, true, dialogs));
    QCOMPARE(list.selectedIndex(), 1);
}

void TestSubjectRules::completion_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("completes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<int>("entry");

    const QStringList subjects{u"Devis"_s, u"Relance"_s, u"Rappel"_s, u"relance client"_s};
    QTest::newRow("first letter, first entry in list order")
        << subjects << QString() << u"r"_s << QString() << true << u"Relance"_s << 1 << 6 << 1;
    QTest::newRow("shown with the entry's letter case")
        << subjects << u"RA"_s << u"P"_s << QString() << true << u"Rappel"_s << 3 << 3 << 2;
    QTest::newRow("whole entry typed: nothing left to select")
        << subjects << u"Devi"_s << u"s"_s << QString() << true << u"Devis"_s << 5 << 0 << 0;
    QTest::newRow("longer than the first match goes to a later one")
        << subjects << u"RELANCE"_s << u" "_s << QString() << true << u"relance client"_s << 8 << 6 << 3;
    QTest::newRow("text after the selection counts")
        << subjects << u"D"_s << u"e"_s << u"v"_s << true << u"Devis"_s << 3 << 2 << 0;
    QTest::newRow("no entry begins with it")
        << subjects << u"De"_s << u"x"_s << QString() << false << QString() << 0 << 0 << -1;
    QTest::newRow("accented letters compared without case")
        << QStringList{u"RÉUNION"_s} << u"ré"_s << u"u"_s << QString() << true << u"RÉUNION"_s << 3 << 4 << 0;
    QTest::newRow("an empty entry never completes")
        << QStringList{QString(), u"Devis"_s} << QString() << u"d"_s << QString() << true << u"Devis"_s << 1 << 4 << 1;
    QTest::newRow("empty list") << QStringList{} << QString() << u"a"_s << QString() << false << QString() << 0 << 0
                                << -1;
}

void TestSubjectRules::completion()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(bool, completes);

    const auto result = CompleteSubject(entries, before, typed, after);
    QCOMPARE(result.has_value(), completes);
    if (!completes)
        return;
    QTEST(result->text, "text");
    QTEST(int(result->selectionStart), "selectionStart");
    QTEST(int(result->selectionLength), "selectionLength");
    QTEST(result->entryIndex, "entry");
}

void TestSubjectRules::lineBreaks_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("crLf");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("no break") << u"Bonjour"_s << u"Bonjour"_s;
    QTest::newRow("breaks inside") << u"a\nb\n\nc"_s << u"a\r\nb\r\n\r\nc"_s;
    QTest::newRow("final break kept") << u"Cordialement,\nMarie\n"_s << u"Cordialement,\r\nMarie\r\n"_s;
    QTest::newRow("only a break") << u"\n"_s << u"\r\n"_s;
}

void TestSubjectRules::lineBreaks()
{
    QFETCH(QString, editor);
    QFETCH(QString, crLf);
    QCOMPARE(CrLfFromEditor(editor), crLf);
    QCOMPARE(EditorFromCrLf(crLf), editor);
    QCOMPARE(CrLfFromEditor(EditorFromCrLf(crLf)), crLf);

    // Stray breaks count as one break each, as in a loaded document; a CR LF text stays as it is.
    QCOMPARE(CrLfFromEditor(u"a\rb\r\nc\n\rd"_s), u"a\r\nb\r\nc\r\n\r\nd"_s);
    QCOMPARE(EditorFromCrLf(u"a\rb\r\nc\n\rd"_s), u"a\nb\nc\n\nd"_s);
    QCOMPARE(CrLfFromEditor(crLf), crLf);
}

QTEST_GUILESS_MAIN(TestSubjectRules)
#include "tst_subjectrules.moc"

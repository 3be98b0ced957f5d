#include "SubjectsTestRig.h"

#include "files/TextFile.h"

#include <QTemporaryDir>
#include <QTest>

// The subject field and its list, over real files in a scratch working directory.
class TestSubjectCommands : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void leavingTheField_data();
    void leavingTheField();
    void reenteringWithoutChangeReloadsBothDocuments();
    void switchingSubjects_data();
    void switchingSubjects();
    void emptyLineOfSubjectsFile();
    void removingShownEntryThenLeavingAddsItBack();
    void supprimerWithoutSelection_data();
    void supprimerWithoutSelection();
    void loadSubjects_data();
    void loadSubjects();
    void selectFirstSubject();
    void savedListKeepsOrderDuplicatesAndEmptyEntries();
    void unreadableSubjectsFileIsNeverOverwritten();

private:
    QTemporaryDir *m_work = nullptr;
    std::unique_ptr<ProgramFolder> m_folder;
    QString m_previousDir;
};

void TestSubjectCommands::init()
{
    m_previousDir = QDir::currentPath();
    m_work = new QTemporaryDir;
    QVERIFY(m_work->isValid());
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->isValid());
    QVERIFY(QDir::setCurrent(m_work->path()));
}

void TestSubjectCommands::cleanup()
{
    QDir::setCurrent(m_previousDir);
    delete m_work;
    m_work = nullptr;
    m_folder.reset();
}

void TestSubjectCommands::leavingTheField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entriesAfter");
    QTest::addColumn<QStringList>("notices");
    QTest::addColumn<QString>("documentStem"); // empty: no document touched

    const QStringList listed{u"Devis"_s, u"RÉUNION"_s};
    QTest::newRow("empty text") << QString() << listed << QStringList{} << QString();
    QTest::newRow("listed with other a-z case: its own documents")
        << u"devis"_s << listed << QStringList{} << u"devis"_s;
    QTest::newRow("accented letter in other case is new")
        << u"Réunion"_s << listed + QStringList{u"Réunion"_s} << QStringList{u"\"Réunion\" ajouté à la liste"_s}
        << u"Réunion"_s;
    QTest::newRow("trailing space is new") << u"Devis "_s << listed + QStringList{u"Devis "_s}
                                           << QStringList{u"\"Devis \" ajouté à la liste"_s} << u"Devis "_s;
    QTest::newRow("a \\ is part of the file name")
        << u"Devis\\Mars"_s << listed + QStringList{u"Devis\\Mars"_s}
        << QStringList{u"\"Devis\\Mars\" ajouté à la liste"_s} << u"Devis\\Mars"_s;
}

void TestSubjectCommands::leavingTheField()
{
    QFETCH(QString, text);
    QFETCH(QStringList, entriesAfter);
    QFETCH(QStringList, notices);
    QFETCH(QString, documentStem);

    SubjectsRig rig(*m_folder);
    rig.list.setStringList({u"Devis"_s, u"RÉUNION"_s});
    QVERIFY(WriteAll(u"Devis.MSGX"_s, "Message de Devis"));
    rig.enterAndLeave(text);

    QCOMPARE(Entries(rig.list), entriesAfter);
    QCOMPARE(rig.dialogs.texts(), notices);
    QVERIFY(rig.dialogs.errors.isEmpty());
    if (documentStem.isEmpty()) {
        QCOMPARE(rig.state.FILES.Msg, QString());
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{u"Devis.MSGX"_s});
        QCOMPARE(rig.window.focus, Focus::Elsewhere);
        return;
    }
    // The documents follow the subject's letter case: a new, empty pair beside Devis's.
    QCOMPARE(rig.state.FILES.SUBJECT, text);
    QCOMPARE(rig.state.FILES.Msg, documentStem + u".MSGX"_s);
    QCOMPARE(rig.state.FILES.SIGN, documentStem + u".SIGNX"_s);
    QCOMPARE(ReadAll(rig.state.FILES.Msg), QByteArray());
    QCOMPARE(ReadAll(rig.state.FILES.SIGN), QByteArray());
    QCOMPARE(rig.message.text(), QString());
    QCOMPARE(ReadAll(u"Devis.MSGX"_s), QByteArray("Message de Devis"));
    QCOMPARE(rig.window.focus, Focus::Message);
}

void TestSubjectCommands::reenteringWithoutChangeReloadsBothDocuments()
{
    SubjectsRig rig(*m_folder);
    rig.list.setStringList({u"Devis"_s});
    QVERIFY(WriteAll(u"Devis.MSGX"_s, "Bonjour,\r\n"));
    QVERIFY(WriteAll(u"Devis.SIGNX"_s, "Marie"));
    rig.enterAndLeave(u"Devis"_s);
    rig.message.setText(u"non enregistré"_s);
    rig.signature.setText(u"non enregistrée"_s);

    rig.enterAndLeave(u"Devis"_s);

    QCOMPARE(rig.message.text(), u"Bonjour,\r\n"_s);
    QCOMPARE(rig.signature.text(), u"Marie"_s);
    QCOMPARE(ReadAll(u"Devis.MSGX"_s), QByteArray("Bonjour,\r\n"));
    QVERIFY(rig.dialogs.boxes.isEmpty());
}

void TestSubjectCommands::switchingSubjects_data()
{
    QTest::addColumn<bool>("pick");
    QTest::addColumn<QByteArray>("devisMessageAfter");
    QTest::addColumn<QByteArray>("devisSignatureAfter");

    QTest::newRow("typing a subject does not save") << false << QByteArray("ancien") << QByteArray("sig");
    QTest::newRow("picking a listed subject saves first") << true << QByteArray("modifié") << QByteArray("sig 2");
}

void TestSubjectCommands::switchingSubjects()
{
    QFETCH(bool, pick);
    SubjectsRig rig(*m_folder);
    rig.list.setStringList({u"Devis"_s, u"Relance"_s});
    QVERIFY(WriteAll(u"Devis.MSGX"_s, "ancien"));
    QVERIFY(WriteAll(u"Devis.SIGNX"_s, "sig"));
    QVERIFY(WriteAll(u"Relance.MSGX"_s, "Relance !"));
    rig.commands.SelectFirstSubject();
    rig.message.setText(u"modifié"_s);
    rig.signature.setText(u"sig 2"_s);

    if (pick) {
        rig.window.focus = Focus::Subject;
        rig.pick(1);
    } else {
        rig.enterAndLeave(u"Relance"_s);
    }

    QTEST(ReadAll(u"Devis.MSGX"_s), "devisMessageAfter");
    QTEST(ReadAll(u"Devis.SIGNX"_s), "devisSignatureAfter");
    QCOMPARE(rig.window.text, u"Relance"_s);
    QCOMPARE(rig.state.FILES.Msg, u"Relance.MSGX"_s);
    QCOMPARE(rig.message.text(), u"Relance !"_s);
    QCOMPARE(ReadAll(u"Relance.SIGNX"_s), QByteArray());
    QCOMPARE(rig.window.focus, Focus::Message);
    QCOMPARE(Entries(rig.list), (QStringList{u"Devis"_s, u"Relance"_s}));
    QVERIFY(rig.dialogs.boxes.isEmpty());
    QVERIFY(rig.dialogs.errors.isEmpty());
}

void TestSubjectCommands::emptyLineOfSubjectsFile()
{
    QVERIFY(WriteAll(m_folder->subjectsPath(), "Devis\r\n\r\nRelance\r\n"));
    QVERIFY(WriteAll(u"Devis.MSGX"_s, "ancien"));
    SubjectsRig rig(*m_folder);
    rig.commands.LoadSubjects();
    QCOMPARE(Entries(rig.list), (QStringList{u"Devis"_s, QString(), u"Relance"_s}));
    rig.commands.SelectFirstSubject();
    rig.message.setText(u"modifié"_s);

    // Picking the empty entry empties the field, saves under Devis and loads nothing.
    rig.pick(1);
    QCOMPARE(rig.window.text, QString());
    QCOMPARE(ReadAll(u"Devis.MSGX"_s), QByteArray("modifié"));
    QCOMPARE(rig.state.FILES.SUBJECT, u"Devis"_s);
    QCOMPARE(rig.message.text(), u"modifié"_s);
    QCOMPARE(Entries(rig.list).size(), 3);
}

void TestSubjectCommands::removingShownEntryThenLeavingAddsItBack()
{
    SubjectsRig rig(*m_folder);
    rig.list.setStringList({u"Devis"_s, u"Relance"_s});
    rig.commands.SelectFirstSubject();
    QVERIFY(WriteAll(u"Devis.MSGX"_s, "gardé"));

    rig.commands.Supprimer1Click();
    QCOMPARE(Entries(rig.list), QStringList{u"Relance"_s});
    QCOMPARE(rig.list.selectedIndex(), -1);
    QCOMPARE(rig.window.text, u"Devis"_s);
    QCOMPARE(rig.state.FILES.SUBJECT, u"Devis"_s);
    QVERIFY(QFile::exists(u"Devis.SIGNX"_s));

    rig.enterAndLeave(rig.window.text);
    QCOMPARE(Entries(rig.list), (QStringList{u"Relance"_s, u"Devis"_s}));
    QCOMPARE(rig.dialogs.texts(), QStringList{u"\"Devis\" ajouté à la liste"_s});
    QCOMPARE(rig.message.text(), u"gardé"_s);
}

void TestSubjectCommands::supprimerWithoutSelection_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("empty list") << QStringList{};
    QTest::newRow("nothing selected") << QStringList{u"Devis"_s, u"Relance"_s};
}

void TestSubjectCommands::supprimerWithoutSelection()
{
    QFETCH(QStringList, entries);
    SubjectsRig rig(*m_folder);
    rig.list.setStringList(entries);
    rig.commands.Supprimer1Click();
    QCOMPARE(Entries(rig.list), entries);
    QCOMPARE(rig.list.selectedIndex(), -1);
}

void TestSubjectCommands::loadSubjects_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("no subjects file") << false << QStringList{};
    QTest::newRow("subjects file") << true << QStringList{u"Devis"_s, u"Relance"_s};
}

void TestSubjectCommands::loadSubjects()
{
    QFETCH(bool, fileExists);
    if (fileExists)
        QVERIFY(WriteAll(m_folder->subjectsPath(), "Devis\r\nRelance\r\n"));
    SubjectsRig rig(*m_folder);
    rig.commands.LoadSubjects();

    QTEST(Entries(rig.list), "entries");
    // The field is still empty: no document is touched.
    QCOMPARE(rig.state.FILES.SUBJECT, m_folder->subjectsPath());
    QCOMPARE(rig.state.FILES.Msg, QString());
    QCOMPARE(QDir().entryList(QDir::Files), QStringList{});
    QVERIFY(rig.dialogs.boxes.isEmpty());
}

void TestSubjectCommands::selectFirstSubject()
{
    SubjectsRig rig(*m_folder);
    rig.commands.SelectFirstSubject();
    QCOMPARE(rig.window.text, QString());
    QCOMPARE(rig.state.FILES.Msg, QString());

    rig.list.setStringList({u"Tarifs 2.1"_s, u"Devis"_s});
    rig.commands.SelectFirstSubject();
    QCOMPARE(rig.window.text, u"Tarifs 2.1"_s);
    QCOMPARE(rig.list.selectedIndex(), 0);
    QCOMPARE(rig.state.FILES.Msg, u"Tarifs 2.MSGX"_s);
    QVERIFY(QFile::exists(u"Tarifs 2.MSGX"_s));
    QVERIFY(QFile::exists(u"Tarifs 2.SIGNX"_s));
    QCOMPARE(rig.window.focus, Focus::Message);
}

void TestSubjectCommands::savedListKeepsOrderDuplicatesAndEmptyEntries()
{
    QVERIFY(WriteAll(m_folder->subjectsPath(), "Zeta\r\n\r\nAlpha\r\nAlpha\r\n"));
    SubjectsRig rig(*m_folder);
    rig.commands.LoadSubjects();
    rig.enterAndLeave(u"Beta"_s);
    rig.commands.SaveSubjects();
    QCOMPARE(ReadAll(m_folder->subjectsPath()), QByteArray("Zeta\r\n\r\nAlpha\r\nAlpha\r\nBeta\r\n"));

    rig.list.setStringList({});
    rig.commands.SaveSubjects();
    QCOMPARE(ReadAll(m_folder->subjectsPath()), QByteArray());
}

void TestSubjectCommands::unreadableSubjectsFileIsNeverOverwritten()
{
    const QByteArray stored("Devis\r\nRelance\r\n");
    QVERIFY(WriteAll(m_folder->subjectsPath(), stored));
    RefusingSubjectList refusing;
    SubjectsRig rig(*m_folder, &refusing);

    QVERIFY(!RunGuarded(rig.dialogs, [&] { rig.commands.LoadSubjects(); }));
    QCOMPARE(rig.dialogs.errors, QStringList{u"Impossible d'insérer une ligne"_s});
    QVERIFY(rig.commands.subjectsFileUnreadable());

    rig.enterAndLeave(u"Nouveau"_s);
    QVERIFY(RunGuarded(rig.dialogs, [&] { rig.commands.SaveSubjects(); }));
    QCOMPARE(ReadAll(m_folder->subjectsPath()), stored);
}

QTEST_GUILESS_MAIN(TestSubjectCommands)
#include "tst_subjectcommands.moc"

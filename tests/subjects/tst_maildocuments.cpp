#include "SubjectsTestRig.h"

#include "files/TextFile.h"
#include "subjects/MemoText.h"
#include "subjects/SignatureTemplates.h"

#include <QTemporaryDir>
#include <QTest>

// The message and signature documents of the current subject, over real files in a scratch
// working directory.
class TestMailDocuments : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void newSubjectGetsTwoEmptyDocumentsAtOnce_data();
    void newSubjectGetsTwoEmptyDocumentsAtOnce();
    void subjectsSharingAPair();
    void failedCreationEndsTheLoad();
    void sauveMailBeforeAnySubjectSavesNothing();
    void textEndingWithLineBreakRoundTrips();
    void tabTwice();
    void tabWithoutSubject_data();
    void tabWithoutSubject();
    void otherKeysAreTyped();
    void templateReplacesSignatureOnly();
    void ownTemplateReloadsSavedText();
    void templateList();
    void templateFolderGone();
    void drops_data();
    void drops();

private:
    QTemporaryDir *m_work = nullptr;
    std::unique_ptr<ProgramFolder> m_folder;
    QString m_previousDir;
};

void TestMailDocuments::init()
{
    m_previousDir = QDir::currentPath();
    m_work = new QTemporaryDir;
    QVERIFY(m_work->isValid());
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->isValid());
    QVERIFY(QDir::setCurrent(m_work->path()));
}

void TestMailDocuments::cleanup()
{
    QDir::setCurrent(m_previousDir);
    delete m_work;
    m_work = nullptr;
    m_folder.reset();
}

void TestMailDocuments::newSubjectGetsTwoEmptyDocumentsAtOnce_data()
{
    QTest::addColumn<QByteArray>("previousDocument");
    QTest::addColumn<QByteArray>("newDocument");

    QTest::newRow("nothing loaded before") << QByteArray() << QByteArray();
    QTest::newRow("after a file without mark") << QByteArray("Bonjour") << QByteArray();
    QTest::newRow("after a UTF-8 document") << QByteArray("\xEF\xBB\xBF"
                                                          "Bonjour")
                                            << QByteArray("\xEF\xBB\xBF");
    QTest::newRow("after a UTF-16 LE document") << QByteArray("\xFF\xFE"
                                                              "a\0",
                                                              4)
                                                << QByteArray("\xFF\xFE");
}

void TestMailDocuments::newSubjectGetsTwoEmptyDocumentsAtOnce()
{
    QFETCH(QByteArray, previousDocument);
    QFETCH(QByteArray, newDocument);

    SubjectsRig rig(*m_folder);
    if (!previousDocument.isEmpty()) {
        QVERIFY(WriteAll(u"Ancien.MSGX"_s, previousDocument));
        QVERIFY(WriteAll(u"Ancien.SIGNX"_s, previousDocument));
        rig.enterAndLeave(u"Ancien"_s);
    }
    rig.enterAndLeave(u"Nouveau"_s);

    QCOMPARE(ReadAll(u"Nouveau.MSGX"_s), newDocument);
    QCOMPARE(ReadAll(u"Nouveau.SIGNX"_s), newDocument);
    QCOMPARE(rig.message.text(), QString());
    QCOMPARE(rig.signature.text(), QString());
    QVERIFY(rig.dialogs.errors.isEmpty());
}

void TestMailDocuments::subjectsSharingAPair()
{
    SubjectsRig rig(*m_folder);
    rig.list.setStringList({u"Tarifs 2.0"_s, u"Tarifs 2.1"_s});
    rig.commands.SelectFirstSubject();
    rig.message.setText(u"Nos tarifs"_s);
    rig.documents.MSG_SAVE();

    rig.pick(1);
    QCOMPARE(rig.state.FILES.SUBJECT, u"Tarifs 2.1"_s);
    QCOMPARE(rig.state.FILES.Msg, u"Tarifs 2.MSGX"_s);
    QCOMPARE(rig.state.FILES.SIGN, u"Tarifs 2.SIGNX"_s);
    QCOMPARE(rig.message.text(), u"Nos tarifs"_s);
    QCOMPARE(QDir().entryList(QDir::Files), (QStringList{u"Tarifs 2.MSGX"_s, u"Tarifs 2.SIGNX"_s}));
}

void TestMailDocuments::failedCreationEndsTheLoad()
{
    // "Absent/" names a folder that does not exist: the message cannot be created.
    SubjectsRig rig(*m_folder);
    QVERIFY(WriteAll(u"Devis.SIGNX"_s, "Marie"));
    rig.enterAndLeave(u"Devis"_s);
    rig.message.setText(u"texte"_s);

    rig.enterAndLeave(u"Absent/Relance"_s);
    QCOMPARE(rig.dialogs.errors.size(), 1);
    QVERIFY2(rig.dialogs.errors.first().startsWith(u"Impossible de créer le fichier \""_s + QDir::currentPath()
                                                   + u"/Absent/Relance.MSGX\". "_s),
             qPrintable(rig.dialogs.errors.first()));
    QCOMPARE(rig.state.FILES.Msg, u"Absent/Relance.MSGX"_s);
    QCOMPARE(rig.state.FILES.SIGN, u"Absent/Relance.SIGNX"_s);
    QCOMPARE(rig.message.text(), QString());
    QCOMPARE(rig.signature.text(), u"Marie"_s);
    QCOMPARE(rig.window.focus, Focus::Elsewhere);
}

void TestMailDocuments::sauveMailBeforeAnySubjectSavesNothing()
{
    SubjectsRig rig(*m_folder);
    rig.message.setText(u"texte"_s);
    rig.documents.SAUVE_MAIL();
    QCOMPARE(QDir().entryList(QDir::Files), QStringList{});
}

void TestMailDocuments::textEndingWithLineBreakRoundTrips()
{
    SubjectsRig rig(*m_folder);
    rig.enterAndLeave(u"Devis"_s);
    const QString edited = u"Bonjour,\n\nVoici le devis.\n"_s; // as the editor holds it
    rig.message.setText(CrLfFromEditor(edited));
    rig.documents.panel_msgButtonClick();
    QCOMPARE(ReadAll(u"Devis.MSGX"_s), QByteArray("Bonjour,\r\n\r\nVoici le devis.\r\n"));

    rig.message.setText(QString());
    rig.enterAndLeave(u"Devis"_s);
    QCOMPARE(EditorFromCrLf(rig.message.text()), edited);
}

void TestMailDocuments::tabTwice()
{
    SubjectsRig rig(*m_folder);
    rig.enterAndLeave(u"Devis"_s);
    rig.message.setText(u"Message"_s);
    rig.signature.setText(u"Signature"_s);
    rig.dialogs.boxes.clear(); // the notice of the new subject

    QChar key = u'\t';
    rig.documents.Memo_MSGKeyPress(key);
    QVERIFY(key.isNull());
    QCOMPARE(ReadAll(u"Devis.MSGX"_s), QByteArray("Message"));
    QCOMPARE(ReadAll(u"Devis.SIGNX"_s), QByteArray());
    QCOMPARE(rig.dialogs.texts(), QStringList{u"Message enregistré !"_s});
    QCOMPARE(rig.dialogs.boxes.last().kind, MsgKind::Plain);
    QCOMPARE(rig.window.focus, Focus::Signature);

    key = u'\t';
    rig.documents.Memo_SIGNKeyPress(key);
    QVERIFY(key.isNull());
    QCOMPARE(ReadAll(u"Devis.SIGNX"_s), QByteArray("Signature"));
    QCOMPARE(rig.dialogs.texts(), (QStringList{u"Message enregistré !"_s, u"Signature enregistrée!"_s}));
    QCOMPARE(rig.window.focus, Focus::SendButton);
}

void TestMailDocuments::tabWithoutSubject_data()
{
    QTest::addColumn<bool>("signature");
    QTest::newRow("message") << false;
    QTest::newRow("signature") << true;
}

void TestMailDocuments::tabWithoutSubject()
{
    QFETCH(bool, signature);
    SubjectsRig rig(*m_folder);
    rig.window.focus = signature ? Focus::Signature : Focus::Message;
    QChar key = u'\t';
    const bool ran = RunGuarded(rig.dialogs, [&] {
        if (signature)
            rig.documents.Memo_SIGNKeyPress(key);
        else
            rig.documents.Memo_MSGKeyPress(key);
    });
    QVERIFY(!ran);
    QVERIFY(key.isNull());
    QCOMPARE(rig.dialogs.errors.size(), 1);
    QVERIFY2(rig.dialogs.errors.first().startsWith(u"Impossible de créer le fichier \"\". "_s),
             qPrintable(rig.dialogs.errors.first()));
    QVERIFY(rig.dialogs.boxes.isEmpty());
    QCOMPARE(rig.window.focus, signature ? Focus::Signature : Focus::Message);
}

void TestMailDocuments::otherKeysAreTyped()
{
    SubjectsRig rig(*m_folder);
    for (const QChar typed : {QChar(u'a'), QChar(u'\r'), QChar(u' ')}) {
        QChar key = typed;
        rig.documents.Memo_MSGKeyPress(key);
        QCOMPARE(key, typed);
        rig.documents.Memo_SIGNKeyPress(key);
        QCOMPARE(key, typed);
    }
    QVERIFY(rig.dialogs.boxes.isEmpty());
}

void TestMailDocuments::templateReplacesSignatureOnly()
{
    SubjectsRig rig(*m_folder);
    QVERIFY(WriteAll(u"Devis.SIGNX"_s, "Signature du devis"));
    QVERIFY(WriteAll(u"Relance.SIGNX"_s, "Signature de relance"));
    rig.enterAndLeave(u"Devis"_s);
    SignatureTemplates templates;
    templates.Read();
    const TFILES before = rig.state.FILES;

    templates.selection().select(int(templates.stringList().indexOf(u"Relance.SIGNX"_s)));
    rig.documents.FileList_SIGNChange(templates);
    QCOMPARE(rig.signature.text(), u"Signature de relance"_s);
    QCOMPARE(ReadAll(u"Devis.SIGNX"_s), QByteArray("Signature du devis"));
    QCOMPARE(rig.state.FILES.SIGN, before.SIGN);

    // Leaving the subject field before saving brings the saved signature back.
    rig.enterAndLeave(u"Devis"_s);
    QCOMPARE(rig.signature.text(), u"Signature du devis"_s);

    // A template whose file has gone since the list was read changes nothing.
    QFile::remove(u"Relance.SIGNX"_s);
    templates.selection().select(-1);
    templates.selection().select(int(templates.stringList().indexOf(u"Relance.SIGNX"_s)));
    rig.documents.FileList_SIGNChange(templates);
    QCOMPARE(rig.signature.text(), u"Signature du devis"_s);
    QVERIFY(rig.dialogs.errors.isEmpty());
}

void TestMailDocuments::ownTemplateReloadsSavedText()
{
    SubjectsRig rig(*m_folder);
    QVERIFY(WriteAll(u"Devis.SIGNX"_s, "Enregistrée"));
    rig.enterAndLeave(u"Devis"_s);
    rig.signature.setText(u"modifiée"_s);
    SignatureTemplates templates;
    templates.Read();
    templates.selection().select(0);
    rig.documents.FileList_SIGNChange(templates);
    QCOMPARE(rig.signature.text(), u"Enregistrée"_s);
}

void TestMailDocuments::templateList()
{
    QVERIFY(WriteAll(u"b.SIGNX"_s, ""));
    QVERIFY(WriteAll(u"A.signx"_s, ""));
    QVERIFY(WriteAll(u"c.Signx"_s, ""));
    QVERIFY(WriteAll(u".cachée.SIGNX"_s, ""));
    QVERIFY(WriteAll(u"d.MSGX"_s, ""));
    QVERIFY(WriteAll(u"e.SIGNX.bak"_s, ""));
    QVERIFY(QDir().mkdir(u"dossier.SIGNX"_s));
    const QString folder = QDir::currentPath();
    SignatureTemplates templates;

    // Each reading makes the recorded folder current again and selects nothing.
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
    templates.Read();
    QCOMPARE(QDir::currentPath(), folder);
    QCOMPARE(templates.stringList(), (QStringList{u"A.signx"_s, u"b.SIGNX"_s, u"c.Signx"_s}));
    QCOMPARE(templates.selectedIndex(), -1);
    QCOMPARE(templates.selectedPath(), QString());

    // A new subject's signature appears at the next reading.
    templates.selection().select(1);
    QCOMPARE(templates.selectedPath(), folder + u"/b.SIGNX"_s);
    SubjectsRig rig(*m_folder);
    rig.enterAndLeave(u"Nouveau"_s);
    QCOMPARE(templates.rowCount(), 3);
    templates.Read();
    QCOMPARE(templates.stringList(), (QStringList{u"A.signx"_s, u"b.SIGNX"_s, u"c.Signx"_s, u"Nouveau.SIGNX"_s}));
    QCOMPARE(templates.selectedIndex(), -1);
    rig.documents.FileList_SIGNChange(templates);
    QVERIFY(rig.dialogs.errors.isEmpty());
}

void TestMailDocuments::templateFolderGone()
{
    const QString folder = QDir::currentPath() + u"/modeles"_s;
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(QDir::setCurrent(folder));
    QVERIFY(WriteAll(u"Devis.SIGNX"_s, ""));
    SignatureTemplates templates;
    templates.Read();
    QVERIFY(QDir::setCurrent(m_work->path()));
    QVERIFY(QDir(folder).removeRecursively());

    ScriptedDialogs dialogs;
    QVERIFY(!RunGuarded(dialogs, [&] { templates.Read(); }));
    QCOMPARE(dialogs.errors.size(), 1);
    QVERIFY2(dialogs.errors.first().startsWith(u"Impossible d'ouvrir le fichier \""_s + folder + u"\". "_s),
             qPrintable(dialogs.errors.first()));
    QCOMPARE(templates.stringList(), QStringList{u"Devis.SIGNX"_s});
}

void TestMailDocuments::drops_data()
{
    QTest::addColumn<QStringList>("dropped");
    QTest::addColumn<QString>("fieldAfter");
    QTest::addColumn<QString>("error"); // beginning of the error, empty for none

    const QString work = u"%WORK%"_s;
    QTest::newRow("several files: the first")
        << QStringList{work + u"/premier.txt"_s, work + u"/second.txt"_s} << u"Premier\r\nfichier"_s << QString();
    QTest::newRow("any kind of file") << QStringList{work + u"/image.png"_s} << u"\u2030PNG"_s << QString();
    QTest::newRow("a folder first") << QStringList{work + u"/dossier"_s, work + u"/premier.txt"_s} << u"avant"_s
                                    << u"Impossible d'ouvrir le fichier \"%WORK%/dossier\". "_s;
    QTest::newRow("beyond the memo's capacity")
        << QStringList{work + u"/gros.txt"_s} << u"avant"_s << u"Le texte dépasse la capacité du mémo"_s;
    QTest::newRow("nothing dropped") << QStringList{} << u"avant"_s << QString();
}

void TestMailDocuments::drops()
{
    QFETCH(QStringList, dropped);
    QFETCH(QString, fieldAfter);
    QFETCH(QString, error);
    const QString work = QDir::currentPath();
    for (QString &path : dropped)
        path.replace(u"%WORK%"_s, work);
    error.replace(u"%WORK%"_s, work);
    QVERIFY(WriteAll(u"premier.txt"_s, "Premier\nfichier"));
    QVERIFY(WriteAll(u"second.txt"_s, "Second"));
    QVERIFY(WriteAll(u"image.png"_s, "\x89PNG"));
    QVERIFY(WriteAll(u"gros.txt"_s, QByteArray(2000, 'x')));
    QVERIFY(QDir().mkdir(u"dossier"_s));

    for (const bool signature : {false, true}) {
        SubjectsRig rig(*m_folder);
        rig.enterAndLeave(u"Devis"_s);
        FakeMemo &field = signature ? rig.signature : rig.message;
        FakeMemo &other = signature ? rig.message : rig.signature;
        field.capacity = 1000;
        field.setText(u"avant"_s);
        const TFILES before = rig.state.FILES;

        RunGuarded(rig.dialogs, [&] {
            if (signature)
                rig.documents.drop_SIGNDrop(dropped);
            else
                rig.documents.dropMessageDrop(dropped);
        });
        QCOMPARE(field.text(), fieldAfter);
        QCOMPARE(other.text(), QString());
        if (error.isEmpty()) {
            QCOMPARE(rig.dialogs.errors, QStringList{});
        } else {
            QCOMPARE(rig.dialogs.errors.size(), 1);
            QVERIFY2(rig.dialogs.errors.first().startsWith(error), qPrintable(rig.dialogs.errors.first()));
        }
        QCOMPARE(rig.state.FILES.Msg, before.Msg);
        QCOMPARE(rig.state.FILES.SIGN, before.SIGN);
        QCOMPARE(ReadAll(u"Devis.MSGX"_s), QByteArray());
        QCOMPARE(ReadAll(u"Devis.SIGNX"_s), QByteArray());
    }
}

QTEST_GUILESS_MAIN(TestMailDocuments)
#include "tst_maildocuments.moc"

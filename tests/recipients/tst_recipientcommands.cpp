#include "RecipientLines.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "files/IniFile.h"
#include "files/WorkingFiles.h"
#include "helpers/AppError.h"
#include "helpers/Guard.h"
#include "recipients/RecipientCommands.h"
#include "recipients/RecipientList.h"
#include "recipients/RecipientsWindow.h"

#include <QtTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// An existing regular file whose reading fails. Permissions do not stop root, so there a
// file of the kernel whose read fails stands in.
QString unreadableFile(const QTemporaryDir &dir)
{
    if (::geteuid() == 0)
        return u"/proc/self/mem"_s;
    const QString path = dir.filePath(u"interdit.txt"_s);
    if (!WriteAll(path, "x\r\n"))
        qFatal("cannot write %s", qPrintable(path));
    QFile::setPermissions(path, QFileDevice::Permissions());
    return path;
}

struct Fixture : RecipientsWindow
{
    QTemporaryDir dir;
    RecipientList list;
    ScriptedDialogs dialogs;
    WorkingState state;
    RecipientCommands commands;
    // Each recipient choice, as the window shows it.
    int choices = 0;
    QString recipient;
    QString sendCaption;

    explicit Fixture(QLocale collation = QLocale()) : commands(list, state, *this, dialogs, std::move(collation))
    {
        state.iniPath = ini();
        QVERIFY(WriteAll(ini(), ""));
    }
    QString currentRecipient() const override { return recipient; }
    void setCurrentRecipient(const QString &text) override
    {
        ++choices;
        recipient = text;
    }
    void setSendButtonCaption(const QString &caption) override { sendCaption = caption; }

    QString path(const QString &name) const { return dir.filePath(name); }
    QString ini() const { return path(u"test.ini"_s); }
    QString iniEntry() const { return IniReadString(u"FICHIER"_s, u"EMAILS"_s, u"<none>"_s, ini()); }
    bool run(const std::function<void()> &command) { return RunGuarded(dialogs, command); }
};

} // namespace

class TestRecipientCommands : public QObject
{
    Q_OBJECT
private slots:
    void loadAtShow_data();
    void loadAtShow();
    void drop_data();
    void drop();
    void failedDropKeepsTheFormerFile();
    void failedLoadAtShowIsNeverOverwritten();
    void saveWithoutPath();
    void saveToAFileMissingAtStart();
    void delete__data();
    void delete_();
    void chooseRecipient_data();
    void chooseRecipient();
    void correct_data();
    void correct();
    void correctThenCloseKeepsEveryChange();
    void sortIgnoresCaseAndMovesMarks();
    void sortFollowsFrenchCollation();
    void sortIgnoresCaseInEveryLocale_data();
    void sortIgnoresCaseInEveryLocale();
    void rewrites_data();
    void rewrites();
};

void TestRecipientCommands::loadAtShow_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("existing file") << u"file"_s << QStringList{u"a@x.fr"_s, u"Élise <e@x.fr>"_s};
    QTest::newRow("missing file") << u"missing"_s << QStringList{u"old"_s};
    QTest::newRow("folder") << u"folder"_s << QStringList{u"old"_s};
    QTest::newRow("empty path") << u"empty"_s << QStringList{u"old"_s};
}

void TestRecipientCommands::loadAtShow()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, lines);
    Fixture f;
    fill(f.list, {u"old"_s});
    f.list.setMarked(0, true);
    f.list.selectIndex(0);
    QVERIFY(WriteAll(f.path(u"file.txt"_s), "a@x.fr\r\n\xC9lise <e@x.fr>\r\n"));
    f.state.FILES.LISTE_EMAILS = kind == u"file" ? f.path(u"file.txt"_s)
        : kind == u"missing"                     ? f.path(u"nope.txt"_s)
        : kind == u"folder"                      ? f.dir.path()
                                                 : QString();
    QVERIFY(f.run([&] { f.commands.LoadAtShow(); }));
    QCOMPARE(linesOf(f.list), lines);
    QCOMPARE(f.dialogs.boxes.size(), 0);
    if (kind == u"file") {
        QCOMPARE(marksOf(f.list), QList<int>());
        QCOMPARE(f.list.selectedIndex(), -1);
    }
}

void TestRecipientCommands::drop_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("notice"); // empty when the first file loads
    const QString txtOnly = u"Extension TXT uniquement"_s;
    const QString unstorable = u"Le chemin de ce fichier ne peut pas être enregistré dans la configuration : "
                               u"renommez le fichier ou son dossier."_s;
    QTest::newRow("liste.txt") << QStringList{u"liste.txt"_s} << QString();
    QTest::newRow("LISTE.Txt") << QStringList{u"LISTE.Txt"_s} << QString();
    QTest::newRow("liste.csv") << QStringList{u"liste.csv"_s} << txtOnly;
    QTest::newRow("liste") << QStringList{u"liste"_s} << txtOnly;
    QTest::newRow("liste.txt.bak") << QStringList{u"liste.txt.bak"_s} << txtOnly;
    QTest::newRow("dot in a folder name") << QStringList{u"dossier.txt/liste"_s} << txtOnly;
    QTest::newRow("three files") << QStringList{u"liste.txt"_s, u"liste.csv"_s, u"LISTE.Txt"_s} << QString();
    QTest::newRow("three files, first refused")
        << QStringList{u"liste.csv"_s, u"liste.txt"_s, u"LISTE.Txt"_s} << txtOnly;
    // Legal file names that the configuration file cannot hold on one line.
    QTest::newRow("LF in the name") << QStringList{u"deux\nlignes.TXT"_s} << unstorable;
    QTest::newRow("CR in the name") << QStringList{u"deux\rlignes.txt"_s} << unstorable;
    QTest::newRow("LF in a folder's name") << QStringList{u"dos\nsier/liste.txt"_s} << unstorable;
}

void TestRecipientCommands::drop()
{
    QFETCH(QStringList, names);
    QFETCH(QString, notice);
    const bool loads = notice.isEmpty();
    Fixture f;
    QDir(f.dir.path()).mkdir(u"dossier.txt"_s);
    QDir(f.dir.path()).mkdir(u"dos\nsier"_s);
    for (const QString &name :
         {u"liste.txt"_s, u"LISTE.Txt"_s, u"liste.csv"_s, u"liste"_s, u"liste.txt.bak"_s, u"dossier.txt/liste"_s,
          u"deux\nlignes.TXT"_s, u"deux\rlignes.txt"_s, u"dos\nsier/liste.txt"_s})
        QVERIFY(WriteAll(f.path(name), name.toUtf8() + "\r\n"));
    const QString former = f.path(u"former.txt"_s);
    QVERIFY(WriteAll(former, "old\r\n"));
    f.state.FILES.LISTE_EMAILS = former;
    QVERIFY(f.run([&] { f.commands.Load(former); }));
    f.list.setMarked(0, true);
    f.list.selectIndex(0);
    QStringList paths;
    for (const QString &name : names)
        paths.append(f.path(name));

    QVERIFY(f.run([&] { f.commands.Drop(paths); }));

    if (loads) {
        QCOMPARE(linesOf(f.list), QStringList{names.first()});
        QCOMPARE(marksOf(f.list), QList<int>());
        QCOMPARE(f.list.selectedIndex(), -1);
        QCOMPARE(f.state.FILES.LISTE_EMAILS, paths.first());
        QCOMPARE(f.iniEntry(), paths.first());
        QCOMPARE(f.dialogs.boxes.size(), 0);
    } else {
        QCOMPARE(f.dialogs.texts(), QStringList{notice});
        QCOMPARE(f.dialogs.boxes.first().kind, MsgKind::Warning);
        QCOMPARE(linesOf(f.list), QStringList{u"old"_s});
        QCOMPARE(marksOf(f.list), QList<int>{0});
        QCOMPARE(f.list.selectedIndex(), 0);
        QCOMPARE(f.state.FILES.LISTE_EMAILS, former);
        QCOMPARE(f.iniEntry(), u"<none>"_s);
        // A later Save still writes to the former file.
        f.list.setLineText(0, u"changed"_s);
        QVERIFY(f.run([&] { f.commands.Save(); }));
        QCOMPARE(ReadAll(former), QByteArray("changed\r\n"));
    }
}

void TestRecipientCommands::failedDropKeepsTheFormerFile()
{
    Fixture f;
    const QString former = f.path(u"former.txt"_s);
    QVERIFY(WriteAll(former, "old\r\n"));
    f.state.FILES.LISTE_EMAILS = former;
    QVERIFY(f.run([&] { f.commands.LoadAtShow(); }));
    f.list.setMarked(0, true);
    f.list.selectIndex(0);
    const QString dropped = unreadableFile(f.dir);
    const QByteArray droppedBytes = ReadAll(dropped);

    QVERIFY(!f.run([&] { f.commands.Drop({f.path(u"absent.txt"_s)}); }));
    QVERIFY(f.dialogs.errors.value(0).startsWith(u"Impossible d'ouvrir le fichier \""_s));
    QVERIFY(!f.run([&] { f.commands.Drop({dropped.endsWith(u".txt"_s) ? dropped : f.path(u"vide/x.txt"_s)}); }));

    QCOMPARE(linesOf(f.list), QStringList{u"old"_s});
    QCOMPARE(marksOf(f.list), QList<int>{0});
    QCOMPARE(f.list.selectedIndex(), 0);
    QCOMPARE(f.state.FILES.LISTE_EMAILS, former);
    QCOMPARE(f.iniEntry(), u"<none>"_s);
    // The former lines go back to their own file, never over the dropped one.
    f.list.setLineText(0, u"edited"_s);
    QVERIFY(f.run([&] { f.commands.Save(); }));
    QCOMPARE(ReadAll(former), QByteArray("edited\r\n"));
    QCOMPARE(ReadAll(dropped), droppedBytes);
}

void TestRecipientCommands::failedLoadAtShowIsNeverOverwritten()
{
    Fixture f;
    f.state.FILES.LISTE_EMAILS = unreadableFile(f.dir);
    QVERIFY(!f.run([&] { f.commands.LoadAtShow(); }));
    QCOMPARE(f.dialogs.errors.size(), 1);
    const QString openMessage = f.dialogs.errors.first();
    QVERIFY(openMessage.startsWith(u"Impossible d'ouvrir le fichier \""_s));
    QCOMPARE(f.list.lineCount(), 0);

    // Save (and Correct, which saves) report the same error and write nothing.
    QVERIFY(!f.run([&] { f.commands.Save(); }));
    QCOMPARE(f.dialogs.errors.value(1), openMessage);
    QVERIFY(f.run([&] { f.commands.Correct(); }));
    QCOMPARE(f.dialogs.inputs.size(), 0);

    // A list dropped since then is saved normally.
    const QString other = f.path(u"autre.txt"_s);
    QVERIFY(WriteAll(other, "a\r\n"));
    QVERIFY(f.run([&] { f.commands.Drop({other}); }));
    f.list.selectIndex(0);
    f.dialogs.inputAnswers.append({true, u"b"_s});
    QVERIFY(f.run([&] { f.commands.Correct(); }));
    QCOMPARE(ReadAll(other), QByteArray("b\r\n"));
    QCOMPARE(f.choices, 1);
}

void TestRecipientCommands::saveWithoutPath()
{
    Fixture f;
    fill(f.list, {u"a"_s});
    QVERIFY(!f.run([&] { f.commands.Save(); }));
    QCOMPARE(f.dialogs.errors.size(), 1);
    QVERIFY(f.dialogs.errors.first().startsWith(u"Impossible de créer le fichier \"\""_s));
}

void TestRecipientCommands::saveToAFileMissingAtStart()
{
    Fixture f;
    f.state.FILES.LISTE_EMAILS = f.path(u"EMAILS.TXT"_s);
    QVERIFY(f.run([&] { f.commands.LoadAtShow(); }));
    QVERIFY(f.run([&] { f.commands.Save(); }));
    QCOMPARE(ReadAll(f.state.FILES.LISTE_EMAILS), QByteArray(""));
}

void TestRecipientCommands::delete__data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<qsizetype>("selected");
    QTest::addColumn<QList<int>>("marked");
    QTest::addColumn<MsgButton>("answer");
    QTest::addColumn<QStringList>("linesAfter");
    QTest::addColumn<qsizetype>("selectedAfter");
    QTest::addColumn<QList<int>>("markedAfter");
    const QStringList five{u"L0"_s, u"L1"_s, u"L2"_s, u"L3"_s, u"L4"_s};
    QTest::newRow("L3 selected, L1 L2 marked") << five << qsizetype(3) << QList<int>{1, 2} << MsgButton::OK
                                               << QStringList{u"L0"_s, u"L4"_s} << qsizetype(-1) << QList<int>{};
    QTest::newRow("selected line marked too")
        << five << qsizetype(3) << QList<int>{3} << MsgButton::OK << QStringList{u"L0"_s, u"L1"_s, u"L2"_s, u"L4"_s}
        << qsizetype(2) << QList<int>{};
    QTest::newRow("mark below the selection") << five << qsizetype(2) << QList<int>{4} << MsgButton::OK
                                              << QStringList{u"L0"_s, u"L1"_s, u"L3"_s} << qsizetype(1) << QList<int>{};
    QTest::newRow("first line") << five << qsizetype(0) << QList<int>{} << MsgButton::OK
                                << QStringList{u"L1"_s, u"L2"_s, u"L3"_s, u"L4"_s} << qsizetype(0) << QList<int>{};
    QTest::newRow("one line") << QStringList{u"L0"_s} << qsizetype(0) << QList<int>{} << MsgButton::OK << QStringList{}
                              << qsizetype(-1) << QList<int>{};
    QTest::newRow("marks only") << five << qsizetype(-1) << QList<int>{0, 4} << MsgButton::OK
                                << QStringList{u"L1"_s, u"L2"_s, u"L3"_s} << qsizetype(-1) << QList<int>{};
    QTest::newRow("nothing selected or marked")
        << five << qsizetype(-1) << QList<int>{} << MsgButton::OK << five << qsizetype(-1) << QList<int>{};
    QTest::newRow("cancelled") << five << qsizetype(3) << QList<int>{1} << MsgButton::Cancel << five << qsizetype(3)
                               << QList<int>{1};
}

void TestRecipientCommands::delete_()
{
    QFETCH(QStringList, lines);
    QFETCH(qsizetype, selected);
    QFETCH(QList<int>, marked);
    QFETCH(MsgButton, answer);
    QFETCH(QStringList, linesAfter);
    QFETCH(qsizetype, selectedAfter);
    QFETCH(QList<int>, markedAfter);
    Fixture f;
    const QString file = f.path(u"liste.txt"_s);
    QVERIFY(WriteAll(file, "kept\r\n"));
    f.state.FILES.LISTE_EMAILS = file;
    fill(f.list, lines);
    for (int i : marked)
        f.list.setMarked(i, true);
    f.list.selectIndex(selected);
    f.dialogs.boxAnswers.append(answer);

    QVERIFY(f.run([&] { f.commands.Delete(); }));

    QCOMPARE(f.dialogs.texts(), QStringList{u"Supprimer la ou les lignes pointées ?"_s});
    QCOMPARE(f.dialogs.boxes.first().kind, MsgKind::Confirmation);
    QCOMPARE(linesOf(f.list), linesAfter);
    QCOMPARE(f.list.selectedIndex(), selectedAfter);
    QCOMPARE(marksOf(f.list), markedAfter);
    QCOMPARE(f.choices, 0);
    QCOMPARE(ReadAll(file), QByteArray("kept\r\n"));
}

void TestRecipientCommands::chooseRecipient_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("recipient"); // the pane's caption after the choice
    QTest::addColumn<QString>("sendCaption");
    QTest::newRow("a line with an address") << 0 << u"anne@exemple.test"_s << u"Envoyer à\r\n\r\nanne@exemple.test"_s;
    QTest::newRow("a line without one") << 1 << u"*** EMAIL Non Conforme *** (F2)"_s
                                        << u"Envoyer à\r\n\r\n*** EMAIL Non Conforme *** (F2)"_s;
    QTest::newRow("no line selected: nothing changes") << -1 << u"avant"_s << u"Envoyer"_s;
}

void TestRecipientCommands::chooseRecipient()
{
    QFETCH(int, selected);
    Fixture f;
    fill(f.list, {u"Anne <anne@exemple.test>"_s, u"Sans adresse"_s});
    f.list.selectIndex(selected);
    f.recipient = u"avant"_s;
    f.sendCaption = u"Envoyer"_s;
    f.commands.ChooseRecipient();
    QTEST(f.recipient, "recipient");
    QTEST(f.sendCaption, "sendCaption");
}

void TestRecipientCommands::correct_data()
{
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QStringList>("linesAfter");
    QTest::addColumn<QByteArray>("fileAfter");
    QTest::addColumn<int>("choices");
    // The file is Windows-1252 (à is E0) and stays so.
    QTest::newRow("OK") << true << u"Zoé <zoe@x.fr>"_s << QStringList{u"à"_s, u"Zoé <zoe@x.fr>"_s}
                        << QByteArray("\xE0\r\nZo\xE9 <zoe@x.fr>\r\n") << 1;
    QTest::newRow("OK with an empty text")
        << true << QString() << QStringList{u"à"_s, QString()} << QByteArray("\xE0\r\n\r\n") << 1;
    QTest::newRow("Cancel") << false << u"ignored"_s << QStringList{u"à"_s, u"b@x.fr"_s}
                            << QByteArray("\xE0\r\nb@x.fr\r\n") << 0;
}

void TestRecipientCommands::correct()
{
    QFETCH(bool, ok);
    QFETCH(QString, entered);
    QFETCH(QStringList, linesAfter);
    QFETCH(QByteArray, fileAfter);
    QFETCH(int, choices);
    Fixture f;
    f.state.FILES.LISTE_EMAILS = f.path(u"liste.txt"_s);
    QVERIFY(WriteAll(f.state.FILES.LISTE_EMAILS, "\xE0\r\nb@x.fr\r\n"));
    QVERIFY(f.run([&] { f.commands.LoadAtShow(); }));
    f.list.setMarked(1, true);
    f.list.selectIndex(1);
    f.dialogs.inputAnswers.append({ok, entered});

    QVERIFY(f.run([&] { f.commands.Correct(); }));

    QCOMPARE(f.dialogs.inputs, (QList<QStringList>{{u"Corriger"_s, u"EMAIL"_s, u"b@x.fr"_s}}));
    QCOMPARE(linesOf(f.list), linesAfter);
    QCOMPARE(marksOf(f.list), QList<int>{1});
    QCOMPARE(f.list.selectedIndex(), 1);
    QCOMPARE(ReadAll(f.state.FILES.LISTE_EMAILS), fileAfter);
    QCOMPARE(f.choices, choices);
}

void TestRecipientCommands::correctThenCloseKeepsEveryChange()
{
    Fixture f;
    f.state.FILES.LISTE_EMAILS = f.path(u"liste.txt"_s);
    QVERIFY(WriteAll(f.state.FILES.LISTE_EMAILS, "c <c@x.fr>\r\nb\r\na\r\nd\r\n"));
    QVERIFY(f.run([&] { f.commands.LoadAtShow(); }));
    f.list.selectIndex(3);
    f.dialogs.boxAnswers.append(MsgButton::OK);
    QVERIFY(f.run([&] { f.commands.Delete(); })); // d goes
    QVERIFY(f.run([&] { f.commands.Sort(); })); // a, b, c <c@x.fr>
    QVERIFY(f.run([&] { f.commands.StripBrackets(); }));
    QVERIFY(f.run([&] { f.commands.Upper(); }));
    f.list.selectIndex(0);
    f.dialogs.inputAnswers.append({true, u"z"_s});
    QVERIFY(f.run([&] { f.commands.Correct(); }));
    QCOMPARE(ReadAll(f.state.FILES.LISTE_EMAILS), QByteArray("z\r\nB\r\nC C@X.FR\r\n"));
    // Saving again changes nothing: the file already holds the list.
    QVERIFY(f.run([&] { f.commands.Save(); }));
    QCOMPARE(ReadAll(f.state.FILES.LISTE_EMAILS), QByteArray("z\r\nB\r\nC C@X.FR\r\n"));
    QCOMPARE(f.dialogs.errors, QStringList());
}

void TestRecipientCommands::sortIgnoresCaseAndMovesMarks()
{
    Fixture f; // the machine's own locale
    fill(f.list, {u"b"_s, u"A"_s, u"c"_s});
    f.list.setMarked(2, true);
    f.list.selectIndex(0);
    f.list.setSearchPosition(2);
    QVERIFY(f.run([&] { f.commands.Sort(); }));
    QCOMPARE(linesOf(f.list), (QStringList{u"A"_s, u"b"_s, u"c"_s}));
    QCOMPARE(marksOf(f.list), QList<int>{2});
    QCOMPARE(f.list.selectedIndex(), 0);
    QCOMPARE(f.list.searchPosition(), 2);
    QCOMPARE(f.choices, 0);
}

void TestRecipientCommands::sortFollowsFrenchCollation()
{
    Fixture f(QLocale(u"fr_FR"_s));
    RecipientList &list = f.list;
    RecipientCommands &commands = f.commands;
    // Accented letters among their base letters; lines equal but for case keep their order.
    fill(list,
         {u"zèbre"_s, u"Élodie"_s, u"DUPONT 2"_s, u"eau"_s, u"dupont 2"_s, u"Ézéchiel"_s, u"Dupont 2"_s, u"étage"_s,
          u"Zoé"_s});
    list.setMarked(4, true);
    commands.Sort();
    QCOMPARE(linesOf(list),
             (QStringList{u"DUPONT 2"_s, u"dupont 2"_s, u"Dupont 2"_s, u"eau"_s, u"Élodie"_s, u"étage"_s, u"Ézéchiel"_s,
                          u"zèbre"_s, u"Zoé"_s}));
    QCOMPARE(marksOf(list), QList<int>{1});
}

void TestRecipientCommands::sortIgnoresCaseInEveryLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("C") << QLocale::c();
    QTest::newRow("fr_FR") << QLocale(u"fr_FR"_s);
    QTest::newRow("en_US") << QLocale(u"en_US"_s);
}

void TestRecipientCommands::sortIgnoresCaseInEveryLocale()
{
    QFETCH(QLocale, locale);
    Fixture f(locale);
    RecipientList &list = f.list;
    RecipientCommands &commands = f.commands;
    // Small letters after every capital in code order: only a case-blind sort mixes them.
    fill(list, {u"Service Annexe"_s, u"annexe.mairie"_s, u"Bureau Nord"_s, u"mairie"_s, u"ZOÉ"_s, u"zoé"_s});
    commands.Sort();
    QCOMPARE(linesOf(list),
             (QStringList{u"annexe.mairie"_s, u"Bureau Nord"_s, u"mairie"_s, u"Service Annexe"_s, u"ZOÉ"_s, u"zoé"_s}));
}

void TestRecipientCommands::rewrites_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("linesAfter");
    const QStringList accented{u"Nom Prénom <adresse>"_s, u"ÉLODIE çà"_s, QString(), u"Łukasz <l@x.pl>"_s};
    QTest::newRow("upper") << u"upper"_s << accented
                           << QStringList{u"NOM PRéNOM <ADRESSE>"_s, u"ÉLODIE çà"_s, QString(), u"ŁUKASZ <L@X.PL>"_s};
    QTest::newRow("lower") << u"lower"_s << accented
                           << QStringList{u"nom prénom <adresse>"_s, u"Élodie çà"_s, QString(), u"Łukasz <l@x.pl>"_s};
    QTest::newRow("strip") << u"strip"_s << QStringList{u"Nom <adresse>"_s, u"<>"_s, u"a<<b>>c"_s, u"Łódź <ł@x.pl>"_s}
                           << QStringList{u"Nom adresse"_s, QString(), u"abc"_s, u"Łódź ł@x.pl"_s};
    // A line holding a break (never from a file) splits as the whole text does.
    QTest::newRow("upper, line with a CR")
        << u"upper"_s << QStringList{u"a\rb"_s, u"c"_s} << QStringList{u"A"_s, u"B"_s, u"C"_s};
    QTest::newRow("strip, line with a NUL")
        << u"strip"_s << QStringList{u"<a>"_s, u"b"_s + QChar(0) + u"c"_s, u"d"_s} << QStringList{u"a"_s, u"b"_s};
}

void TestRecipientCommands::rewrites()
{
    QFETCH(QString, command);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, linesAfter);
    Fixture f;
    fill(f.list, lines);
    f.list.setMarked(0, true);
    f.list.setMarked(1, true);
    f.list.selectIndex(1);
    const RememberedEncoding utf8{TextEncoding::Utf8, AnsiCodePage::Utf8};
    f.list.setRememberedEncoding(utf8);
    QVERIFY(f.run([&] {
        if (command == u"upper")
            f.commands.Upper();
        else if (command == u"lower")
            f.commands.Lower();
        else
            f.commands.StripBrackets();
    }));
    QCOMPARE(linesOf(f.list), linesAfter);
    QCOMPARE(marksOf(f.list), QList<int>());
    QCOMPARE(f.list.selectedIndex(), -1);
    QCOMPARE(f.list.rememberedEncoding(), utf8);
    // The search sees the new texts.
    QCOMPARE(f.list.findContaining(linesAfter.first(), 0), linesAfter.first().isEmpty() ? linesAfter.size() : 0);
}

QTEST_GUILESS_MAIN(TestRecipientCommands)
#include "tst_recipientcommands.moc"

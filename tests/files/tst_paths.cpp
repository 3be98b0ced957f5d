#include "files/Paths.h"
#include "files/WorkingFiles.h"

#include <QtTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestPaths : public QObject
{
    Q_OBJECT
private slots:
    void replaceExtension_data();
    void replaceExtension();
    void programPaths_data();
    void programPaths();
    void fileNamePart_data();
    void fileNamePart();
    void fileExists_data();
    void fileExists();
    void runningProgram();

private:
    QTemporaryDir m_dir;
};

void TestPaths::replaceExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("expected");
    const QString x = u".MSGX"_s;
    QTest::newRow("plain") << u"Relance"_s << x << u"Relance.MSGX"_s;
    QTest::newRow("extension") << u"Relance.txt"_s << x << u"Relance.MSGX"_s;
    QTest::newRow("number") << u"Offre 1.2"_s << x << u"Offre 1.MSGX"_s;
    QTest::newRow("final stop") << u"Promo."_s << x << u"Promo.MSGX"_s;
    QTest::newRow("leading stop") << u".net"_s << x << u".net.MSGX"_s;
    QTest::newRow("slash plays no part") << u"Prix 3.5 / kg"_s << x << u"Prix 3.MSGX"_s;
    QTest::newRow("backslash") << u"Devis\\Mars"_s << x << u"Devis\\Mars.MSGX"_s;
    QTest::newRow("stop before backslash") << u"Devis.2020\\Mars"_s << x << u"Devis.2020\\Mars.MSGX"_s;
    QTest::newRow("colon") << u"RE: Offre"_s << x << u"RE: Offre.MSGX"_s;
    QTest::newRow("stop before colon") << u"a.b:c"_s << x << u"a.b:c.MSGX"_s;
    QTest::newRow("empty name") << QString() << x << x;
    QTest::newRow("stop alone") << u"."_s << x << u"..MSGX"_s;
    QTest::newRow("empty extension removes") << u"Ferravel.exe"_s << QString() << u"Ferravel"_s;
    QTest::newRow("letters kept as they are") << u"A.TXT"_s << u".ini"_s << u"A.ini"_s;
    QTest::newRow("stop after backslash") << u"C:\\.hidden"_s << x << u"C:\\.MSGX"_s;
}

void TestPaths::replaceExtension()
{
    QFETCH(QString, name);
    QFETCH(QString, extension);
    QFETCH(QString, expected);
    QCOMPARE(ReplaceExtension(name, extension), expected);
}

void TestPaths::programPaths_data()
{
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QString>("appDir");
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<QString>("iniPath");
    QTest::newRow("usual") << u"/opt/outils/Ferravel"_s << u"/opt/outils/"_s << u"Ferravel"_s
                           << u"/opt/outils/Ferravel.INI"_s;
    QTest::newRow("with extension") << u"/opt/Ferravel.bin"_s << u"/opt/"_s << u"Ferravel"_s << u"/opt/Ferravel.INI"_s;
    // A "." in a folder name must never cut the path.
    QTest::newRow("stop in folder") << u"/home/a.b/Ferravel"_s << u"/home/a.b/"_s << u"Ferravel"_s
                                    << u"/home/a.b/Ferravel.INI"_s;
    QTest::newRow("backslash and colon in folder")
        << u"/srv/x:y\\z/Ferravel"_s << u"/srv/x:y\\z/"_s << u"Ferravel"_s << u"/srv/x:y\\z/Ferravel.INI"_s;
    QTest::newRow("at the root") << u"/Ferravel"_s << u"/"_s << u"Ferravel"_s << u"/Ferravel.INI"_s;
}

void TestPaths::programPaths()
{
    QFETCH(QString, exe);
    QFETCH(QString, appDir);
    QFETCH(QString, baseName);
    QFETCH(QString, iniPath);
    QCOMPARE(AppDir(exe), appDir);
    QCOMPARE(ExeBaseName(exe), baseName);
    QCOMPARE(DefaultIniPath(exe), iniPath);
    // The program's working state keeps its own files beside it.
    const WorkingState state = WorkingStateBeside(exe);
    QCOMPARE(state.iniPath, iniPath);
    QCOMPARE(state.geometrySection, baseName);
    QCOMPARE(state.subjectsPath, appDir + u"OBJETS.TXT"_s);
    QCOMPARE(state.FILES.LISTE_EMAILS, QString());
}

void TestPaths::fileNamePart_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unix") << u"/home/anne/EMAILS.TXT"_s << u"EMAILS.TXT"_s;
    QTest::newRow("windows") << u"D:\\Listes\\EMAILS.TXT"_s << u"EMAILS.TXT"_s;
    QTest::newRow("drive only") << u"D:EMAILS.TXT"_s << u"EMAILS.TXT"_s;
    QTest::newRow("no folder") << u"EMAILS.TXT"_s << u"EMAILS.TXT"_s;
    QTest::newRow("trailing slash") << u"/home/anne/"_s << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestPaths::fileNamePart()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(FileNamePart(path), expected);
}

void TestPaths::fileExists_data()
{
    QVERIFY(m_dir.isValid());
    const QString d = m_dir.path() + u'/';
    QFile file(d + u"liste.txt"_s);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(QFile::link(d + u"liste.txt"_s, d + u"lien"_s));
    QVERIFY(QFile::link(d + u"absent"_s, d + u"lien mort"_s));
    QVERIFY(QDir(d).mkdir(u"dossier"_s));
    QVERIFY(QFile::link(d + u"dossier"_s, d + u"lien dossier"_s));
    QCOMPARE(::mkfifo(QFile::encodeName(d + u"fifo"_s).constData(), 0600), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray sockPath = QFile::encodeName(d + u"sock"_s);
    QVERIFY(size_t(sockPath.size()) < sizeof(addr.sun_path));
    std::memcpy(addr.sun_path, sockPath.constData(), size_t(sockPath.size()));
    QCOMPARE(::bind(sock, reinterpret_cast<sockaddr *>(&addr), sizeof(addr)), 0);
    ::close(sock);

    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("exists");
    QTest::newRow("regular file") << d + u"liste.txt"_s << true;
    QTest::newRow("link to a file") << d + u"lien"_s << true;
    QTest::newRow("dangling link") << d + u"lien mort"_s << false;
    QTest::newRow("missing") << d + u"absent"_s << false;
    QTest::newRow("folder") << d + u"dossier"_s << false;
    QTest::newRow("link to a folder") << d + u"lien dossier"_s << false;
    QTest::newRow("fifo") << d + u"fifo"_s << false;
    QTest::newRow("socket") << d + u"sock"_s << false;
    QTest::newRow("device") << u"/dev/null"_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("NUL inside") << d + u"liste.txt"_s + QChar(0) + u"x"_s << false;
}

void TestPaths::fileExists()
{
    QFETCH(QString, path);
    QFETCH(bool, exists);
    QCOMPARE(FileExists(path), exists);
}

void TestPaths::runningProgram()
{
    // Without arguments the helpers use the running program's own path.
    const QString exe = QCoreApplication::applicationFilePath();
    QCOMPARE(AppDir(), QFileInfo(exe).absolutePath() + u'/');
    QCOMPARE(ExeBaseName(), u"tst_paths"_s);
    QCOMPARE(DefaultIniPath(), QFileInfo(exe).absolutePath() + u"/tst_paths.INI"_s);
}

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"

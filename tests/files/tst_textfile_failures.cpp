#include "FakeHolders.h"
#include "files/TextFile.h"

#include "PrivateMounts.h"
#include "TestFiles.h"

#include <QtTest>

#include <clocale>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
bool g_privateMounts = false; // mounts are allowed and private to this process
constexpr uid_t NobodyId = 65534;
} // namespace

// Every failure gives its exact message and loses nothing: the holder after a failed load,
// the file on disk after a failed save.
class TestTextFileFailures : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void loadFailure_data();
    void loadFailure();
    void saveFailure_data();
    void saveFailure();
    void fullDisk_data();
    void fullDisk();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    // A tmpfs mounted at a fresh folder; empty when mounts are not allowed here, or would not
    // be private to the test.
    QString mountTmpfs(const QString &name, const char *options);

    QTemporaryDir m_dir;
    QStringList m_mounts;
};

static QString OpenMessage(const QString &path, const char *reason)
{
    return u"Impossible d'ouvrir le fichier \"%1\". %2"_s.arg(path, QString::fromUtf8(reason));
}

static QString CreateMessage(const QString &path, const char *reason)
{
    return u"Impossible de créer le fichier \"%1\". %2"_s.arg(path, QString::fromUtf8(reason));
}

void TestTextFileFailures::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Nobody must reach the files of the permission case: only the file itself refuses.
    QVERIFY(QFile::setPermissions(m_dir.path(), QFile::permissions(m_dir.path()) | QFile::ExeOther));
    std::setlocale(LC_ALL, "C"); // the system's English descriptions
}

void TestTextFileFailures::cleanupTestCase()
{
    for (const QString &mount : std::as_const(m_mounts))
        ::umount(QFile::encodeName(mount).constData());
}

QString TestTextFileFailures::mountTmpfs(const QString &name, const char *options)
{
    if (!g_privateMounts)
        return QString();
    const QString dir = path(name);
    QDir().mkpath(dir);
    if (::mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", 0, options) != 0)
        return QString();
    m_mounts.append(dir);
    return dir;
}

void TestTextFileFailures::loadFailure_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("asNobody");

    QVERIFY(WriteAll(path(u"secret.txt"_s), "x"_ba));
    ::chmod(QFile::encodeName(path(u"secret.txt"_s)).constData(), 0);
    QDir().mkpath(path(u"folder"_s));
    ::mkfifo(QFile::encodeName(path(u"fifo"_s)).constData(), 0600);

    QTest::newRow("missing") << path(u"missing.txt"_s)
                             << OpenMessage(path(u"missing.txt"_s), "No such file or directory") << false;
    QTest::newRow("missing folder") << path(u"nowhere/a.txt"_s)
                                    << OpenMessage(path(u"nowhere/a.txt"_s), "No such file or directory") << false;
    QTest::newRow("empty path") << QString() << OpenMessage(QString(), "No such file or directory") << false;
    QTest::newRow("folder") << path(u"folder"_s) << OpenMessage(path(u"folder"_s), "Is a directory") << false;
    // A FIFO without a writer would block a plain open or read.
    QTest::newRow("fifo") << path(u"fifo"_s) << OpenMessage(path(u"fifo"_s), "No such device or address") << false;
    QTest::newRow("device") << u"/dev/zero"_s << OpenMessage(u"/dev/zero"_s, "No such device or address") << false;
    QTest::newRow("no read permission") << path(u"secret.txt"_s)
                                        << OpenMessage(path(u"secret.txt"_s), "Permission denied") << true;
    QTest::newRow("relative path shown absolute")
        << u"../%1/missing.txt"_s.arg(QFileInfo(QDir::currentPath()).fileName())
        << OpenMessage(QDir::currentPath() + u"/missing.txt"_s, "No such file or directory") << false;
}

void TestTextFileFailures::loadFailure()
{
    QFETCH(QString, file);
    QFETCH(QString, message);
    QFETCH(bool, asNobody);
    // The administrator reads any file whatever its permissions: the case runs as nobody.
    const bool switchUser = asNobody && ::geteuid() == 0;
    if (switchUser)
        QVERIFY(::seteuid(NobodyId) == 0);
    const auto backToRoot = qScopeGuard([switchUser] {
        if (switchUser)
            QVERIFY(::seteuid(0) == 0);
    });

    FakeLineList list;
    list.lines = QStringList{u"kept"_s};
    list.encoding = {TextEncoding::Utf16Le, AnsiCodePage::Utf8};
    try {
        LoadLineList(list, file);
        QFAIL("the load did not fail");
    } catch (const AppError &e) {
        QCOMPARE(e.message(), message);
    }
    QCOMPARE(list.lines, QStringList{u"kept"_s});
    QCOMPARE(list.encoding.encoding, TextEncoding::Utf16Le);

    FakeText text;
    text.content = u"kept"_s;
    text.encoding = {TextEncoding::Utf8, AnsiCodePage::Utf8};
    try {
        LoadTextDocument(text, file);
        QFAIL("the load did not fail");
    } catch (const AppError &e) {
        QCOMPARE(e.message(), message);
    }
    QCOMPARE(text.content, u"kept"_s);
    QCOMPARE(text.encoding.encoding, TextEncoding::Utf8);
}

void TestTextFileFailures::saveFailure_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");

    QVERIFY(WriteAll(path(u"readonly.txt"_s), "old\r\n"_ba));
    ::chmod(QFile::encodeName(path(u"readonly.txt"_s)).constData(), 0444);
    QDir().mkpath(path(u"folder.txt"_s));
    QVERIFY(WriteAll(path(u"plain"_s), "old"_ba));

    QTest::newRow("missing folder") << path(u"nowhere/a.txt"_s)
                                    << CreateMessage(path(u"nowhere/a.txt"_s), "No such file or directory");
    QTest::newRow("empty path") << QString() << CreateMessage(QString(), "No such file or directory");
    QTest::newRow("read-only file") << path(u"readonly.txt"_s)
                                    << CreateMessage(path(u"readonly.txt"_s), "Permission denied");
    QTest::newRow("folder") << path(u"folder.txt"_s) << CreateMessage(path(u"folder.txt"_s), "Is a directory");
    QTest::newRow("file as folder") << path(u"plain/a.txt"_s)
                                    << CreateMessage(path(u"plain/a.txt"_s), "Not a directory");
    QTest::newRow("subject with a slash")
        << path(u"Prix 3.5 / kg.MSGX"_s) << CreateMessage(path(u"Prix 3.5 / kg.MSGX"_s), "No such file or directory");

    if (::geteuid() != 0) {
        QDir().mkpath(path(u"locked"_s));
        QVERIFY(WriteAll(path(u"locked/a.txt"_s), "old\r\n"_ba));
        ::chmod(QFile::encodeName(path(u"locked"_s)).constData(), 0555);
        QTest::newRow("read-only folder")
            << path(u"locked/a.txt"_s) << CreateMessage(path(u"locked/a.txt"_s), "Permission denied");
    } else {
        // The administrator writes in any folder; a read-only file system stops everyone.
        const QString ro = mountTmpfs(u"ro"_s, "size=64k");
        if (!ro.isEmpty()) {
            QVERIFY(WriteAll(ro + u"/a.txt"_s, "old\r\n"_ba));
            ::mount("tmpfs", QFile::encodeName(ro).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k");
            QTest::newRow("read-only folder")
                << ro + u"/a.txt"_s << CreateMessage(ro + u"/a.txt"_s, "Read-only file system");
        }
    }
}

void TestTextFileFailures::saveFailure()
{
    QFETCH(QString, file);
    QFETCH(QString, message);
    const QFileInfo info(file);
    const bool existed = info.isFile();
    const QByteArray before = existed ? ReadAll(file) : QByteArray();
    const QStringList siblings =
        info.dir().exists() ? info.dir().entryList(QDir::AllEntries | QDir::System) : QStringList();

    FakeLineList list;
    list.lines = QStringList{u"new"_s};
    try {
        SaveLineList(list, file);
        QFAIL("the save did not fail");
    } catch (const AppError &e) {
        QCOMPARE(e.message(), message);
    }
    FakeText text;
    text.content = u"new"_s;
    try {
        SaveTextDocument(text, file);
        QFAIL("the save did not fail");
    } catch (const AppError &e) {
        QCOMPARE(e.message(), message);
    }
    QCOMPARE(QFileInfo(file).isFile(), existed);
    if (existed)
        QCOMPARE(ReadAll(file), before);
    if (info.dir().exists()) // no temporary file left behind
        QCOMPARE(info.dir().entryList(QDir::AllEntries | QDir::System), siblings);
}

void TestTextFileFailures::fullDisk_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("fillDisk");
    QTest::newRow("list larger than the disk") << 20000 << false;
    // A few bytes on a disk with no block left: the write fails only when flushed at the end,
    // and the old file must still stay in place.
    QTest::newRow("small list, disk full") << 2 << true;
}

void TestTextFileFailures::fullDisk()
{
    QFETCH(int, lines);
    QFETCH(bool, fillDisk);
    const QString disk = mountTmpfs(u"full-%1"_s.arg(lines), "size=64k");
    if (disk.isEmpty())
        QSKIP("mounting a small tmpfs is not allowed here, so a full disk cannot be made");
    const QString file = disk + u"/EMAILS.TXT"_s;
    QVERIFY(WriteAll(file, "a@exemple.test\r\n"_ba));
    QStringList entries{u"EMAILS.TXT"_s};
    if (fillDisk) {
        QFile filler(disk + u"/filler"_s);
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) > 0) {
        }
        entries.append(u"filler"_s);
    }

    FakeLineList list;
    list.lines = QStringList(lines, u"quelqu.un@exemple.test"_s);
    try {
        SaveLineList(list, file);
        QFAIL("the save did not fail");
    } catch (const AppError &e) {
        QCOMPARE(e.message(), u"Erreur d'écriture dans le flux"_s);
    }
    QCOMPARE(ReadAll(file), "a@exemple.test\r\n"_ba);
    QCOMPARE(QDir(disk).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System), entries);
    QCOMPARE(list.lines.size(), lines);

    // Room again: the same save succeeds.
    QFile::remove(disk + u"/filler"_s);
    list.lines = QStringList{u"b@exemple.test"_s};
    SaveLineList(list, file);
    QCOMPARE(ReadAll(file), "b@exemple.test\r\n"_ba);
}

int main(int argc, char *argv[])
{
    g_privateMounts = PrivateMounts::Enter(); // before any thread starts
    QCoreApplication app(argc, argv);
    TestTextFileFailures test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_textfile_failures.moc"

// A save killed at any moment leaves the list file whole: the old version or the new one,
// never a mix, a cut or an empty file.
#include "SaveLoopContents.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestCrashDuringSave : public QObject
{
    Q_OBJECT
private slots:
    void killedSaveLeavesOldOrNew();
};

static QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void TestCrashDuringSave::killedSaveLeavesOldOrNew()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(u"EMAILS.TXT"_s);
    const QByteArray versionA = SaveLoopBytes('A');
    const QByteArray versionB = SaveLoopBytes('B');
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(versionA), versionA.size());
    }

    // How long the saver takes here to start and load, and then to save once (a sanitizer
    // build is many times slower): the kills are spread over the start and the first saves.
    qint64 killWindow = 0;
    {
        QProcess saver;
        saver.start(QStringLiteral(SAVE_LOOP_PATH), {file});
        QVERIFY2(saver.waitForStarted(), qPrintable(saver.errorString()));
        QElapsedTimer timer;
        timer.start();
        qint64 firstSave = -1;
        int saves = 0;
        while (saves < 2 && timer.elapsed() < 60000 && saver.state() == QProcess::Running) {
            saver.waitForReadyRead(500);
            while (saver.canReadLine()) {
                saver.readLine();
                if (++saves == 1)
                    firstSave = timer.elapsed();
            }
        }
        const qint64 oneSave = timer.elapsed() - firstSave;
        saver.kill();
        saver.waitForFinished();
        QVERIFY2(saves == 2, saver.readAllStandardError().constData());
        QVERIFY(ReadFile(file) == versionA || ReadFile(file) == versionB);
        killWindow = firstSave + 2 * oneSave;
    }

    // Fixed seed: the same kill moments at every run (in proportion to the machine's speed).
    // Bounded in count and in time.
    QRandomGenerator random(20240611);
    constexpr int kMaxKills = 40;
    QElapsedTimer clock;
    clock.start();
    int kills = 0, foundA = 0, foundB = 0, savesDone = 0, leftovers = 0;
    while (kills < kMaxKills && clock.elapsed() < 60000) {
        QProcess saver;
        saver.start(QStringLiteral(SAVE_LOOP_PATH), {file});
        QVERIFY2(saver.waitForStarted(), qPrintable(saver.errorString()));
        QTest::qWait(int(random.bounded(killWindow)));
        QVERIFY2(saver.state() == QProcess::Running, saver.readAllStandardError().constData());
        saver.kill();   // SIGKILL
        QVERIFY(saver.waitForFinished());
        ++kills;
        savesDone += int(saver.readAllStandardOutput().count('\n'));

        const QByteArray now = ReadFile(file);
        QVERIFY2(now == versionA || now == versionB,
                 qPrintable(u"kill %1: the file is neither version (%2 bytes)"_s.arg(kills).arg(now.size())));
        (now == versionA ? foundA : foundB)++;
        // Whatever a killed save leaves beside the file has another name and is cleared here.
        for (const QString &name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            if (name != u"EMAILS.TXT"_s) {
                ++leftovers;
                QFile::remove(dir.filePath(name));
            }
        }
    }
    qInfo("%d kills in %lld ms (each within %lld ms of the start): %d saves completed; found: A %d, B %d; "
          "%d leftover temporary files", kills, clock.elapsed(), killWindow, savesDone, foundA, foundB, leftovers);
    QVERIFY(kills >= 10);
    // The kills did reach the saves: both versions were seen on disk.
    QVERIFY(foundA > 0 && foundB > 0);
}

QTEST_GUILESS_MAIN(TestCrashDuringSave)
#include "tst_crashduringsave.moc"

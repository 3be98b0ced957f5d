// A save killed at any moment leaves the list file whole: the old version or the new one,
// never a mix, a cut or an empty file.
#include "SaveLoopContents.h"
#include "TestFiles.h"

#include <QtTest>

#include <algorithm>

using namespace Qt::StringLiterals;

class TestCrashDuringSave : public QObject
{
    Q_OBJECT
private slots:
    void killedSaveLeavesOldOrNew();
};

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

    // Starts the saver and waits until it has loaded the list: the kills that matter fall
    // on its saves, whatever the load costs on a busy machine.
    const auto startLoaded = [&file](QProcess &saver) {
        saver.start(QStringLiteral(SAVE_LOOP_PATH), {file});
        if (!saver.waitForStarted())
            return false;
        QElapsedTimer waited;
        waited.start();
        while (!saver.canReadLine() && waited.elapsed() < 60000 && saver.state() == QProcess::Running)
            saver.waitForReadyRead(500);
        return saver.readLine() == "loaded\n";
    };

    // How long one save takes here (a sanitizer build is many times slower).
    qint64 oneSave = 0;
    {
        QProcess saver;
        QVERIFY2(startLoaded(saver), saver.readAllStandardError().constData());
        QElapsedTimer timer;
        timer.start();
        int saves = 0;
        while (saves < 2 && timer.elapsed() < 60000 && saver.state() == QProcess::Running) {
            saver.waitForReadyRead(500);
            while (saver.canReadLine()) {
                saver.readLine();
                ++saves;
            }
        }
        oneSave = timer.elapsed() / 2;
        saver.kill();
        saver.waitForFinished();
        QVERIFY2(saves == 2, saver.readAllStandardError().constData());
        QVERIFY(ReadAll(file) == versionA || ReadAll(file) == versionB);
    }

    // Fixed seed: the same kill moments at every run (in proportion to the machine's speed),
    // spread over the first three saves after the load. At least kMinKills, and on until both
    // versions were seen; bounded in count and in time.
    qint64 killWindow = 3 * std::max<qint64>(oneSave, 1);
    QRandomGenerator random(20240611);
    constexpr int kMinKills = 40;
    constexpr int kMaxKills = 120;
    QElapsedTimer clock;
    clock.start();
    int kills = 0, foundA = 0, foundB = 0, savesDone = 0, leftovers = 0;
    while ((kills < kMinKills || foundA == 0 || foundB == 0) && kills < kMaxKills && clock.elapsed() < 90000) {
        QProcess saver;
        QVERIFY2(startLoaded(saver), saver.readAllStandardError().constData());
        QTest::qWait(int(random.bounded(killWindow)));
        QVERIFY2(saver.state() == QProcess::Running, saver.readAllStandardError().constData());
        saver.kill(); // SIGKILL
        QVERIFY(saver.waitForFinished());
        ++kills;
        const int saves = int(saver.readAllStandardOutput().count('\n'));
        savesDone += saves;
        // The machine's speed changes as other work starts and ends: the kill moments follow
        // it, later when a kill landed before any save ended, earlier when two had ended.
        if (saves == 0)
            killWindow += killWindow / 8;
        else if (saves >= 2)
            killWindow -= killWindow / 8;

        const QByteArray now = ReadAll(file);
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
    qInfo("%d kills in %lld ms (each within %lld ms of the load): %d saves completed; found: A %d, B %d; "
          "%d leftover temporary files",
          kills, clock.elapsed(), killWindow, savesDone, foundA, foundB, leftovers);
    QVERIFY(kills >= 10);
    // The kills did reach the saves: both versions were seen on disk.
    QVERIFY(foundA > 0 && foundB > 0);
}

QTEST_GUILESS_MAIN(TestCrashDuringSave)
#include "tst_crashduringsave.moc"

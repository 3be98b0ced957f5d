#include "dispatch/MailLauncher.h"
#include "dispatch/MailLink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// The launcher is a fake xdg-open, first on PATH: a shell script that behaves like the real
// one when it finds no handler, when its handler fails, opens or stays open, or is missing.
class TestMailLauncher : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void outcomes_data();
    void outcomes();
    void theLauncherRunsOnItsOwn();
    void theLongestLinkIsStarted_data();
    void theLongestLinkIsStarted();
    void aLauncherStillRunningIsLeftAlone();
    void anEndedLauncherIsReaped();
    void failureReason_data();
    void failureReason();

private:
    // Puts a fake xdg-open with this shell body first on PATH.
    void installLauncher(const QByteArray &body,
                         QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QString file(const QString &name) const { return m_dir->filePath(name); }
    QByteArray readFile(const QString &name) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_path;
    QList<pid_t> m_leftRunning; // ended by cleanup(): the test's own leftovers
};

static const QByteArray Link = ComposeMailLink(u"nom@exemple.test"_s, u"Prix & délais #2 à 50 % ?"_s,
                                               ComposeMailBody(u"Bonjour,\r\n&cc=intrus@exemple.test"_s, u"Jean"_s));

// The error the user reads, as the user reads it.
static QString Expected(const QString &reason)
{
    const QString message = u"Aucun programme de messagerie ne s'est ouvert pour ce message. Choisissez un programme "
                            u"de messagerie par défaut dans les réglages du bureau, puis envoyez de nouveau."_s;
    return reason.isEmpty() ? message : message + u'\n' + reason;
}

static bool Alive(pid_t pid)
{
    return pid > 0 && kill(pid, 0) == 0;
}

void TestMailLauncher::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkdir(u"bin"_s));
    m_path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(file(u"bin"_s)) + ":/usr/bin:/bin");
}

void TestMailLauncher::cleanup()
{
    for (pid_t pid : std::as_const(m_leftRunning)) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    m_leftRunning.clear();
    qputenv("PATH", m_path);
    m_dir.reset();
}

void TestMailLauncher::installLauncher(const QByteArray &body, QFile::Permissions permissions)
{
    QFile script(file(u"bin/xdg-open"_s));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n" + body + "\n");
    script.close();
    QVERIFY(script.setPermissions(permissions));
}

void TestMailLauncher::outcomes_data()
{
    QTest::addColumn<QByteArray>("script"); // the fake launcher's body; empty: no launcher at all
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QByteArray>("link");
    QTest::addColumn<QString>("thrown"); // the error raised by openMailLink, or none (null)
    QTest::addColumn<QString>("reported"); // the error reported later, or none (null)

    const QString none;
    const QByteArray longLink = "mailto:a@b.test?subject=S&body=" + QByteArray(MaxMailLinkBytes - 31, 'z');
    QTest::newRow("no handler: exit 3, the link quoted")
        << QByteArray("echo \"xdg-open: no method available for opening '$1'\" >&2\nexit 3") << true << Link << none
        << u"Aucun programme de messagerie ne s'est ouvert pour ce message. Choisissez un programme de messagerie "
           u"par défaut dans les réglages du bureau, puis envoyez de nouveau.\n"
           u"xdg-open: no method available for opening"_s;
    QTest::newRow("the handler failed at once")
        << QByteArray("echo >&2\necho 'mailer: cannot open display' >&2\necho 'second line' >&2\nexit 4") << true
        << Link << none << Expected(u"mailer: cannot open display"_s);
    QTest::newRow("a failure without a word") << QByteArray("exit 1") << true << Link << none << Expected({});
    QTest::newRow("killed") << QByteArray("kill -KILL $$") << true << Link << none
                            << Expected(u"xdg-open : "_s + QString::fromLocal8Bit(strsignal(SIGKILL)));
    QTest::newRow("opened, with chatter")
        << QByteArray("echo 'Gtk-Message: hello' >&2\nexit 0") << true << Link << none << none;
    QTest::newRow("a failure after the bound") << QByteArray("sleep 3\nexit 3") << true << Link << none << none;
    QTest::newRow("the longest link, quoted")
        << QByteArray("echo \"xdg-open: no method available for opening '$1'\" >&2\nexit 3") << true << longLink << none
        << Expected(u"xdg-open: no method available for opening"_s);
    QTest::newRow("missing") << QByteArray() << true << Link
                             << Expected(u"xdg-open : "_s + QString::fromLocal8Bit(strerror(ENOENT))) << none;
    QTest::newRow("not executable") << QByteArray("exit 0") << false << Link
                                    << Expected(u"xdg-open : "_s + QString::fromLocal8Bit(strerror(EACCES))) << none;
}

void TestMailLauncher::outcomes()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, executable);
    QFETCH(QByteArray, link);
    QFETCH(QString, thrown);
    QFETCH(QString, reported);
    if (!script.isEmpty())
        installLauncher(script,
                        executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                   : QFile::ReadOwner | QFile::WriteOwner);
    if (script.isEmpty() || !executable)
        qputenv("PATH", QFile::encodeName(file(u"bin"_s))); // the real one must not be found instead

    MailLauncher launcher(1500ms);
    QStringList reports;
    launcher.setFailureReport([&](const AppError &error) { reports.append(error.message()); });
    QString raised;
    try {
        launcher.openMailLink(link);
    } catch (const AppError &error) {
        raised = error.message();
    }
    QCOMPARE(raised, thrown);
    QTRY_COMPARE_WITH_TIMEOUT(launcher.launchersRunning(), 0, 10000);
    QCOMPARE(reports, reported.isNull() ? QStringList() : QStringList{reported});
}

// One argument, exactly Qt's bytes; no input, no pipe for its output, a session of its own.
void TestMailLauncher::theLauncherRunsOnItsOwn()
{
    installLauncher("printf '%s' \"$#\" > \"$0.count\"\n"
                    "printf '%s' \"$1\" > \"$0.argument\"\n"
                    "read -r stat < /proc/$$/stat; set -- $stat\n"
                    "[ \"$1\" = \"$6\" ] && echo leader > \"$0.session\"\n"
                    "fds=$(for fd in 0 1 2; do readlink /proc/$$/fd/$fd; done)\n"
                    "printf '%s' \"$fds\" > \"$0.fds\"");
    MailLauncher launcher;
    QStringList reports;
    launcher.setFailureReport([&](const AppError &error) { reports.append(error.message()); });
    launcher.openMailLink(Link);
    QTRY_COMPARE_WITH_TIMEOUT(launcher.launchersRunning(), 0, 10000);
    QVERIFY(reports.isEmpty());
    QCOMPARE(readFile(u"bin/xdg-open.count"_s), QByteArray("1"));
    QCOMPARE(readFile(u"bin/xdg-open.argument"_s), MailLinkArgument(Link));
    QCOMPARE(readFile(u"bin/xdg-open.argument"_s), Link);
    QCOMPARE(readFile(u"bin/xdg-open.session"_s), QByteArray("leader\n"));
    const QList<QByteArray> fds = readFile(u"bin/xdg-open.fds"_s).trimmed().split('\n');
    QCOMPARE(fds.size(), 3);
    QCOMPARE(fds.at(0), QByteArray("/dev/null"));
    QCOMPARE(fds.at(1), QByteArray("/dev/null"));
    QVERIFY2(fds.at(2).startsWith('/'), fds.at(2).constData()); // a file, not pipe:[…]
}

// The limit is the system's own: a link of MaxMailLinkBytes is one argument it takes, one byte
// more and the launcher cannot be started.
void TestMailLauncher::theLongestLinkIsStarted_data()
{
    QTest::addColumn<qsizetype>("size");
    QTest::addColumn<bool>("started");
    QTest::newRow("at the limit") << MaxMailLinkBytes << true;
    QTest::newRow("one byte over") << MaxMailLinkBytes + 1 << false;
}

void TestMailLauncher::theLongestLinkIsStarted()
{
    QFETCH(qsizetype, size);
    QFETCH(bool, started);
    installLauncher("printf '%s' \"${#1}\" > \"$0.length\"");
    QByteArray link = "mailto:nom@exemple.test?subject=S&body=";
    link += QByteArray(size - link.size(), 'a');
    QCOMPARE(MailLinkArgument(link).size(), size);
    MailLauncher launcher;
    QString raised;
    try {
        launcher.openMailLink(link);
    } catch (const AppError &error) {
        raised = error.message();
    }
    QTRY_COMPARE_WITH_TIMEOUT(launcher.launchersRunning(), 0, 10000);
    if (started) {
        QCOMPARE(raised, QString());
        QCOMPARE(readFile(u"bin/xdg-open.length"_s), QByteArray::number(size));
    } else {
        QCOMPARE(raised, Expected(u"xdg-open : "_s + QString::fromLocal8Bit(strerror(E2BIG))));
    }
}

// A mail program may stay open for hours: no message, and it outlives the launcher's watch.
void TestMailLauncher::aLauncherStillRunningIsLeftAlone()
{
    installLauncher("echo $$ > \"$0.pid\"\nexec sleep 300");
    pid_t pid = 0;
    {
        MailLauncher launcher(300ms);
        QStringList reports;
        launcher.setFailureReport([&](const AppError &error) { reports.append(error.message()); });
        launcher.openMailLink(Link);
        QTRY_VERIFY_WITH_TIMEOUT(!readFile(u"bin/xdg-open.pid"_s).isEmpty(), 10000);
        pid = pid_t(readFile(u"bin/xdg-open.pid"_s).trimmed().toInt());
        m_leftRunning.append(pid);
        QTest::qWait(1000);
        QVERIFY(reports.isEmpty());
        QCOMPARE(launcher.launchersRunning(), 1);
        QVERIFY(Alive(pid));
    } // as when the program ends
    QTest::qWait(300);
    QVERIFY(Alive(pid));
    int status = 0;
    QCOMPARE(waitpid(pid, &status, WNOHANG), 0); // still running, not a zombie
}

// Ended after its bound (the user closed the mail program): a success, and reaped.
void TestMailLauncher::anEndedLauncherIsReaped()
{
    installLauncher("echo $$ > \"$0.pid\"\nexec sleep 300");
    MailLauncher launcher(300ms);
    QStringList reports;
    launcher.setFailureReport([&](const AppError &error) { reports.append(error.message()); });
    launcher.openMailLink(Link);
    QTRY_VERIFY_WITH_TIMEOUT(!readFile(u"bin/xdg-open.pid"_s).isEmpty(), 10000);
    const pid_t pid = pid_t(readFile(u"bin/xdg-open.pid"_s).trimmed().toInt());
    m_leftRunning.append(pid);
    QTest::qWait(600);
    QCOMPARE(launcher.launchersRunning(), 1);
    kill(pid, SIGTERM);
    QTRY_COMPARE_WITH_TIMEOUT(launcher.launchersRunning(), 0, 3000);
    QVERIFY(!QFile::exists(u"/proc/%1"_s.arg(pid))); // reaped: no zombie left
    m_leftRunning.clear();
    QVERIFY(reports.isEmpty());
}

void TestMailLauncher::failureReason_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QByteArray>("link");
    QTest::addColumn<QString>("reason");
    const QByteArray link = "mailto:a@b.test?subject=S&body=x";
    QTest::newRow("single-quoted link") << "xdg-open: no method available for opening '" + link + "'\n"
                                        << link << u"xdg-open: no method available for opening"_s;
    QTest::newRow("double-quoted link, twice")
        << "cannot open \"" + link + "\" nor \"" + link + "\"" << link << u"cannot open nor"_s;
    QTest::newRow("bare link") << "opening " + link + " failed" << link << u"opening failed"_s;
    QTest::newRow("the first line that says something")
        << QByteArray("\n  \r\nmailer: cannot open display\r\nmore\n") << link << u"mailer: cannot open display"_s;
    QTest::newRow("nothing") << QByteArray() << link << QString();
    QTest::newRow("only blank lines") << QByteArray(" \n\t\n") << link << QString();
    QTest::newRow("a long line is cut at 200 characters")
        << QByteArray(150, 'x') + ' ' + QByteArray(150, 'y') << link << QString(150, u'x') + u' ' + QString(49, u'y');
    QTest::newRow("not inside a character beyond the BMP")
        << QByteArray(199, 'x') + QString(u"\U0001F600 fin"_s).toUtf8() << link << QString(199, u'x');
    const QByteArray longLink = "mailto:a@b.test?subject=S&body=" + QByteArray(MaxMailLinkBytes - 31, 'z');
    QTest::newRow("a link of the longest kind") << "xdg-open: no method available for opening '" + longLink + "'\n"
                                                << longLink << u"xdg-open: no method available for opening"_s;
}

void TestMailLauncher::failureReason()
{
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, link);
    QFETCH(QString, reason);
    QCOMPARE(LaunchFailureReason(output, link), reason);
}

QTEST_GUILESS_MAIN(TestMailLauncher)
#include "tst_maillauncher.moc"

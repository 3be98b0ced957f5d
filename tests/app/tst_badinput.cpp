// Files nobody should drop, dropped on the recipient list and on the message field: each
// gives a clear error or a well-defined load, never a hang or a crash, and the window goes
// on working afterwards.
#include "FormFixture.h"
#include "TestFiles.h"
#include "files/TextHolders.h"

#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <clocale>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype HundredMegabytes = 100 * 1000 * 1000;
constexpr uid_t NobodyId = 65534;

// size bytes of a fixed pseudo-random sequence between head and tail; zeros become ones
// unless withNul.
void WriteBinary(const QString &path, const QByteArray &head, qsizetype size, bool withNul, const QByteArray &tail)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(head);
    QByteArray block(1 << 20, Qt::Uninitialized);
    quint64 state = 0x9E3779B97F4A7C15ULL;
    for (qsizetype written = 0; written < size; written += block.size()) {
        for (qsizetype i = 0; i < block.size(); i += 8) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            std::memcpy(block.data() + i, &state, 8);
        }
        if (!withNul)
            block.replace('\0', '\1');
        f.write(block.constData(), std::min<qsizetype>(block.size(), size - written));
    }
    f.write(tail);
}

QString OpenError(const QString &path, const char *reason)
{
    return u"Impossible d'ouvrir le fichier \"%1\". %2"_s.arg(path, QString::fromUtf8(reason));
}

long PeakMemoryMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void badFileOnListAndMessage_data();
    void badFileOnListAndMessage();
    void wordTooLongToWrapAtWords();
    void hundredMegabytes_data();
    void hundredMegabytes();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    // Drops the files on a control as the desktop does: through the window, at its centre.
    void drop(const QString &control, const QStringList &paths);
    // The event loop still runs, painting the window ends, and a good file dropped on each
    // target loads.
    void checkStillWorking();

    QTemporaryDir m_dir;
    FormFixture m_f;
};

void TestBadInput::initTestCase()
{
    std::setlocale(LC_ALL, "C"); // the system's English error descriptions
    QVERIFY(m_dir.isValid());
    // Others may enter the folder: the unreadable file is read as "nobody" when the tests
    // run as the administrator, who reads any file whatever its permissions.
    QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0);
    QDir::setCurrent(m_dir.path()); // the window's own files stay in the throwaway folder
    QVERIFY(WriteAll(path(u"après.txt"_s), "après@exemple.test\r\n"_ba));
    QVERIFY(WriteAll(path(u"longue ligne.txt"_s),
                     "d\xC3\xA9"
                     "but\r\n"
                         + QByteArray(1'000'000, 'x') + "\r\nfin\r\n"));
    QVERIFY(m_f.open());
}

void TestBadInput::init()
{
    m_f.form->recipients().replaceLines({u"avant@exemple.test"});
    m_f.form->messageText().setText(u"avant"_s);
    m_f.dialogs.errors.clear();
    m_f.dialogs.boxes.clear();
}

void TestBadInput::drop(const QString &control, const QStringList &paths)
{
    QWidget *target = m_f.control(control);
    QVERIFY(target);
    QVERIFY(m_f.dropFiles(target, paths));
}

void TestBadInput::checkStillWorking()
{
    bool ticked = false;
    QTimer::singleShot(0, this, [&] { ticked = true; });
    QTRY_VERIFY_WITH_TIMEOUT(ticked, 5000);
    QVERIFY(!m_f.form->grab().isNull()); // paints whatever was loaded

    m_f.dialogs.errors.clear();
    drop(u"JvCheckListBox1"_s, {path(u"après.txt"_s)});
    drop(u"Memo_MSG"_s, {path(u"après.txt"_s)});
    QCOMPARE(m_f.dialogs.errors, QStringList());
    QCOMPARE(m_f.form->recipients().lineCount(), 1);
    QCOMPARE(m_f.form->recipients().lineAt(0), u"après@exemple.test"_s);
    QCOMPARE(m_f.form->messageText().text(), u"après@exemple.test\r\n"_s);
}

void TestBadInput::badFileOnListAndMessage_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("asNobody");
    QTest::addColumn<QString>("error"); // the same for both targets; empty when it loads
    QTest::addColumn<QStringList>("lines"); // the list after a load
    QTest::addColumn<QString>("message"); // the message field after a load

    const QString longLine = u"x"_s.repeated(1'000'000);
    QTest::newRow("a line of a million characters")
        << path(u"longue ligne.txt"_s) << false << QString() << QStringList{u"début"_s, longLine, u"fin"_s}
        << u"début\r\n"_s + longLine + u"\r\nfin\r\n"_s;

    QVERIFY(WriteAll(path(u"utf8 invalide.txt"_s),
                     "\xEF\xBB\xBF"
                     "a\xFF\r\n\xFE"
                     "b\xC3"));
    QTest::newRow("UTF-8 mark then invalid bytes")
        << path(u"utf8 invalide.txt"_s) << false << QString() << QStringList{u"a\uFFFD"_s, u"\uFFFDb\uFFFD"_s}
        << u"a\uFFFD\r\n\uFFFDb\uFFFD"_s;

    QVERIFY(WriteAll(path(u"utf16 impair.txt"_s),
                     "\xFF\xFE"
                     "a\0\r\0\n\0b\0"
                     "c"_ba));
    QTest::newRow("UTF-16 LE with an odd byte count")
        << path(u"utf16 impair.txt"_s) << false << QString() << QStringList{u"a"_s, u"b"_s} << u"a\r\nb"_s;
    QVERIFY(WriteAll(path(u"utf16be impair.txt"_s),
                     "\xFE\xFF"
                     "\0a\0\n\0b"
                     "\x01"_ba));
    QTest::newRow("UTF-16 BE with an odd byte count")
        << path(u"utf16be impair.txt"_s) << false << QString() << QStringList{u"a"_s, u"b"_s} << u"a\r\nb"_s;

    QVERIFY(WriteAll(path(u"nul.txt"_s), "un\r\ndeux\0trois\r\nquatre\r\n"_ba));
    QTest::newRow("NUL bytes: the text ends at the first")
        << path(u"nul.txt"_s) << false << QString() << QStringList{u"un"_s, u"deux"_s} << u"un\r\ndeux"_s;

    QVERIFY(WriteAll(path(u"secret.txt"_s), "secret@exemple.test\r\n"_ba));
    QVERIFY(::chmod(QFile::encodeName(path(u"secret.txt"_s)).constData(), 0) == 0);
    QTest::newRow("no read permission") << path(u"secret.txt"_s) << true
                                        << OpenError(path(u"secret.txt"_s), "Permission denied") << QStringList()
                                        << QString();

    // Opens, then every read fails: the process's own memory read at address 0.
    QFile::link(u"/proc/self/mem"_s, path(u"mémoire.txt"_s));
    QTest::newRow("a read error") << path(u"mémoire.txt"_s) << false
                                  << OpenError(path(u"mémoire.txt"_s), "Input/output error") << QStringList()
                                  << QString();

    ::mkfifo(QFile::encodeName(path(u"tube nommé.txt"_s)).constData(), 0600);
    QTest::newRow("FIFO without a writer")
        << path(u"tube nommé.txt"_s) << false << OpenError(path(u"tube nommé.txt"_s), "No such device or address")
        << QStringList() << QString();

    for (const char *device : {"zero", "null", "urandom"}) {
        const QString link = path(QString::fromLatin1(device) + u".txt"_s);
        QFile::link(u"/dev/"_s + QString::fromLatin1(device), link);
        QTest::newRow(qPrintable(u"/dev/"_s + QString::fromLatin1(device)))
            << link << false << OpenError(link, "No such device or address") << QStringList() << QString();
    }
}

void TestBadInput::badFileOnListAndMessage()
{
    QFETCH(QString, file);
    QFETCH(bool, asNobody);
    QFETCH(QString, error);
    QFETCH(QStringList, lines);
    QFETCH(QString, message);

    const bool switchUser = asNobody && ::geteuid() == 0;
    if (switchUser)
        QVERIFY(::seteuid(NobodyId) == 0);
    drop(u"JvCheckListBox1"_s, {file});
    const QStringList listErrors = m_f.dialogs.errors;
    m_f.dialogs.errors.clear();
    drop(u"Memo_MSG"_s, {file});
    const QStringList memoErrors = m_f.dialogs.errors;
    if (switchUser)
        QVERIFY(::seteuid(0) == 0);

    QCOMPARE(m_f.dialogs.texts(), QStringList());
    if (error.isEmpty()) {
        QCOMPARE(listErrors, QStringList());
        QCOMPARE(memoErrors, QStringList());
        const RecipientList &list = m_f.form->recipients();
        QCOMPARE(list.lineCount(), lines.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            QCOMPARE(list.lineAt(i), lines.at(i));
        QCOMPARE(m_f.form->messageText().text(), message);
    } else {
        QCOMPARE(listErrors, QStringList{error});
        QCOMPARE(memoErrors, QStringList{error});
        QCOMPARE(m_f.form->recipients().lineCount(), 1);
        QCOMPARE(m_f.form->recipients().lineAt(0), u"avant@exemple.test"_s);
        QCOMPARE(m_f.form->messageText().text(), u"avant"_s);
    }
    checkStillWorking();
}

// Wrapping a million-character word at word boundaries took two minutes; such a text wraps
// anywhere, and the next document wraps at words again.
void TestBadInput::wordTooLongToWrapAtWords()
{
    auto *memo = m_f.control<QPlainTextEdit>(u"Memo_MSG"_s);
    drop(u"Memo_MSG"_s, {path(u"longue ligne.txt"_s)});
    QCOMPARE(m_f.dialogs.errors, QStringList());
    QCOMPARE(memo->wordWrapMode(), QTextOption::WrapAnywhere);
    drop(u"Memo_MSG"_s, {path(u"après.txt"_s)});
    QCOMPARE(memo->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void TestBadInput::hundredMegabytes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("firstAndLastLines");
    QTest::addColumn<QString>("messageError"); // empty when the message field takes it
    QTest::addColumn<QString>("message");

    // Without a zero byte the whole file is text (Windows-1252: it is no valid UTF-8), far
    // beyond the message field's capacity.
    WriteBinary(path(u"binaire sans zéro.txt"_s), "tete\r\n", HundredMegabytes, false, "\r\nfin");
    QTest::newRow("binary without zero bytes") << path(u"binaire sans zéro.txt"_s) << QStringList{u"tete"_s, u"fin"_s}
                                               << u"Le texte dépasse la capacité du mémo"_s << QString();
    // Random bytes hold zeros: the text ends at the first.
    WriteBinary(path(u"binaire.txt"_s), "tete\r\n"_ba + '\0', HundredMegabytes, true, {});
    QTest::newRow("binary") << path(u"binaire.txt"_s) << QStringList{u"tete"_s, u"tete"_s} << QString()
                            << u"tete\r\n"_s;
}

void TestBadInput::hundredMegabytes()
{
    QFETCH(QString, file);
    QFETCH(QStringList, firstAndLastLines);
    QFETCH(QString, messageError);
    QFETCH(QString, message);

    QElapsedTimer clock;
    clock.start();
    drop(u"JvCheckListBox1"_s, {file});
    const qint64 listTime = clock.restart();
    QCOMPARE(m_f.dialogs.errors, QStringList());
    const RecipientList &list = m_f.form->recipients();
    QVERIFY(list.lineCount() >= 1);
    QCOMPARE(list.lineAt(0), firstAndLastLines.first());
    QCOMPARE(list.lineAt(list.lineCount() - 1), firstAndLastLines.last());

    clock.restart();
    drop(u"Memo_MSG"_s, {file});
    const qint64 memoTime = clock.elapsed();
    if (messageError.isEmpty()) {
        QCOMPARE(m_f.dialogs.errors, QStringList());
        QCOMPARE(m_f.form->messageText().text(), message);
    } else {
        QCOMPARE(m_f.dialogs.errors, QStringList{messageError});
        QCOMPARE(m_f.form->messageText().text(), u"avant"_s);
    }
    qInfo("list: %lld lines in %lld ms; message field: %lld ms; peak memory so far %ld MB", qlonglong(list.lineCount()),
          listTime, memoTime, PeakMemoryMegabytes());
    checkStillWorking();
}

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"

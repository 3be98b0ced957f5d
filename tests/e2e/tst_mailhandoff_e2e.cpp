#include "DesktopMailHandoff.h"
#include "dispatch/MailLink.h"

#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// The real hand-off: QDesktopServices, xdg-open and the user's default mail handler, here a
// recording one registered in a throwaway HOME. The handler must receive the link unchanged.
class TestMailHandoffE2E : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void handlerReceivesTheLink_data();
    void handlerReceivesTheLink();

private:
    QTemporaryDir m_home;
    QString m_record;
};

void TestMailHandoffE2E::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_s); // offscreen hands nothing over
    QVERIFY(m_home.isValid());
    m_record = m_home.filePath(u"received links.txt"_s);
    qputenv("HOME", m_home.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
    QProcess setup;
    setup.setProcessChannelMode(QProcess::ForwardedChannels);
    setup.start(QString::fromUtf8(FERRAVEL_MAIL_RECORDER_SETUP), {m_home.path(), m_record});
    QVERIFY(setup.waitForFinished(30000));
    QCOMPARE(setup.exitCode(), 0);
}

void TestMailHandoffE2E::handlerReceivesTheLink_data()
{
    QTest::addColumn<QByteArray>("link");
    QString ascii;
    for (char16_t c = 1; c < 128; ++c)
        ascii += QChar(c);
    QTest::newRow("offer") << ComposeMailLink(
        u"nom@exemple.test"_s, u"Offre de prix"_s,
        ComposeMailBody(u"Bonjour,\r\nVoici notre offre."_s, u"Service commercial"_s));
    QTest::newRow("delimiters and accents")
        << ComposeMailLink(u"nom@exemple.test"_s, u"Prix & délais #2 à 50%?"_s, u"a\nb&cc=x@y.test"_s);
    QTest::newRow("the marker as recipient")
        << ComposeMailLink(u"*** EMAIL Non Conforme *** (F2)"_s, u"Objet"_s, ComposeMailBody({}, {}));
    QTest::newRow("every ASCII character") << ComposeMailLink(ascii, ascii, ascii);
    QTest::newRow("long body") << ComposeMailLink(u"nom@exemple.test"_s, u"Objet"_s,
                                                  QStringList(2000, u"Ligne é"_s).join(u"\r\n"_s));
}

void TestMailHandoffE2E::handlerReceivesTheLink()
{
    QFETCH(QByteArray, link);
    QFile::remove(m_record);
    DesktopMailHandoff().openMailLink(link);

    const auto received = [this] {
        QFile file(m_record);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QTRY_COMPARE_WITH_TIMEOUT(received(), link + '\n', 10000);
    // Handed over once: nothing more arrives.
    QTest::qWait(500);
    QCOMPARE(received(), link + '\n');
}

QTEST_MAIN(TestMailHandoffE2E)
#include "tst_mailhandoff_e2e.moc"

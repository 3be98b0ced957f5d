#include "dispatch/MailLink.h"

#include <QUrl>
#include <QUrlQuery>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestMailLink : public QObject
{
    Q_OBJECT
private slots:
    void workedExample();
    void bodyLineBreaks_data();
    void bodyLineBreaks();
    void textsComeBackExactly_data();
    void textsComeBackExactly();
};

void TestMailLink::workedExample()
{
    const QString body = ComposeMailBody(u"Bonjour,\r\nVoici notre offre."_s, u"Service commercial"_s);
    QCOMPARE(ComposeMailLink(u"R"_s, u"Offre de prix"_s, body),
             QByteArray("mailto:R?subject=Offre%20de%20prix&body=Bonjour%2C%0D%0AVoici%20notre%20offre."
                        "%0D%0A%0D%0A%0D%0AService%20commercial"));
    QCOMPARE(ComposeSendConfirmation(u"Offre de prix"_s, u"R"_s),
             u"Envoyer  \r\n\r\nOffre de prix\r\n\r\nà : \r\n\r\nR\r\n\r\n----------------------------------------"_s);
}

void TestMailLink::bodyLineBreaks_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("signature");
    QTest::addColumn<QByteArray>("encodedBody");
    QTest::newRow("both empty") << QString() << QString() << QByteArray("%0D%0A%0D%0A%0D%0A");
    QTest::newRow("message ends with a line break") << u"a\r\n"_s << u"s"_s << QByteArray("a%0D%0A%0D%0A%0D%0A%0D%0As");
    QTest::newRow("signature ends with a line break")
        << u"a"_s << u"s\r\n"_s << QByteArray("a%0D%0A%0D%0A%0D%0As%0D%0A");
    QTest::newRow("lone LF") << u"a\nb"_s << u"s"_s << QByteArray("a%0Ab%0D%0A%0D%0A%0D%0As");
    QTest::newRow("lone CR") << u"a\rb"_s << u"s"_s << QByteArray("a%0Db%0D%0A%0D%0A%0D%0As");
}

void TestMailLink::bodyLineBreaks()
{
    QFETCH(QString, message);
    QFETCH(QString, signature);
    QFETCH(QByteArray, encodedBody);
    const QByteArray link = ComposeMailLink(u"R"_s, u"S"_s, ComposeMailBody(message, signature));
    QCOMPARE(link, "mailto:R?subject=S&body=" + encodedBody);
}

// Whatever the user typed, a mail program reading the link as a URL gets back the three texts
// exactly, and only the two keys. The desktop hand-off also must not change a single byte.
void TestMailLink::textsComeBackExactly_data()
{
    QTest::addColumn<QString>("recipient");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("body");
    QString ascii;
    for (char16_t c = 1; c < 128; ++c)
        ascii += QChar(c);
    QTest::newRow("delimiters in the subject") << u"nom@exemple.test"_s << u"Prix & délais #2 à 50%?"_s << u"x"_s;
    QTest::newRow("a key added from the subject") << u"nom@exemple.test"_s << u"a&cc=x@y.test&body=z"_s << u"b"_s;
    QTest::newRow("a key added from the body") << u"nom@exemple.test"_s << u"s"_s << u"b\r\n&attach=/etc/passwd"_s;
    QTest::newRow("a query in the recipient") << u"a@b.test?cc=c@d.test"_s << u"s"_s << u"b"_s;
    QTest::newRow("already encoded text") << u"nom@exemple.test"_s << u"%25 %0D%0A +"_s << u"%zz %"_s;
    QTest::newRow("the marker as recipient") << u"*** EMAIL Non Conforme *** (F2)"_s << u"s"_s << u"b"_s;
    QTest::newRow("every ASCII character") << ascii << ascii << ascii;
    QTest::newRow("beyond the BMP") << u"nom@exemple.test"_s << u"\U0001F600 Œuvre ç"_s << u"…\u00A0€"_s;
}

void TestMailLink::textsComeBackExactly()
{
    QFETCH(QString, recipient);
    QFETCH(QString, subject);
    QFETCH(QString, body);
    const QByteArray link = ComposeMailLink(recipient, subject, body);
    for (char c : link)
        QVERIFY2(c > ' ' && c < 127, link.constData());

    const QUrl url = QUrl::fromEncoded(link, QUrl::StrictMode);
    QVERIFY2(url.isValid(), qPrintable(url.errorString()));
    QCOMPARE(url.toEncoded(), link);
    QCOMPARE(url.scheme(), u"mailto"_s);
    QCOMPARE(url.path(QUrl::FullyDecoded), recipient);
    const QUrlQuery query(url);
    const auto items = query.queryItems(QUrl::FullyDecoded);
    QCOMPARE(items.size(), 2);
    QCOMPARE(items.at(0).first, u"subject"_s);
    QCOMPARE(items.at(0).second, subject);
    QCOMPARE(items.at(1).first, u"body"_s);
    QCOMPARE(items.at(1).second, body);
}

QTEST_GUILESS_MAIN(TestMailLink)
#include "tst_maillink.moc"

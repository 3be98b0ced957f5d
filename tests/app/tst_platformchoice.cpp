#include "PlatformChoice.h"

#include <QtTest>

// The platform is chosen before the application object exists, from the environment alone.
class PlatformChoiceTest : public QObject
{
    Q_OBJECT
private slots:
    void choice_data()
    {
        QTest::addColumn<QByteArray>("qpa");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("chosen"); // empty: Qt's own choice
        QTest::newRow("Wayland with XWayland")
            << QByteArray() << QByteArray("wayland-0") << QByteArray(":0") << QByteArray("xcb");
        QTest::newRow("Wayland without XWayland")
            << QByteArray() << QByteArray("wayland-0") << QByteArray() << QByteArray();
        QTest::newRow("X11 alone") << QByteArray() << QByteArray() << QByteArray(":0") << QByteArray();
        QTest::newRow("platform asked for")
            << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0") << QByteArray();
        QTest::newRow("offscreen asked for")
            << QByteArray("offscreen") << QByteArray("wayland-0") << QByteArray(":0") << QByteArray();
        QTest::newRow("nothing") << QByteArray() << QByteArray() << QByteArray() << QByteArray();
    }

    void choice()
    {
        QFETCH(QByteArray, qpa);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, chosen);
        QCOMPARE(PlatformForWindowPlacement(qpa, wayland, display), chosen);
    }
};

QTEST_GUILESS_MAIN(PlatformChoiceTest)
#include "tst_platformchoice.moc"

#include "WidgetGeometry.h"
#include "files/IniFile.h"
#include "files/Paths.h"

#include <QScreen>
#include <QWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

// Under a real window manager, and on a bare X server that frames nothing: a saved geometry
// restores to the very same outer frame, whether the restore runs before the window is shown
// (as at start-up) or after, and the restore's limits use the outer size.
class TestWindowGeometry : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void restoreBeforeShowKeepsTheFrame();
    void restoreOnShownWindow();
    void restoreTable_data();
    void restoreTable();

private:
    // Without a window manager nothing frames a window: it is ready once shown.
    bool waitFramed(QWidget &w) const
    {
        if (!m_framed)
            return QTest::qWaitForWindowExposed(&w);
        return QTest::qWaitFor([&] { return w.frameGeometry() != w.geometry(); }, 20000);
    }
    bool m_framed = false;
    QSize m_margins; // what the window manager's frame adds to a client
    QString storedGeometry() const { return IniReadString(ExeBaseName(), u"Form1"_s, QString(), m_ini); }

    QTemporaryDir m_dir;
    QString m_ini;
};

void TestWindowGeometry::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
    m_ini = m_dir.filePath(u"Ferravel.INI"_s);
    // A probe tells whether a window manager frames windows here, and by how much.
    QWidget probe;
    probe.resize(300, 200);
    probe.show();
    QVERIFY(QTest::qWaitForWindowExposed(&probe));
    m_framed = QTest::qWaitFor([&] { return probe.frameGeometry() != probe.geometry(); }, 3000);
    m_margins = probe.frameGeometry().size() - probe.size();
    qInfo("window manager frame: %d x %d", m_margins.width(), m_margins.height());
}

void TestWindowGeometry::restoreBeforeShowKeepsTheFrame()
{
    QWidget first;
    first.setObjectName(u"Form1"_s);
    first.move(130, 90);
    first.resize(600, 400);
    first.show();
    QVERIFY2(waitFramed(first), "the window manager never framed the window");
    QTest::qWait(200); // let the window manager finish placing it
    const QRect saved = first.frameGeometry();
    QCOMPARE(saved.size(), QSize(600, 400) + m_margins);
    WidgetGeometry firstGeometry(&first);
    SaveFormGeometry(firstGeometry, ExeBaseName(), m_ini);
    QCOMPARE(storedGeometry(), u"%1:%2:%3:%4"_s.arg(saved.x()).arg(saved.y()).arg(saved.width()).arg(saved.height()));

    // Three starts in a row: each restores before showing, then saves at closing.
    for (int run = 0; run < 3; ++run) {
        QWidget next;
        next.setObjectName(u"Form1"_s);
        auto *geometry = new WidgetGeometry(&next);
        RestoreFormGeometry(*geometry, ExeBaseName(), m_ini);
        next.show();
        QVERIFY(waitFramed(next));
        QVERIFY(QTest::qWaitFor([&] { return !geometry->waitingForFrame(); }, 20000));
        QTest::qWait(200);
        QCOMPARE(next.frameGeometry(), saved);
        SaveFormGeometry(*geometry, ExeBaseName(), m_ini);
    }
    QCOMPARE(storedGeometry(), u"%1:%2:%3:%4"_s.arg(saved.x()).arg(saved.y()).arg(saved.width()).arg(saved.height()));
}

void TestWindowGeometry::restoreOnShownWindow()
{
    const QRect wanted(210, 150, 700, 480);
    IniWriteString(ExeBaseName(), u"Form1"_s,
                   u"%1:%2:%3:%4"_s.arg(wanted.x()).arg(wanted.y()).arg(wanted.width()).arg(wanted.height()), m_ini);
    QWidget window;
    window.setObjectName(u"Form1"_s);
    window.resize(300, 200);
    window.show();
    QVERIFY(waitFramed(window));
    QTest::qWait(200);
    WidgetGeometry geometry(&window);
    RestoreFormGeometry(geometry, ExeBaseName(), m_ini);
    QVERIFY(QTest::qWaitFor([&] { return window.frameGeometry() == wanted; }, 5000));
    QCOMPARE(window.frameGeometry(), wanted);
}

// The restore's cases on this screen (a work area of 1280 x 800), the window 600 x 400
// inside its frame before the restore. "from right" rows expect the left that puts a window
// of its outer width before the restore against the work area's right edge.
void TestWindowGeometry::restoreTable_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("fromRight");
    QTest::addColumn<QRect>("expected"); // the outer frame; its left unused when fromRight
    QTest::addColumn<bool>("offScreen"); // a window manager may pull it back on screen
    QTest::newRow("beyond the work area") << u"2000:-30:3000:700"_s << true << QRect(0, 0, 1280, 700) << false;
    QTest::newRow("left equal to the width stays")
        << u"1280:10:500:300"_s << false << QRect(1280, 10, 500, 300) << true;
    QTest::newRow("saved while maximised") << u"-8:-8:1296:816"_s << false << QRect(-8, 0, 1280, 800) << false;
    QTest::newRow("plain") << u"100:50:700:500"_s << false << QRect(100, 50, 700, 500) << false;
    QTest::newRow("the design size") << u"120:60:839:487"_s << false << QRect(120, 60, 839, 487) << false;
}

void TestWindowGeometry::restoreTable()
{
    QFETCH(QString, stored);
    QFETCH(bool, fromRight);
    QFETCH(QRect, expected);
    QFETCH(bool, offScreen);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(area.size(), QSize(1280, 800));
    if (fromRight)
        expected.moveLeft(area.width() - (600 + m_margins.width()));
    IniWriteString(ExeBaseName(), u"Form1"_s, stored, m_ini);
    QWidget window;
    window.setObjectName(u"Form1"_s);
    window.resize(600, 400);
    auto *geometry = new WidgetGeometry(&window);
    RestoreFormGeometry(*geometry, ExeBaseName(), m_ini);
    window.show();
    QVERIFY(waitFramed(window));
    QVERIFY(QTest::qWaitFor([&] { return !geometry->waitingForFrame(); }, 20000));
    if (offScreen && m_framed) {
        // Openbox keeps a part of every window on screen: only the size is the restore's.
        QTRY_COMPARE_WITH_TIMEOUT(window.frameGeometry().size(), expected.size(), 5000);
        QCOMPARE(window.frameGeometry().y(), expected.y());
        return;
    }
    QTRY_COMPARE_WITH_TIMEOUT(window.frameGeometry(), expected, 5000);
    QCOMPARE(geometry->frame(), expected);
}

QTEST_MAIN(TestWindowGeometry)
#include "tst_window_geometry.moc"

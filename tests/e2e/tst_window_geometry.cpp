#include "WidgetGeometry.h"
#include "files/IniFile.h"
#include "files/Paths.h"

#include <QWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

// Under a real window manager: a saved geometry restores to the very same outer frame,
// whether the restore runs before the window is shown (as at start-up) or after.
class TestWindowGeometry : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void restoreBeforeShowKeepsTheFrame();
    void restoreOnShownWindow();

private:
    static bool waitFramed(QWidget &w)
    {
        return QTest::qWaitFor([&] { return w.frameGeometry() != w.geometry(); }, 20000);
    }
    QString storedGeometry() const { return IniReadString(ExeBaseName(), u"Form1"_s, QString(), m_ini); }

    QTemporaryDir m_dir;
    QString m_ini;
};

void TestWindowGeometry::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
    m_ini = m_dir.filePath(u"Ferravel.INI"_s);
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
    QVERIFY(saved.width() > 600 || saved.height() > 400); // a real frame around the client
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

QTEST_MAIN(TestWindowGeometry)
#include "tst_window_geometry.moc"

#include "config/FormGeometry.h"
#include "files/IniFile.h"
#include "files/Paths.h"
#include "helpers/AppError.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// A window that records every step of a restore.
class FakeWindow : public GeometryWindow
{
public:
    QRect rect{300, 200, 855, 529};
    QRect area{0, 0, 1920, 1040};
    QStringList steps;

    QString windowName() const override { return u"Form1"_s; }
    QRect frame() const override { return rect; }
    void setFrameLeft(int v) override
    {
        rect.moveLeft(v);
        steps << u"left %1"_s.arg(v);
    }
    void setFrameTop(int v) override
    {
        rect.moveTop(v);
        steps << u"top %1"_s.arg(v);
    }
    void setFrameWidth(int v) override
    {
        rect.setWidth(v);
        steps << u"width %1"_s.arg(v);
    }
    void setFrameHeight(int v) override
    {
        rect.setHeight(v);
        steps << u"height %1"_s.arg(v);
    }
    QRect workArea() const override { return area; }
};

class TestFormGeometry : public QObject
{
    Q_OBJECT
private slots:
    void restore_data();
    void restore();
    void saveThenRestore();
    void badPart();

private:
    QString ini() const { return m_dir.filePath(u"Ferravel.INI"_s); }
    QTemporaryDir m_dir;
};

void TestFormGeometry::restore_data()
{
    QTest::addColumn<QString>("stored"); // null: nothing stored
    QTest::addColumn<QRect>("current");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("beyond the work area")
        << u"2500:-30:3000:900"_s << QRect(300, 200, 855, 529) << QRect(1065, 0, 1920, 900)
        << QStringList{u"left 1065"_s, u"top 0"_s, u"width 1920"_s, u"height 900"_s};
    QTest::newRow("left equal to the width stays")
        << u"1920:10:800:600"_s << QRect(300, 200, 855, 529) << QRect(1920, 10, 800, 600)
        << QStringList{u"left 1920"_s, u"top 10"_s, u"width 800"_s, u"height 600"_s};
    QTest::newRow("saved while maximised")
        << u"-8:-8:1936:1056"_s << QRect(300, 200, 855, 529) << QRect(-8, 0, 1920, 1040)
        << QStringList{u"left -8"_s, u"top 0"_s, u"width 1920"_s, u"height 1040"_s};
    QTest::newRow("no other limit") << u"-50:5000:0:-3"_s << QRect(300, 200, 855, 529) << QRect(-50, 5000, 0, -3)
                                    << QStringList{u"left -50"_s, u"top 5000"_s, u"width 0"_s, u"height -3"_s};
    QTest::newRow("hexadecimal parts") << u"$10:0x20: 300:400:junk"_s << QRect(300, 200, 855, 529)
                                       << QRect(16, 32, 300, 400)
                                       << QStringList{u"left 16"_s, u"top 32"_s, u"width 300"_s, u"height 400"_s};
    // Nothing stored: nothing is set again, so that the window manager places a first start.
    QTest::newRow("nothing stored: current geometry")
        << QString() << QRect(300, 200, 855, 529) << QRect(300, 200, 855, 529) << QStringList();
    QTest::newRow("nothing stored: the limits still apply")
        << QString() << QRect(2000, -10, 2500, 1200) << QRect(-580, 0, 1920, 1040)
        << QStringList{u"left -580"_s, u"top 0"_s, u"width 1920"_s, u"height 1040"_s};
    QTest::newRow("nothing stored: left equal to the width stays")
        << QString() << QRect(1920, 0, 855, 529) << QRect(1920, 0, 855, 529) << QStringList();
    QTest::newRow("stored equal to the current frame is set")
        << u"300:200:855:529"_s << QRect(300, 200, 855, 529) << QRect(300, 200, 855, 529)
        << QStringList{u"left 300"_s, u"top 200"_s, u"width 855"_s, u"height 529"_s};
    QTest::newRow("three parts: left as it is")
        << u"1:2:3"_s << QRect(300, 200, 855, 529) << QRect(300, 200, 855, 529) << QStringList();
    QTest::newRow("empty value: left as it is")
        << u""_s << QRect(300, 200, 855, 529) << QRect(300, 200, 855, 529) << QStringList();
    QTest::newRow("final colon: three parts")
        << u"1:2:3:"_s << QRect(300, 200, 855, 529) << QRect(300, 200, 855, 529) << QStringList();
}

void TestFormGeometry::restore()
{
    QFETCH(QString, stored);
    QFETCH(QRect, current);
    QFETCH(QRect, expected);
    QFETCH(QStringList, steps);
    QFile::remove(ini());
    if (!stored.isNull())
        IniWriteString(u"Ferravel"_s, u"Form1"_s, stored, ini());
    FakeWindow window;
    window.rect = current;
    RestoreFormGeometry(window, u"Ferravel"_s, ini());
    QCOMPARE(window.rect, expected);
    QCOMPARE(window.steps, steps);
}

void TestFormGeometry::saveThenRestore()
{
    QFile::remove(ini());
    FakeWindow window;
    window.rect = QRect(-8, 12, 1000, 700);
    SaveFormGeometry(window, u"Ferravel"_s, ini());
    QCOMPARE(IniReadString(u"Ferravel"_s, u"form1"_s, QString(), ini()), u"-8:12:1000:700"_s);
    FakeWindow other;
    RestoreFormGeometry(other, u"Ferravel"_s, ini());
    QCOMPARE(other.rect, QRect(-8, 12, 1000, 700));
}

void TestFormGeometry::badPart()
{
    QFile::remove(ini());
    IniWriteString(u"Ferravel"_s, u"Form1"_s, u"10:20:abc:40"_s, ini());
    FakeWindow window;
    try {
        RestoreFormGeometry(window, u"Ferravel"_s, ini());
        QFAIL("no error");
    } catch (const AppError &e) {
        QCOMPARE(e.message(), u"''abc'' n'est pas une valeur entière valide"_s);
    }
    // The steps before the bad part took effect.
    QCOMPARE(window.steps, (QStringList{u"left 10"_s, u"top 20"_s}));
}

QTEST_GUILESS_MAIN(TestFormGeometry)
#include "tst_formgeometry.moc"

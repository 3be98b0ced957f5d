#include "ScriptedDialogs.h"
#include "helpers/AppError.h"
#include "helpers/Guard.h"

#include <QtTest>

class TestGuard : public QObject
{
    Q_OBJECT
private slots:
    void reportsAppErrorAndStops();
    void abortIsSilent();
    void completedOperationReportsNothing();
};

void TestGuard::reportsAppErrorAndStops()
{
    ScriptedDialogs dialogs;
    bool after = false;
    QVERIFY(!RunGuarded(dialogs, [&] {
        throw AppError(QStringLiteral("Impossible d'écrire dans /x"));
        after = true;
    }));
    QVERIFY(!after);
    QCOMPARE(dialogs.errors, QStringList{QStringLiteral("Impossible d'écrire dans /x")});
}

void TestGuard::abortIsSilent()
{
    ScriptedDialogs dialogs;
    QVERIFY(!RunGuarded(dialogs, [] { throw SilentAbort(); }));
    QVERIFY(dialogs.errors.isEmpty());
}

void TestGuard::completedOperationReportsNothing()
{
    ScriptedDialogs dialogs;
    int runs = 0;
    QVERIFY(RunGuarded(dialogs, [&] { ++runs; }));
    QCOMPARE(runs, 1);
    QVERIFY(dialogs.errors.isEmpty());
}

QTEST_GUILESS_MAIN(TestGuard)
#include "tst_guard.moc"

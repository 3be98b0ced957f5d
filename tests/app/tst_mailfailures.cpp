// A send that no mail program opened is told through the window's guarded call, whether the
// desktop refuses the link at once or the failure is found after the send has returned.
#include "CheckListView.h"
#include "FormFixture.h"
#include "dispatch/MailHandoff.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

class MailFailuresTest : public QObject
{
    Q_OBJECT

private:
    static void send(FormFixture &f)
    {
        f.dialogs.boxAnswers = {MsgButton::OK}; // the confirmation
        QTest::mouseClick(f.control(u"btn_SEND"_s), Qt::LeftButton);
    }

private slots:
    void failuresReachTheErrorReport_data()
    {
        QTest::addColumn<bool>("late");
        QTest::newRow("refused at once") << false;
        QTest::newRow("found after the send returned") << true;
    }

    void failuresReachTheErrorReport()
    {
        QFETCH(bool, late);
        FormFixture f;
        QVERIFY(f.open());
        f.form->recipients().replaceLines({u"Anne <anne@exemple.test>"});
        auto *view = f.control<CheckListView>(u"JvCheckListBox1"_s);
        view->setFocus();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(0, 0)).center());
        f.control<QLineEdit>(u"ComboObjet_edit"_s)->setText(u"Offre"_s);

        const AppError failure = AppError::NoMailProgram(u"xdg-open: no method available for opening"_s);
        if (!late)
            f.mail.refusal = failure;
        f.probe.calls.clear();
        send(f);
        QCOMPARE(f.mail.links.size(), 1);
        if (late) {
            QVERIFY(f.dialogs.errors.isEmpty());
            f.mail.failLater(failure);
            QCOMPARE(f.probe.calls.last(), u"MailHandoffFailed"_s);
        }
        QCOMPARE(f.dialogs.errors, QStringList{failure.message()});

        // The window goes on: the next send asks again and hands the link over.
        f.mail.refusal.reset();
        const qsizetype boxes = f.dialogs.boxes.size();
        send(f);
        QCOMPARE(f.dialogs.boxes.size(), boxes + 1);
        QCOMPARE(f.mail.links.size(), 2);
        QCOMPARE(f.dialogs.errors.size(), 1);
    }

    void aFailureAfterTheWindowIsGoneIsDropped()
    {
        FormFixture f;
        QVERIFY(f.open());
        f.form.reset();
        f.mail.failLater(AppError::NoMailProgram({}));
        QVERIFY(f.dialogs.errors.isEmpty());
    }
};

QTEST_MAIN(MailFailuresTest)
#include "tst_mailfailures.moc"

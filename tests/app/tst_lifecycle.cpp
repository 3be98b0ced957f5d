// The window's life: start-up order, hooks that fail, closing, the window style, drops
// and the binding of each event to its handler.
#include "FileNameList.h"
#include "FormFixture.h"
#include "Startup.h"
#include "WindowStyle.h"
#include "subjects/SignatureTemplates.h"

#include <QDir>
#include <QListView>

#include <QAction>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QUrl>

using namespace Qt::StringLiterals;

class LifecycleTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { qApp->setStyleSheet(QString()); }

    void startUpRunsTheHooksInOrder()
    {
        PortableFolderSandbox sandbox;
        ScriptedDialogs dialogs;
        RecordingMailHandoff mail;
        RecordingProbe probe;
        SteadyClock clock;
        const auto form = StartUp(sandbox.state(), {dialogs, mail, clock, &probe});
        // The template list is read as it appears, after the show hook.
        QCOMPARE(probe.calls,
                 (QStringList{u"FormCreate"_s, u"INI_GETExecute"_s, u"FormShow"_s, u"FileList_SIGN"_s,
                              u"FileList_SIGNChange"_s}));
        QVERIFY(form->isVisible());
        QVERIFY(dialogs.boxes.isEmpty()); // the style was found
        QVERIFY(!qApp->styleSheet().isEmpty());
        QCOMPARE(form->windowTitle(),
                 u"Ferravel : Ostrande 2020 : (v "_s + QLatin1StringView(FERRAVEL_VERSION) + u")"_s);
    }

    void aFailingHookStillShowsTheWindow_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QStringList>("calls");
        const QStringList calls{u"FormCreate"_s, u"INI_GETExecute"_s, u"FormShow"_s, u"FileList_SIGN"_s,
                                u"FileList_SIGNChange"_s};
        QTest::newRow("create hook") << u"INI_GETExecute"_s << calls;
        QTest::newRow("show hook") << u"FormShow"_s << calls;
    }

    void aFailingHookStillShowsTheWindow()
    {
        QFETCH(QString, failing);
        QFETCH(QStringList, calls);
        PortableFolderSandbox sandbox;
        ScriptedDialogs dialogs;
        RecordingMailHandoff mail;
        RecordingProbe probe;
        probe.failOn = failing;
        probe.failures = 1;
        SteadyClock clock;
        const auto form = StartUp(sandbox.state(), {dialogs, mail, clock, &probe});
        QCOMPARE(probe.calls, calls);
        QCOMPARE(dialogs.errors, QStringList{u"Échec de "_s + failing});
        QVERIFY(form->isVisible());
    }

    void startFocusIsTheSubjectFieldWithoutASubject()
    {
        FormFixture f;
        QVERIFY(f.open());
        QCOMPARE(QApplication::focusWidget(), f.control(u"ComboObjet_edit"_s));
        QVERIFY(!f.probe.calls.contains(u"ComboObjetExit"_s));
    }

    void aFailingCloseKeepsTheWindowOpenUntilItSucceeds()
    {
        FormFixture f;
        QVERIFY(f.open());
        f.probe.failOn = u"INI_SAVEExecute"_s;
        f.probe.failures = 1;
        f.probe.calls.clear();
        QVERIFY(!f.form->close());
        QVERIFY(f.form->isVisible());
        QCOMPARE(f.dialogs.errors.size(), 1);
        QVERIFY(f.dialogs.boxes.isEmpty()); // closing asks nothing
        QVERIFY(f.form->close());
        QVERIFY(!f.form->isVisible());
        QCOMPARE(f.probe.calls.count(u"INI_SAVEExecute"_s), 2);
        QCOMPARE(f.dialogs.errors.size(), 1);
    }

    void aSilentAbortIsNotReported()
    {
        FormFixture f;
        QVERIFY(f.open());
        QVERIFY(!f.form->dispatch("test", [] { throw SilentAbort(); }));
        QVERIFY(f.dialogs.errors.isEmpty());
        QVERIFY(!f.form->dispatch("test", [] { throw AppError(u"Impossible"_s); }));
        QCOMPARE(f.dialogs.errors, QStringList{u"Impossible"_s});
    }

    void theStyleIsFoundByNameIgnoringCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("found");
        QTest::newRow("its own name") << u"Metropolis UI Blue"_s << true;
        QTest::newRow("other letter case") << u"METROPOLIS ui blue"_s << true;
        QTest::newRow("missing") << u"Metropolis UI Green"_s << false;
        QTest::newRow("part of the name") << u"Metropolis"_s << false;
    }

    void theStyleIsFoundByNameIgnoringCase()
    {
        QFETCH(QString, name);
        QFETCH(bool, found);
        ScriptedDialogs dialogs;
        QCOMPARE(ApplyWindowStyle(name, dialogs), found);
        QCOMPARE(!qApp->styleSheet().isEmpty(), found);
        if (found) {
            QVERIFY(dialogs.boxes.isEmpty());
        } else {
            QCOMPARE(dialogs.boxes.size(), 1);
            QCOMPARE(dialogs.boxes.constFirst().text, u"Style '%1' non trouvé"_s.arg(name));
            QCOMPARE(dialogs.boxes.constFirst().kind, MsgKind::Error);
            QCOMPARE(dialogs.boxes.constFirst().buttons, QList<MsgButton>{MsgButton::Close});
        }
    }

    void theSignatureKeepsTheTooltipBackgroundUnderTheStyle()
    {
        ScriptedDialogs dialogs;
        QVERIFY(ApplyWindowStyle(WindowStyleName(), dialogs));
        FormFixture f;
        QVERIFY(f.open());
        const QColor tooltip = QApplication::palette().color(QPalette::ToolTipBase);
        for (const QString &name : {u"Memo_SIGN"_s, u"FileList_SIGN"_s}) {
            QWidget *w = f.control(name);
            const QImage image = w->grab().toImage();
            QCOMPARE(image.pixelColor(image.width() / 3, image.height() / 2), tooltip);
        }
        QWidget *memo = f.control(u"Memo_MSG"_s);
        const QImage image = memo->grab().toImage();
        QVERIFY(image.pixelColor(image.width() / 3, image.height() / 2) != tooltip);
    }

    // Drops travel as they do from the desktop: to the window, which finds the control.
    void filesAreDroppedOnlyOnTheThreeZones_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("onCaptionBar");
        QTest::addColumn<bool>("webLink");
        QTest::addColumn<QString>("handler"); // empty: refused

        QTest::newRow("recipient list") << u"JvCheckListBox1"_s << false << false << u"JvDragDrop1Drop"_s;
        QTest::newRow("message") << u"Memo_MSG"_s << false << false << u"dropMessageDrop"_s;
        QTest::newRow("signature") << u"Memo_SIGN"_s << false << false << u"drop_SIGNDrop"_s;
        QTest::newRow("subject field") << u"ComboObjet_edit"_s << false << false << QString();
        QTest::newRow("subject list") << u"ComboObjet_list"_s << false << false << QString();
        QTest::newRow("search field") << u"Edit1"_s << false << false << QString();
        QTest::newRow("search bar") << u"Panel2"_s << false << false << QString();
        QTest::newRow("template list") << u"FileList_SIGN"_s << false << false << QString();
        QTest::newRow("subject caption bar") << u"panel_objet"_s << true << false << QString();
        QTest::newRow("recipient caption bar") << u"panel_emails"_s << true << false << QString();
        QTest::newRow("a web link on the list") << u"JvCheckListBox1"_s << false << true << QString();
    }

    void filesAreDroppedOnlyOnTheThreeZones()
    {
        QFETCH(QString, target);
        QFETCH(bool, onCaptionBar);
        QFETCH(bool, webLink);
        QFETCH(QString, handler);

        FormFixture f;
        QVERIFY(f.open());
        auto *memo = f.control<QPlainTextEdit>(u"Memo_MSG"_s);
        auto *sign = f.control<QPlainTextEdit>(u"Memo_SIGN"_s);
        memo->setPlainText(u"message"_s);
        sign->setPlainText(u"signature"_s);

        QWidget *w = f.control(target);
        QVERIFY(w);
        QPoint point = w->rect().center();
        if (onCaptionBar)
            point = static_cast<CaptionPanel *>(w)->captionBarRect().center();
        const QPoint inWindow = w->mapTo(f.form.get(), point);

        const QStringList paths{u"/tmp/liste des emails.txt"_s, u"/tmp/deux #é.SIGNX"_s};
        QMimeData mime;
        if (webLink)
            mime.setUrls({QUrl(u"https://exemple.test/liste.txt"_s)});
        else
            mime.setUrls({QUrl::fromLocalFile(paths.at(0)), QUrl::fromLocalFile(paths.at(1))});
        mime.setText(paths.join(u'\n')); // file managers offer the paths as text too

        f.probe.calls.clear();
        QWindow *window = f.form->windowHandle();
        QDragEnterEvent enter(inWindow, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        QCOMPARE(enter.isAccepted(), !handler.isEmpty());
        QDragMoveEvent move(inWindow, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &move);
        QCOMPARE(move.isAccepted(), !handler.isEmpty());

        if (handler.isEmpty()) {
            QDragLeaveEvent leave;
            QApplication::sendEvent(window, &leave);
            QVERIFY(f.probe.calls.isEmpty());
            QCOMPARE(f.control<QLineEdit>(u"Edit1"_s)->text(), QString());
            QCOMPARE(f.control<QLineEdit>(u"ComboObjet_edit"_s)->text(), QString());
            return;
        }
        const auto *zone = f.form->findChild<QObject *>(handler.chopped(4)); // the zone is named after its handler
        QVERIFY(zone);
        QSignalSpy dropped(zone, SIGNAL(filesDropped(QStringList, QPoint)));
        QDropEvent drop(inWindow, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(f.probe.calls, QStringList{handler});
        QCOMPARE(dropped.size(), 1);
        QCOMPARE(dropped.at(0).at(0).toStringList(), paths);
        QCOMPARE(memo->toPlainText(), u"message"_s); // nothing pasted
        QCOMPARE(sign->toPlainText(), u"signature"_s);
    }

    void menuItemsReachTheirHandlers_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("calls");
        const auto row = [](const char *item, QStringList calls) {
            QTest::newRow(item) << QString::fromLatin1(item) << calls;
        };
        row("INISAVE1", {u"INISAVE1"_s, u"INI_SAVEExecute"_s});
        row("Raffraichir1", {u"Raffraichir1Click"_s});
        row("Rechercher1", {u"Rechercher1Click"_s});
        row("MenuItem1", {u"MenuItem1Click"_s});
        row("mnu_EMAILS_edit", {u"mnu_EMAILS_editClick"_s});
        row("rier1", {u"rier1Click"_s});
        row("Majuscules1", {u"Majuscules1Click"_s});
        row("Minuscules1", {u"Minuscules1Click"_s});
        row("Supprimerlesetles1", {u"Supprimerlesetles1Click"_s});
        row("Enregistrerlesmodifications1", {u"Enregistrerlesmodifications1Click"_s});
        row("Supprimer1", {u"Supprimer1Click"_s});
        row("Raffraichir2", {u"Raffraichir2Click"_s, u"FileList_SIGNChange"_s}); // after every reading
        row("MAILTO", {u"MAILTOExecute"_s});
        row("CHARGE_MAIL", {u"CHARGE_MAILExecute"_s});
        row("SAUVE_MAIL", {u"SAUVE_MAILExecute"_s});
        row("MSG_SAVE", {u"MSG_SAVEExecute"_s});
        row("SIGN_SAVE", {u"SIGN_SAVEExecute"_s});
        row("Ouvrir1", {u"Ouvrir1Click"_s}); // the chooser cancelled: nothing dropped
    }

    void menuItemsReachTheirHandlers()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, calls);
        FormFixture f;
        QVERIFY(f.open());
        auto *action = f.form->findChild<QAction *>(item);
        QVERIFY(action);
        f.probe.calls.clear();
        action->trigger();
        QCOMPARE(f.probe.calls, calls);
    }

    void controlEventsReachTheirHandlers_data()
    {
        QTest::addColumn<QString>("event");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("btn_SEND clicked") << u"btn_SEND"_s << QStringList{u"btn_SEND"_s, u"MAILTOExecute"_s};
        QTest::newRow("btn_NEXT clicked") << u"btn_NEXT"_s << QStringList{u"btn_NEXTClick"_s};
        QTest::newRow("Edit1 changed") << u"Edit1"_s << QStringList{u"Edit1Change"_s};
        QTest::newRow("panel_msg restore button") << u"panel_msg"_s << QStringList{u"panel_msgButtonClick"_s};
        QTest::newRow("panel_SIGN restore button") << u"panel_SIGN"_s << QStringList{u"panel_SIGNButtonClick"_s};
        QTest::newRow("template picked") << u"FileList_SIGN"_s << QStringList{u"FileList_SIGNChange"_s};
        QTest::newRow("templates read again") << u"FileList_SIGN reread"_s << QStringList{u"FileList_SIGNChange"_s};
        QTest::newRow("subject left") << u"ComboObjet left"_s << QStringList{u"ComboObjetExit"_s};
        // Loading the picked subject's documents moves the focus out of the field.
        QTest::newRow("subject picked") << u"ComboObjet picked"_s
                                        << QStringList{u"ComboObjetClick"_s, u"ComboObjetExit"_s};
    }

    void controlEventsReachTheirHandlers()
    {
        QFETCH(QString, event);
        QFETCH(QStringList, calls);
        FormFixture f;
        QVERIFY(f.open());
        f.form->subjects().replaceLines({u"Devis", u"Relance"});
        if (!event.startsWith(u"ComboObjet"))
            f.control(u"Memo_SIGN"_s)->setFocus(); // leaving the subject field is another event
        f.probe.calls.clear();
        if (event == u"btn_SEND" || event == u"btn_NEXT") {
            QTest::mouseClick(f.control(event), Qt::LeftButton);
        } else if (event == u"Edit1") {
            QTest::keyClicks(f.control(event), u"a"_s);
        } else if (event.startsWith(u"panel_")) {
            auto *panel = f.control<CaptionPanel>(event);
            QSignalSpy clicked(panel, &CaptionPanel::buttonClicked);
            QTest::mouseClick(panel, Qt::LeftButton, {}, panel->buttonRect(CaptionPanel::ButtonKind::Restore).center());
            QCOMPARE(clicked.size(), 1);
            QCOMPARE(clicked.at(0).at(0).value<CaptionPanel::ButtonKind>(), CaptionPanel::ButtonKind::Restore);
            f.probe.calls.removeAll(u"FormKeyPress"_s);
        } else if (event == u"FileList_SIGN") {
            auto *list = f.control<FileNameList>(event);
            list->templates()->setStringList({u"Devis.SIGNX"_s});
            f.probe.calls.clear(); // new names count as a reading
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(list->model()->index(0, 0)).center());
        } else if (event == u"FileList_SIGN reread") {
            f.control<FileNameList>(u"FileList_SIGN"_s)->templates()->Read();
        } else if (event == u"ComboObjet left") {
            f.control(u"Memo_MSG"_s)->setFocus();
        } else if (event == u"ComboObjet picked") {
            auto *list = f.control<QListView>(u"ComboObjet_list"_s);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(list->model()->index(1, 0)).center());
            QCOMPARE(f.control<QLineEdit>(u"ComboObjet_edit"_s)->text(), u"Relance"_s);
        }
        QCOMPARE(f.probe.calls, calls);
    }
};

QTEST_MAIN(LifecycleTest)
#include "tst_lifecycle.moc"

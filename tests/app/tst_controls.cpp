// The window's own controls: the recipient check list, the simple combo box, the memos.
#include "CaptionPanel.h"
#include "CheckListView.h"
#include "FormFixture.h"
#include "MemoEdit.h"
#include "SimpleComboBox.h"
#include "Startup.h"
#include "WindowLook.h"
#include "subjects/SubjectList.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QFontInfo>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>

using namespace Qt::StringLiterals;

class ControlsTest : public QObject
{
    Q_OBJECT

private:
    // How much ink a word leaves when drawn in black on white.
    static double inkOf(const QFont &font, const QString &word)
    {
        const QFontMetrics metrics(font);
        QImage image(metrics.horizontalAdvance(word) + 8, metrics.height() + 4, QImage::Format_Grayscale8);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(4, metrics.ascent() + 2, word);
        painter.end();
        double ink = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ink += (255 - qGray(image.pixel(x, y))) / 255.0;
        return ink;
    }

    static QPoint rowCentre(QListView *view, int row)
    {
        return view->visualRect(view->model()->index(row, 0)).center();
    }

private slots:
    // Only the user's own selections choose a recipient.
    void theListReportsOnlyTheUsersSelections()
    {
        FormFixture f;
        QVERIFY(f.open());
        auto *view = f.control<CheckListView>(u"JvCheckListBox1"_s);
        RecipientList &list = f.form->recipients();
        list.replaceLines({u"Anne <anne@exemple.test>", u"sans adresse", u"Claire <claire@exemple.test>"});
        view->setFocus();
        f.probe.calls.clear();

        list.selectIndex(2); // the program's
        QCOMPARE(view->currentIndex().row(), 2);
        QVERIFY(f.probe.calls.isEmpty());

        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, 0));
        QCOMPARE(list.selectedIndex(), 0);
        QCOMPARE(f.probe.calls, QStringList{u"JvCheckListBox1Click"_s});
        QCOMPARE(f.form->currentRecipient(), u"anne@exemple.test"_s);

        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, 0)); // the same line again
        QCOMPARE(f.probe.calls.count(u"JvCheckListBox1Click"_s), 2);

        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(list.selectedIndex(), 1);
        QCOMPARE(f.probe.calls.count(u"JvCheckListBox1Click"_s), 3);
        QCOMPARE(f.form->currentRecipient(), u"*** EMAIL Non Conforme *** (F2)"_s);

        QTest::mouseClick(view->viewport(), Qt::RightButton, {}, rowCentre(view, 2));
        QCOMPARE(list.selectedIndex(), 1); // a right-click changes nothing
        QCOMPARE(f.probe.calls.count(u"JvCheckListBox1Click"_s), 3);

        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, 1));
        QVERIFY(f.probe.calls.contains(u"MAILTOExecute"_s));
        QVERIFY(!f.dialogs.boxes.isEmpty()); // the send command ran and asked
    }

    void marksToggleByCheckBoxAndSpace()
    {
        FormFixture f;
        QVERIFY(f.open());
        auto *view = f.control<CheckListView>(u"JvCheckListBox1"_s);
        RecipientList &list = f.form->recipients();
        list.replaceLines({u"a@exemple.test", u"b@exemple.test"});
        view->setFocus();
        f.probe.calls.clear();

        const QRect line = view->visualRect(list.index(1, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(line.left() + 8, line.center().y()));
        QVERIFY(list.isMarked(1));
        QCOMPARE(list.selectedIndex(), 1); // the check box also chooses the line
        QCOMPARE(f.probe.calls, QStringList{u"JvCheckListBox1Click"_s});

        QTest::keyClick(view, Qt::Key_Space);
        QVERIFY(!list.isMarked(1));
        QTest::keyClick(view, Qt::Key_Space);
        QVERIFY(list.isMarked(1));
        QVERIFY(!list.isMarked(0));
    }

    void aWideLineBringsTheHorizontalScrollBar()
    {
        FormFixture f;
        QVERIFY(f.open());
        auto *view = f.control<CheckListView>(u"JvCheckListBox1"_s);
        RecipientList &list = f.form->recipients();
        list.replaceLines({u"a@exemple.test", u"b@exemple.test"});
        QTRY_COMPARE(view->horizontalScrollBar()->maximum(), 0);

        const QString wide = u"Quelqu'un avec un nom très long <quelqu.un.avec.un.nom.tres.long@exemple.test>"_s;
        list.replaceLines({u"a@exemple.test", wide, u"b@exemple.test"});
        QTRY_VERIFY(view->horizontalScrollBar()->maximum() > 0);
        QVERIFY(view->lineWidth() >= view->fontMetrics().horizontalAdvance(wide));

        list.replaceLines({u"c@exemple.test"});
        QTRY_COMPARE(view->horizontalScrollBar()->maximum(), 0);
    }

    void theSubjectFieldCompletesAsTyped_data()
    {
        QTest::addColumn<QString>("typed"); // "\b" stands for Backspace
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("picks");

        // The field shows the entry as listed: its letter case names its documents.
        QTest::newRow("first entry in list order, as listed") << u"d"_s << u"Devis"_s << u"evis"_s << 0 << 1;
        QTest::newRow("letter case ignored") << u"DO"_s << u"Dossier"_s << u"ssier"_s << 1 << 2;
        QTest::newRow("same entry picks once") << u"de"_s << u"Devis"_s << u"vis"_s << 0 << 1;
        QTest::newRow("no entry: typed as is") << u"x"_s << u"x"_s << QString() << -1 << 0;
        QTest::newRow("accented entry") << u"ré"_s << u"Réunion"_s << u"union"_s << 2 << 1;
        QTest::newRow("lower-case entry after a capitalised one") << u"devis "_s << u"devis 2"_s << u"2"_s << 3 << 2;
        QTest::newRow("backspace deletes the completion only") << u"d\b"_s << u"D"_s << QString() << -1 << 1;
        QTest::newRow("backspace then typing completes again") << u"dz\bo"_s << u"Dossier"_s << u"ssier"_s << 1 << 2;
    }

    void theSubjectFieldCompletesAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(QString, selected);
        QFETCH(int, entry);
        QFETCH(int, picks);

        SubjectList subjects;
        subjects.setStringList({u"Devis"_s, u"Dossier"_s, u"Réunion"_s, u"devis 2"_s});
        SimpleComboBox combo;
        combo.setSubjectList(&subjects);
        combo.show();
        QApplication::setActiveWindow(&combo);
        QVERIFY(QTest::qWaitForWindowActive(&combo));
        combo.setFocus();
        QSignalSpy picked(&combo, &SimpleComboBox::picked);
        for (QChar c : typed) {
            if (c == u'\b')
                QTest::keyClick(combo.lineEdit(), Qt::Key_Backspace);
            else
                QTest::sendKeyEvent(QTest::Click, combo.lineEdit(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        QCOMPARE(combo.text(), text);
        QCOMPARE(combo.lineEdit()->selectedText(), selected);
        QCOMPARE(combo.currentIndex(), entry);
        QCOMPARE(picked.size(), picks);
    }

    void upAndDownInTheSubjectFieldPick()
    {
        SubjectList subjects;
        subjects.setStringList({u"Devis"_s, u"Dossier"_s});
        SimpleComboBox combo;
        combo.setSubjectList(&subjects);
        combo.show();
        QSignalSpy picked(&combo, &SimpleComboBox::picked);
        QTest::keyClick(combo.lineEdit(), Qt::Key_Down);
        QCOMPARE(combo.text(), u"Devis"_s);
        QTest::keyClick(combo.lineEdit(), Qt::Key_Down);
        QCOMPARE(combo.text(), u"Dossier"_s);
        QTest::keyClick(combo.lineEdit(), Qt::Key_Down); // already the last
        QTest::keyClick(combo.lineEdit(), Qt::Key_Up);
        QCOMPARE(combo.text(), u"Devis"_s);
        QCOMPARE(picked.size(), 3);
        subjects.setSelectedIndex(1); // the program's
        QCOMPARE(combo.listView()->selectionModel()->selectedRows().value(0).row(), 1);
        QCOMPARE(picked.size(), 3);
    }

    void theSubjectFieldIsLeftOnlyForAnotherControl()
    {
        FormFixture f;
        QVERIFY(f.open());
        f.form->subjects().replaceLines({u"Devis"});
        auto *list = f.control<QListView>(u"ComboObjet_list"_s);
        f.control(u"ComboObjet_edit"_s)->setFocus();
        f.probe.calls.clear();

        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, rowCentre(list, 0));
        QApplication::setActiveWindow(nullptr); // another application
        QApplication::setActiveWindow(f.form.get());
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        QVERIFY(f.probe.calls.isEmpty());

        QTest::mouseClick(f.control(u"Edit1"_s), Qt::LeftButton);
        QCOMPARE(f.probe.calls, QStringList{u"ComboObjetExit"_s});

        // A pick in the list loads the documents, which moves the focus to the message: the
        // field is left then, not by the click.
        f.control(u"ComboObjet_edit"_s)->setFocus();
        f.probe.calls.clear();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
        QCOMPARE(f.probe.calls, (QStringList{u"ComboObjetClick"_s, u"ComboObjetExit"_s}));
        QCOMPARE(QApplication::focusWidget(), f.control(u"Memo_MSG"_s));
    }

    void memosHoldTextWithCrLf_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("held");
        QTest::newRow("CR LF") << u"a\r\nb"_s << u"a\r\nb"_s;
        QTest::newRow("LF") << u"a\nb"_s << u"a\r\nb"_s;
        QTest::newRow("CR") << u"a\rb"_s << u"a\r\nb"_s;
        QTest::newRow("final line break kept") << u"a\r\n"_s << u"a\r\n"_s;
        QTest::newRow("empty lines kept") << u"\r\n\r\nz"_s << u"\r\n\r\nz"_s;
    }

    void memosHoldTextWithCrLf()
    {
        QFETCH(QString, given);
        QFETCH(QString, held);
        MemoEdit memo;
        memo.setText(given);
        QCOMPARE(memo.text(), held);
    }

    // Every control as Qt resolves its font under the style the program applies.
    void everyControlDrawsInItsFont_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("bold");
        QTest::newRow("Label1") << u"Label1"_s << 11 << false;
        QTest::newRow("Edit1") << u"Edit1"_s << 11 << false;
        QTest::newRow("btn_NEXT") << u"btn_NEXT"_s << 11 << false;
        QTest::newRow("JvCheckListBox1") << u"JvCheckListBox1"_s << 11 << false;
        QTest::newRow("btn_SEND") << u"btn_SEND"_s << 13 << true;
        QTest::newRow("ComboObjet edit") << u"ComboObjet_edit"_s << 11 << true;
        QTest::newRow("ComboObjet list") << u"ComboObjet_list"_s << 11 << true;
        QTest::newRow("Memo_MSG") << u"Memo_MSG"_s << 11 << false;
        QTest::newRow("Memo_SIGN") << u"Memo_SIGN"_s << 11 << false;
        QTest::newRow("FileList_SIGN") << u"FileList_SIGN"_s << 11 << false;
    }

    void everyControlDrawsInItsFont()
    {
        QFETCH(QString, control);
        QFETCH(int, pixels);
        QFETCH(bool, bold);
        FormFixture f;
        QVERIFY(f.open());
        QWidget *widget = f.control(control);
        QVERIFY(widget);
        const QFontInfo info(widget->font());
        QCOMPARE(info.family(), WindowFontFamily());
        QCOMPARE(info.pixelSize(), Scaled(pixels));
        QCOMPARE(info.bold(), bold);
        // What a list or a text field draws with is its viewport's font.
        if (auto *area = qobject_cast<QAbstractScrollArea *>(widget))
            QCOMPARE(QFontInfo(area->viewport()->font()).family(), WindowFontFamily());
    }

    void theMenusKeepThePlatformsFont()
    {
        FormFixture f;
        QVERIFY(f.open());
        for (const QString &name : {u"MainMenu1"_s, u"Popup_ListeEmails"_s, u"Fichier1"_s}) {
            QWidget *menu = f.control(name);
            QVERIFY2(menu, qPrintable(name));
            QCOMPARE(QFontInfo(menu->font()).family(), QFontInfo(QApplication::font(menu)).family());
            QCOMPARE(QFontInfo(menu->font()).pixelSize(), QFontInfo(QApplication::font(menu)).pixelSize());
        }
    }

    void theTypefaceIsTahomaWhenInstalled()
    {
        if (!QFile::exists(u"/usr/share/wine/fonts/tahoma.ttf"_s))
            QSKIP("fonts-wine is not installed: the window falls back to DejaVu Sans");
        QCOMPARE(WindowFontFamily(), u"Tahoma"_s);
    }

    // Bold text reads bold: a word drawn in the bold window font leaves clearly more ink than
    // in the regular one, at both sizes the window uses in bold.
    void boldIsHeavierThanRegular_data()
    {
        QTest::addColumn<int>("pixels");
        QTest::newRow("subject field") << 11;
        QTest::newRow("send button and captions") << 13;
    }

    void boldIsHeavierThanRegular()
    {
        QFETCH(int, pixels);
        PrepareApplication();
        const double regular = inkOf(WindowFont(pixels), u"Signatures Envoyer"_s);
        const double bold = inkOf(WindowFont(pixels, true), u"Signatures Envoyer"_s);
        QVERIFY2(bold > 1.2 * regular, qPrintable(u"bold %1, regular %2"_s.arg(bold).arg(regular)));
    }

    // Qt's own items of the fields' context menus read in French, whatever the locale.
    void contextMenusAreFrench_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("Memo_MSG") << u"Memo_MSG"_s;
        QTest::newRow("Edit1") << u"Edit1"_s;
    }

    void contextMenusAreFrench()
    {
        QFETCH(QString, control);
        FormFixture f;
        QVERIFY(f.open());
        QWidget *widget = f.control(control);
        QStringList items;
        QTimer::singleShot(0, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                for (const QAction *action : menu->actions())
                    if (!action->isSeparator())
                        items.append(action->text().remove(u'&').section(u'\t', 0, 0));
                menu->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Keyboard, widget->rect().center(),
                                widget->mapToGlobal(widget->rect().center()));
        QApplication::sendEvent(widget, &event); // a memo's menu runs its own loop, a field's does not
        QTRY_VERIFY(!items.isEmpty());
        QVERIFY2(items.contains(u"Couper"_s) && items.contains(u"Coller"_s), qPrintable(items.join(u" | "_s)));
        for (const QString &english :
             {u"Undo"_s, u"Redo"_s, u"Cut"_s, u"Copy"_s, u"Paste"_s, u"Delete"_s, u"Select All"_s})
            QVERIFY2(!items.contains(english), qPrintable(items.join(u" | "_s)));
    }

    // At the design sizes every caption lies whole on its bar, clear of the bar's buttons,
    // 8 pixels from the bar's start when there is room for that.
    void captionsFitTheirBars_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("caption"); // empty: the window's own
        for (const char *name : {"panel_emails", "panel_objet", "JvCaptionPanel1", "panel_msg", "panel_SIGN"})
            QTest::newRow(name) << QString::fromLatin1(name) << QString();
        QTest::newRow("a longer caption on the signature bar") << u"panel_SIGN"_s << u"Signatures 1"_s;
    }

    void captionsFitTheirBars()
    {
        QFETCH(QString, panel);
        QFETCH(QString, caption);
        if (DpiScale() != 1.0)
            QSKIP("sizes are checked at 96 dpi");
        FormFixture f;
        QVERIFY(f.open());
        auto *bar = f.control<CaptionPanel>(panel);
        QVERIFY(bar);
        if (!caption.isEmpty())
            bar->setCaption(caption);
        const QRect text = bar->captionTextRect();
        const QRect room = bar->captionBarRect();
        const int advance = QFontMetrics(WindowFont(13, true)).horizontalAdvance(bar->caption());
        QCOMPARE(bar->captionOnRight() ? text.height() : text.width(), advance);
        QVERIFY2(room.contains(text), qPrintable(bar->caption()));
        const QRect button = bar->buttonRect(CaptionPanel::ButtonKind::Restore);
        QVERIFY2(!text.intersects(button), qPrintable(bar->caption()));
        const int start = bar->captionOnRight() ? text.top() - room.top() : text.left() - room.left();
        // Only the right-side bars carry a button, at their bottom end.
        const int free = button.isNull() ? room.width() : button.top() - room.top();
        QVERIFY(start <= 8 && start >= 2);
        if (8 + advance + 2 <= free)
            QCOMPARE(start, 8);
        else
            QVERIFY(start < 8);
    }

    void theLayoutHasItsDesignSizes()
    {
        if (DpiScale() != 1.0)
            QSKIP("sizes are checked at 96 dpi");
        FormFixture f;
        QVERIFY(f.open());
        QCOMPARE(f.form->centralWidget()->size(), QSize(839, 467));
        QCOMPARE(f.control(u"panel_emails"_s)->width(), 281);
        QCOMPARE(f.control(u"panel_objet"_s)->height(), 136);
        QCOMPARE(f.form->signaturePaneHeight(), 98);
        QCOMPARE(f.control(u"FileList_SIGN"_s)->width(), 132);
        QCOMPARE(f.control(u"btn_SEND"_s)->height(), 58);
        QCOMPARE(f.control(u"Panel2"_s)->height(), 25);
        QCOMPARE(f.control(u"btn_NEXT"_s)->width(), 48);

        // Growing the window grows the message, not the signature or the recipient column.
        f.form->resize(f.form->width() + 100, f.form->height() + 100);
        QTRY_COMPARE(f.control(u"panel_emails"_s)->width(), 281);
        QCOMPARE(f.form->signaturePaneHeight(), 98);
        f.form->setSignaturePaneHeight(150);
        QCOMPARE(f.form->signaturePaneHeight(), 150);
    }
};

QTEST_MAIN(ControlsTest)
#include "tst_controls.moc"

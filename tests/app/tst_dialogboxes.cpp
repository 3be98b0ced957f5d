#include "DialogDriver.h"
#include "InputBox.h"
#include "MessageBox.h"
#include "QtDialogs.h"
#include "Startup.h"
#include "WindowStyle.h"
#include "helpers/DialogTexts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(MsgKind)
Q_DECLARE_METATYPE(MsgButton)
Q_DECLARE_METATYPE(std::optional<MsgButton>)

class TestDialogBoxes : public QObject
{
    Q_OBJECT
    QString m_baseStyle; // the style beneath the window style's sheet

    // The standard push button of the style beneath the sheet, for a caption in a font.
    int standardButtonWidth(const QString &caption, const QFont &font) const
    {
        const std::unique_ptr<QStyle> base(QStyleFactory::create(m_baseStyle));
        QStyleOptionButton option;
        option.text = caption;
        option.fontMetrics = QFontMetrics(font);
        option.features = QStyleOptionButton::AutoDefaultButton;
        return base
            ->sizeFromContents(QStyle::CT_PushButton, &option, option.fontMetrics.size(Qt::TextShowMnemonic, caption),
                               nullptr)
            .width();
    }

private slots:
    void initTestCase();
    void qtsStandardButtonsAreFrench_data();
    void qtsStandardButtonsAreFrench();
    void boxesRefuseResizing_data();
    void boxesRefuseResizing();
    void theDefaultButtonIsDrawnAsTheDefault();
    void messageBoxKeys_data();
    void messageBoxKeys();
    void noticeAndConfirm_data();
    void noticeAndConfirm();
    void boxLook_data();
    void boxLook();
    void textWrapsAndBreaksLines();
    void ctrlCCopiesTheBox();
    void inputQuery_data();
    void inputQuery();
    void reportError_data();
    void reportError();
};

// The boxes as the program shows them: prepared and under the window style.
void TestDialogBoxes::initTestCase()
{
    m_baseStyle = QApplication::style()->name();
    PrepareApplication();
    QtDialogs dialogs;
    QVERIFY(ApplyWindowStyle(WindowStyleName(), dialogs));
}

// Qt's own boxes (the error report, the file chooser) read in French, whatever the locale.
void TestDialogBoxes::qtsStandardButtonsAreFrench_data()
{
    QTest::addColumn<QDialogButtonBox::StandardButton>("button");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Cancel") << QDialogButtonBox::Cancel << u"Annuler"_s;
    QTest::newRow("Open") << QDialogButtonBox::Open << u"Ouvrir"_s;
    QTest::newRow("Close") << QDialogButtonBox::Close << u"Fermer"_s;
    QTest::newRow("Yes") << QDialogButtonBox::Yes << u"Oui"_s;
}

void TestDialogBoxes::qtsStandardButtonsAreFrench()
{
    QFETCH(QDialogButtonBox::StandardButton, button);
    QFETCH(QString, caption);
    QDialogButtonBox box(button);
    QCOMPARE(box.button(button)->text().remove(u'&'), caption);
}

void TestDialogBoxes::boxesRefuseResizing_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("Confirmer") << u"Confirmer"_s;
    QTest::newRow("Corriger") << u"Corriger"_s;
    QTest::newRow("Rechercher") << u"Rechercher"_s;
}

// A dialog frame: the box keeps its size whatever it is asked, and tells the window manager
// so (its minimum is its maximum); it has no minimise or maximise box.
void TestDialogBoxes::boxesRefuseResizing()
{
    QFETCH(QString, box);
    std::unique_ptr<QDialog> dialog;
    if (box == u"Confirmer"_s)
        dialog = std::make_unique<MessageBox>(u"Supprimer la ou les lignes pointées ?"_s, MsgKind::Confirmation,
                                              QList{MsgButton::OK, MsgButton::Cancel}, std::nullopt);
    else
        dialog = std::make_unique<InputBox>(box, box == u"Corriger"_s ? u"EMAIL"_s : u"Entrez un nom"_s,
                                            box == u"Corriger"_s ? u"nom@exemple.test"_s : QString());
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    const QSize size = dialog->size();
    dialog->resize(size + QSize(200, 100));
    QCoreApplication::processEvents();
    QCOMPARE(dialog->size(), size);
    dialog->resize(size / 2);
    QCoreApplication::processEvents();
    QCOMPARE(dialog->size(), size);
    QCOMPARE(dialog->minimumSize(), size);
    QCOMPARE(dialog->maximumSize(), size);
    QVERIFY(!(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

    // Its buttons are equally wide, as wide as the platform's standard button at least.
    const QList<QPushButton *> buttons = dialog->findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 2);
    for (const QPushButton *button : buttons) {
        QCOMPARE(button->width(), buttons.first()->width());
        QVERIFY2(button->width() >= standardButtonWidth(button->text(), button->font()),
                 qPrintable(u"%1: %2"_s.arg(button->text()).arg(button->width())));
    }
}

// How far apart two pictures of a button are on its frame: the three outer columns on each
// side, over the middle third of its height, away from the caption.
static int frameDifference(const QImage &a, const QImage &b)
{
    int most = 0;
    for (int y = a.height() / 3; y < 2 * a.height() / 3; ++y)
        for (int x : {0, 1, 2, a.width() - 3, a.width() - 2, a.width() - 1}) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            most = std::max(
                {most, std::abs(p.red() - q.red()), std::abs(p.green() - q.green()), std::abs(p.blue() - q.blue())});
        }
    return most;
}

// The default button stands out from the same button when it is not the default, with the
// focus elsewhere both times: not by a shade of its border only.
void TestDialogBoxes::theDefaultButtonIsDrawnAsTheDefault()
{
    MessageBox box(u"Supprimer la ou les lignes pointées ?"_s, MsgKind::Confirmation,
                   {MsgButton::OK, MsgButton::Cancel}, std::nullopt);
    box.show();
    QApplication::setActiveWindow(&box);
    QVERIFY(QTest::qWaitForWindowActive(&box));
    QPushButton *ok = box.button(MsgButton::OK);
    QVERIFY(ok->isDefault());
    box.button(MsgButton::Cancel)->setFocus(Qt::TabFocusReason); // it becomes the default meanwhile
    QTRY_VERIFY(!ok->isDefault());
    const QImage plain = ok->grab().toImage();
    ok->setDefault(true);
    QVERIFY(!ok->hasFocus());
    const QImage asDefault = ok->grab().toImage();
    QCOMPARE(asDefault.size(), plain.size());
    QVERIFY2(frameDifference(plain, asDefault) >= 48, qPrintable(QString::number(frameDifference(plain, asDefault))));
}

void TestDialogBoxes::messageBoxKeys_data()
{
    using B = MsgButton;
    QTest::addColumn<QList<MsgButton>>("buttons");
    QTest::addColumn<std::optional<MsgButton>>("defaultButton");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<MsgButton>("result");
    const QList<MsgButton> ok{B::OK};
    const QList<MsgButton> okCancel{B::OK, B::Cancel};
    const std::optional<MsgButton> okDefault(B::OK);
    QTest::newRow("OK: Enter") << ok << okDefault << QStringList{u"Enter"_s} << B::OK;
    QTest::newRow("OK: Space") << ok << okDefault << QStringList{u"Space"_s} << B::OK;
    QTest::newRow("OK: Escape presses OK") << ok << okDefault << QStringList{u"Escape"_s} << B::OK;
    QTest::newRow("OK: close box gives Cancel") << ok << okDefault << QStringList{u"Close"_s} << B::Cancel;
    QTest::newRow("OK/Annuler: Enter at once") << okCancel << okDefault << QStringList{u"Enter"_s} << B::OK;
    QTest::newRow("OK/Annuler: Escape") << okCancel << okDefault << QStringList{u"Escape"_s} << B::Cancel;
    QTest::newRow("OK/Annuler: close box") << okCancel << okDefault << QStringList{u"Close"_s} << B::Cancel;
    QTest::newRow("OK/Annuler: Tab, Enter") << okCancel << okDefault << QStringList{u"Tab"_s, u"Enter"_s} << B::Cancel;
    QTest::newRow("OK/Annuler: Right, Space")
        << okCancel << okDefault << QStringList{u"Right"_s, u"Space"_s} << B::Cancel;
    QTest::newRow("OK/Annuler: Tab, Shift+Tab, Enter")
        << okCancel << okDefault << QStringList{u"Tab"_s, u"Backtab"_s, u"Enter"_s} << B::OK;
    QTest::newRow("OK/Annuler: Tab, Left, Enter")
        << okCancel << okDefault << QStringList{u"Tab"_s, u"Left"_s, u"Enter"_s} << B::OK;
    QTest::newRow("OK/Annuler: Annuler as default")
        << okCancel << std::optional(B::Cancel) << QStringList{u"Enter"_s} << B::Cancel;
    QTest::newRow("Fermer alone: Escape does nothing")
        << QList{B::Close} << std::optional<MsgButton>() << QStringList{u"Escape"_s, u"MustBeOpen"_s, u"Close"_s}
        << B::Cancel;
}

void TestDialogBoxes::messageBoxKeys()
{
    QFETCH(QList<MsgButton>, buttons);
    QFETCH(std::optional<MsgButton>, defaultButton);
    QFETCH(QStringList, steps);
    QFETCH(MsgButton, result);
    QStringList problems;
    DialogDriver::onModal([&](QWidget *box) { problems = DialogDriver::steps(box, steps); });
    QtDialogs dialogs;
    QCOMPARE(dialogs.ShowMessageBox(u"Texte"_s, MsgKind::Warning, buttons, defaultButton), result);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u", "_s)));
}

void TestDialogBoxes::noticeAndConfirm_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("answer");
    QTest::newRow("notice: OK") << false << u"Enter"_s << true;
    QTest::newRow("notice: Escape") << false << u"Escape"_s << true;
    QTest::newRow("notice: close box") << false << u"Close"_s << true;
    QTest::newRow("confirm: Enter") << true << u"Enter"_s << true;
    QTest::newRow("confirm: Escape") << true << u"Escape"_s << false;
    QTest::newRow("confirm: close box") << true << u"Close"_s << false;
}

void TestDialogBoxes::noticeAndConfirm()
{
    QFETCH(bool, confirm);
    QFETCH(QString, step);
    QFETCH(bool, answer);
    DialogDriver::onModal([&](QWidget *box) { DialogDriver::step(box, step); });
    QtDialogs dialogs;
    const bool given = confirm ? dialogs.AskConfirm(u"Supprimer la ou les lignes pointées ?"_s, MsgKind::Confirmation)
                               : dialogs.ShowNotice(u"Extension TXT uniquement"_s, MsgKind::Warning);
    QCOMPARE(given, answer);
}

void TestDialogBoxes::boxLook_data()
{
    using B = MsgButton;
    QTest::addColumn<MsgKind>("kind");
    QTest::addColumn<QList<MsgButton>>("buttons");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("hasIcon");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("warning") << MsgKind::Warning << QList{B::OK} << u"Avertissement"_s << true << QStringList{u"OK"_s};
    QTest::newRow("information") << MsgKind::Information << QList{B::OK} << u"Informations"_s << true
                                 << QStringList{u"OK"_s};
    QTest::newRow("confirmation") << MsgKind::Confirmation << QList{B::OK, B::Cancel} << u"Confirmer"_s << true
                                  << QStringList{u"OK"_s, u"Annuler"_s};
    QTest::newRow("error with Fermer") << MsgKind::Error << QList{B::Close} << u"Erreur"_s << true
                                       << QStringList{u"Fer&mer"_s};
    // The test program's own name gives the application title.
    QTest::newRow("plain") << MsgKind::Plain << QList{B::OK} << u"Tst_dialogboxes"_s.toLower() << false
                           << QStringList{u"OK"_s};
}

void TestDialogBoxes::boxLook()
{
    QFETCH(MsgKind, kind);
    QFETCH(QList<MsgButton>, buttons);
    QFETCH(QString, title);
    QFETCH(bool, hasIcon);
    QFETCH(QStringList, captions);
    const QString text = u"Prix & délais"_s;
    MessageBox box(text, kind, buttons, std::nullopt);
    QCOMPARE(box.windowTitle(), title);
    QCOMPARE(box.iconLabel() != nullptr, hasIcon);
    // "&" in the text is shown as typed.
    QCOMPARE(box.textLabel()->text(), text);
    QCOMPARE(box.textLabel()->textFormat(), Qt::PlainText);
    QStringList shownCaptions;
    QSet<int> widths;
    for (MsgButton which : buttons) {
        shownCaptions.append(box.button(which)->text());
        widths.insert(box.button(which)->width());
    }
    QCOMPARE(shownCaptions, captions);
    QCOMPARE(widths.size(), 1);
    QCOMPARE(box.minimumSize(), box.maximumSize()); // not resizable
    QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    if (buttons.contains(MsgButton::OK)) {
        QVERIFY(box.button(MsgButton::OK)->isDefault());
        QCOMPARE(box.focusWidget(), box.button(MsgButton::OK));
    }
}

void TestDialogBoxes::textWrapsAndBreaksLines()
{
    const int halfScreen = QGuiApplication::primaryScreen()->geometry().width() / 2;
    const QString longLine = QStringList(200, u"mot"_s).join(u' ');
    MessageBox wide(longLine, MsgKind::Information, {MsgButton::OK}, MsgButton::OK);
    const int lineHeight = wide.textLabel()->fontMetrics().lineSpacing();
    QVERIFY2(wide.textLabel()->width() <= halfScreen, qPrintable(QString::number(wide.textLabel()->width())));
    QVERIFY(wide.textLabel()->height() >= 3 * lineHeight);

    MessageBox lines(u"un\r\ndeux\r\ntrois"_s, MsgKind::Information, {MsgButton::OK}, MsgButton::OK);
    QCOMPARE(lines.textLabel()->text(), u"un\ndeux\ntrois"_s);
    QVERIFY(lines.textLabel()->height() >= 3 * lineHeight);
}

void TestDialogBoxes::ctrlCCopiesTheBox()
{
    QGuiApplication::clipboard()->clear();
    QStringList problems;
    QString copied;
    DialogDriver::onModal([&](QWidget *box) {
        problems = DialogDriver::steps(box, {u"CtrlC"_s, u"MustBeOpen"_s});
        copied = QGuiApplication::clipboard()->text();
        DialogDriver::step(box, u"Escape"_s);
    });
    QtDialogs dialogs;
    QVERIFY(!dialogs.AskConfirm(u"Prix & délais\r\nà : nom@exemple.test"_s, MsgKind::Confirmation));
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u", "_s)));
    const QString rule = QString(27, u'-') + u"\r\n"_s;
    QCOMPARE(copied,
             rule + u"Confirmer\r\n"_s + rule + u"Prix & délais\r\nà : nom@exemple.test\r\n"_s + rule
                 + u"OK   Annuler   \r\n"_s + rule);
}

void TestDialogBoxes::inputQuery_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("result");
    const QString v300 = QString(300, u'a');
    const QString v254 = QString(254, u'b');
    const QString p300 = QString(300, u'p');
    QTest::newRow("OK on an emptied field")
        << u"abc"_s << QString() << QStringList{u"Delete"_s, u"Enter"_s} << true << QString();
    QTest::newRow("typing replaces the selected value")
        << u"abc"_s << QString() << QStringList{u"type:xyz"_s, u"Enter"_s} << true << u"xyz"_s;
    QTest::newRow("spaces kept") << u" a "_s << QString() << QStringList{u"Enter"_s} << true << u" a "_s;
    QTest::newRow("Escape after typing") << u"abc"_s << QString() << QStringList{u"type:xyz"_s, u"Escape"_s} << false
                                         << u"abc"_s;
    QTest::newRow("close box after typing")
        << u"abc"_s << QString() << QStringList{u"type:xyz"_s, u"Close"_s} << false << u"abc"_s;
    QTest::newRow("Annuler button after typing")
        << u"abc"_s << QString() << QStringList{u"type:xyz"_s, u"Tab"_s, u"Tab"_s, u"Space"_s} << false << u"abc"_s;
    QTest::newRow("300 characters kept") << v300 << QString() << QStringList{u"Enter"_s} << true << v300;
    QTest::newRow("300 characters: no longer by typing")
        << v300 << QString() << QStringList{u"End"_s, u"type:x"_s, u"Enter"_s} << true << v300;
    QTest::newRow("300 characters: shortened, then no longer")
        << v300 << QString() << QStringList{u"End"_s, u"Backspace"_s, u"type:xy"_s, u"Enter"_s} << true
        << v300.left(299);
    QTest::newRow("typing stops at 255") << v254 << QString() << QStringList{u"End"_s, u"type:xyz"_s, u"Enter"_s}
                                         << true << v254 + u'x';
    QTest::newRow("pasting stops at 255")
        << QString() << p300 << QStringList{u"Paste"_s, u"Enter"_s} << true << p300.left(255);
    QTest::newRow("pasting in the middle")
        << u"ab"_s << p300 << QStringList{u"Home"_s, u"Right"_s, u"Paste"_s, u"Enter"_s} << true
        << u"a"_s + p300.left(253) + u"b"_s;
}

void TestDialogBoxes::inputQuery()
{
    QFETCH(QString, value);
    QFETCH(QString, clipboard);
    QFETCH(QStringList, steps);
    QFETCH(bool, ok);
    QFETCH(QString, result);
    QGuiApplication::clipboard()->setText(clipboard);
    QStringList problems;
    DialogDriver::onModal([&](QWidget *widget) {
        auto *box = qobject_cast<InputBox *>(widget);
        if (!box) {
            problems.append(u"not an input box"_s);
            widget->close();
            return;
        }
        if (box->windowTitle() != u"Corriger"_s)
            problems.append(u"title "_s + box->windowTitle());
        if (box->field()->text() != value || box->field()->selectedText() != value)
            problems.append(u"value not shown whole and selected"_s);
        if (box->focusWidget() != box->field())
            problems.append(u"field without focus"_s);
        problems += DialogDriver::steps(box, steps);
    });
    QtDialogs dialogs;
    QString answer = value;
    QCOMPARE(dialogs.InputQuery(u"Corriger"_s, u"EMAIL"_s, answer), ok);
    QCOMPARE(answer.size(), result.size());
    QCOMPARE(answer, result);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u", "_s)));
}

void TestDialogBoxes::reportError_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("dot added") << u"Impossible de lire le fichier"_s << u"Impossible de lire le fichier."_s;
    QTest::newRow("no second dot") << u"Fichier introuvable."_s << u"Fichier introuvable."_s;
    QTest::newRow("markup shown as typed") << u"<b>EMAILS.TXT</b> &amp;"_s << u"<b>EMAILS.TXT</b> &amp;."_s;
}

void TestDialogBoxes::reportError()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    qsizetype buttonCount = 0;
    Qt::TextFormat format = Qt::AutoText;
    DialogDriver::onModal([&](QWidget *widget) {
        if (auto *box = qobject_cast<QMessageBox *>(widget)) {
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttonCount = box->buttons().size();
            format = box->textFormat();
        }
        DialogDriver::step(widget, u"Enter"_s);
    });
    QtDialogs().ReportError(message);
    QCOMPARE(title, AppTitle());
    QCOMPARE(text, shown);
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(buttonCount, 1);
    QCOMPARE(format, Qt::PlainText);
}

QTEST_MAIN(TestDialogBoxes)
#include "tst_dialogboxes.moc"

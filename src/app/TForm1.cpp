#include "TForm1.h"

#include "ui_Form1.h"

#include "DropZone.h"
#include "ImageList.h"
#include "SubjectsWiring.h"
#include "WindowLook.h"
#include "dispatch/MailTo.h"
#include "helpers/AppError.h"
#include "helpers/Guard.h"
#include "recipients/CurrentRecipient.h"
#include "recipients/RecipientCommands.h"
#include "recipients/RecipientList.h"
#include "subjects/SubjectList.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>

using namespace Qt::StringLiterals;

TForm1::TForm1(Dialogs &dialogs, MailHandoff &mail, HandlerProbe *probe, QWidget *parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::Form1>()),
      m_dialogs(dialogs),
      m_mail(mail),
      m_probe(probe),
      m_recipients(new RecipientList(this)),
      ActionList1(new QObject(this))
{
    ui->setupUi(this);
    setWindowIcon(ProgramIcon());
    ui->JvCheckListBox1->setRecipientList(m_recipients);
    ui->panel_emails->setCaption(InitialRecipientCaption());
    ui->MAILTO->setText(MailToCaption());

    buildMenus();
    setUpLook();

    JvDragDrop1 = new DropZone(u"JvDragDrop1"_s, ui->JvCheckListBox1);
    dropMessage = new DropZone(u"dropMessage"_s, ui->Memo_MSG);
    drop_SIGN = new DropZone(u"drop_SIGN"_s, ui->Memo_SIGN);
    refuseDropsOutsideZones();

    bindEvents();
    wireSubjects();
    // A send the desktop could not hand over is often known only after MAILTO has returned:
    // the failure then enters, like every event, through the guarded call.
    m_mail.setFailureReport([this](const AppError &error) { dispatch("MailHandoffFailed", [&] { throw error; }); });
    qApp->installEventFilter(this);
    m_startFocus = ui->ComboObjet; // the first control of the tab order

    dispatch("FormCreate", [this] { FormCreate(); });
}

TForm1::~TForm1()
{
    m_mail.setFailureReport({});
    qApp->removeEventFilter(this);
}

// ---------------------------------------------------------------- dispatching

bool TForm1::dispatch(const char *handler, const std::function<void()> &operation)
{
    return RunGuarded(m_dialogs, [&] {
        enter(handler);
        operation();
    });
}

void TForm1::call(const char *handler, const std::function<void()> &operation)
{
    enter(handler);
    operation();
}

void TForm1::enter(const char *handler)
{
    if (m_probe)
        m_probe->entered(QString::fromLatin1(handler));
}

void TForm1::execute(QAction *command)
{
    const auto found = m_commands.constFind(command);
    if (found != m_commands.constEnd())
        call(found->first, found->second);
}

// ---------------------------------------------------------------- building

void TForm1::buildMenus()
{
    // The commands of ActionList1, each with its handler.
    const std::pair<QAction *, std::pair<const char *, std::function<void()>>> commands[] = {
        {ui->FichierFileExit1, {"FichierFileExit1Execute", [this] { FichierFileExit1Execute(); }}},
        {ui->MAILTO, {"MAILTOExecute", [this] { MAILTOExecute(); }}},
        {ui->INI_GET, {"INI_GETExecute", [this] { INI_GETExecute(); }}},
        {ui->INI_SAVE, {"INI_SAVEExecute", [this] { INI_SAVEExecute(); }}},
        {ui->CHARGE_MAIL, {"CHARGE_MAILExecute", [this] { CHARGE_MAILExecute(); }}},
        {ui->SAUVE_MAIL, {"SAUVE_MAILExecute", [this] { SAUVE_MAILExecute(); }}},
        {ui->MSG_SAVE, {"MSG_SAVEExecute", [this] { MSG_SAVEExecute(); }}},
        {ui->SIGN_SAVE, {"SIGN_SAVEExecute", [this] { SIGN_SAVEExecute(); }}},
    };
    ActionList1->setObjectName(u"ActionList1"_s);
    for (const auto &[action, handler] : commands) {
        action->setParent(ActionList1);
        m_commands.insert(action, handler);
    }
    ui->FichierFileExit1->setProperty("category", u"Fichier"_s);
    ui->MAILTO->setProperty("category", u"MAIL"_s);
    ui->INI_GET->setProperty("category", u"INI"_s);
    ui->INI_SAVE->setProperty("category", u"INI"_s);
    ui->CHARGE_MAIL->setProperty("category", u"MAIL"_s);
    ui->SAUVE_MAIL->setProperty("category", u"MAIL"_s);
    ui->MSG_SAVE->setProperty("category", u"Fichier"_s);
    ui->SIGN_SAVE->setProperty("category", u"Fichier"_s);

    for (QAction *action : ui->Fichier1->actions())
        if (action->isSeparator())
            action->setObjectName(u"N2"_s);

    const auto separator = [](QMenu *menu, const QString &name) { menu->addSeparator()->setObjectName(name); };

    Popup_ListeEmails = new QMenu(this);
    Popup_ListeEmails->setObjectName(u"Popup_ListeEmails"_s);
    Popup_ListeEmails->addAction(ui->Raffraichir1);
    separator(Popup_ListeEmails, u"N1"_s);
    Popup_ListeEmails->addActions({ui->Rechercher1, ui->MenuItem1, ui->mnu_EMAILS_edit});
    separator(Popup_ListeEmails, u"N4"_s);
    Popup_ListeEmails->addActions({ui->rier1, ui->Majuscules1, ui->Minuscules1, ui->Supprimerlesetles1});
    separator(Popup_ListeEmails, u"N3"_s);
    Popup_ListeEmails->addAction(ui->Enregistrerlesmodifications1);

    Popup_SUBJECTS = new QMenu(this);
    Popup_SUBJECTS->setObjectName(u"Popup_SUBJECTS"_s);
    Popup_SUBJECTS->addAction(ui->Supprimer1);

    Popup_FileSIGN = new QMenu(this);
    Popup_FileSIGN->setObjectName(u"Popup_FileSIGN"_s);
    Popup_FileSIGN->addAction(ui->Raffraichir2);

    // A popup's shortcuts work only while its control has the focus: each item is an action
    // of that control with a widget-wide shortcut context (set in Form1.ui).
    ui->JvCheckListBox1->addActions(Popup_ListeEmails->actions());
    ui->ComboObjet->addActions(Popup_SUBJECTS->actions());
    ui->FileList_SIGN->addActions(Popup_FileSIGN->actions());
    ui->JvCheckListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    ui->ComboObjet->setContextMenuPolicy(Qt::CustomContextMenu);
    ui->FileList_SIGN->setContextMenuPolicy(Qt::CustomContextMenu);
}

void TForm1::setUpLook()
{
    setFont(WindowFont(11));
    ui->ComboObjet->setFont(WindowFont(11, true));
    ui->btn_SEND->setFont(WindowFont(13, true));
    ui->panel_emails->setCaptionColor(QColor()); // the active title bar's colour

    // The signature and its templates wear the platform's tooltip colours; a window style
    // may change their text colour and border, never their background (their own style
    // sheet outweighs the application's).
    const QColor tooltipBase = QApplication::palette().color(QPalette::ToolTipBase);
    for (QWidget *w : {static_cast<QWidget *>(ui->Memo_SIGN), static_cast<QWidget *>(ui->FileList_SIGN)}) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::Base, tooltipBase);
        palette.setColor(QPalette::Text, QApplication::palette().color(QPalette::ToolTipText));
        w->setPalette(palette);
        w->setStyleSheet(u"#%1 { background-color: %2; }"_s.arg(w->objectName(), tooltipBase.name()));
    }
    ui->FileList_SIGN->setFont(WindowFont(11));

    ScaleWidgetTree(this);
    ui->splitter_columns->setStretchFactor(0, 0);
    ui->splitter_columns->setStretchFactor(1, 1);
    ui->splitter_documents->setStretchFactor(0, 1);
    ui->splitter_documents->setStretchFactor(1, 0);
    const int width = Scaled(839);
    ui->splitter_columns->setSizes({Scaled(281), width - Scaled(281) - ui->splitter_columns->handleWidth()});
    setSignaturePaneHeight(Scaled(98));
    ui->panel_emails->setMinimumWidth(0);
    ui->panel_emails->setMinimumWidth(Scaled(120));
    ui->centralwidget->setMinimumSize(0, 0);
    resize(width, Scaled(467) + ui->MainMenu1->sizeHint().height());
    setAttribute(Qt::WA_AlwaysShowToolTips);
}

void TForm1::refuseDropsOutsideZones()
{
    setAcceptDrops(false);
    for (QWidget *w : findChildren<QWidget *>())
        w->setAcceptDrops(false);
    for (DropZone *zone : {JvDragDrop1, dropMessage, drop_SIGN}) {
        zone->target()->setAcceptDrops(true);
        if (auto *area = qobject_cast<QAbstractScrollArea *>(zone->target()))
            area->viewport()->setAcceptDrops(true);
    }
}

void TForm1::bindEvents()
{
    for (auto it = m_commands.cbegin(); it != m_commands.cend(); ++it) {
        const char *name = it->first;
        const std::function<void()> run = it->second;
        connect(it.key(), &QAction::triggered, this, [this, name, run] { dispatch(name, run); });
    }
    // Menu items that carry a command run it.
    connect(ui->INISAVE1, &QAction::triggered, this,
            [this] { dispatch("INISAVE1", [this] { execute(ui->INI_SAVE); }); });
    connect(ui->Quitter1, &QAction::triggered, this,
            [this] { dispatch("Quitter1", [this] { execute(ui->FichierFileExit1); }); });
    connect(ui->btn_SEND, &QPushButton::clicked, this,
            [this] { dispatch("btn_SEND", [this] { execute(ui->MAILTO); }); });

    const auto bindAction = [this](QAction *action, const char *name, void (TForm1::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, name, handler] { dispatch(name, [this, handler] { (this->*handler)(); }); });
    };
    bindAction(ui->Raffraichir1, "Raffraichir1Click", &TForm1::Raffraichir1Click);
    bindAction(ui->Rechercher1, "Rechercher1Click", &TForm1::Rechercher1Click);
    bindAction(ui->MenuItem1, "MenuItem1Click", &TForm1::MenuItem1Click);
    bindAction(ui->mnu_EMAILS_edit, "mnu_EMAILS_editClick", &TForm1::mnu_EMAILS_editClick);
    bindAction(ui->rier1, "rier1Click", &TForm1::rier1Click);
    bindAction(ui->Majuscules1, "Majuscules1Click", &TForm1::Majuscules1Click);
    bindAction(ui->Minuscules1, "Minuscules1Click", &TForm1::Minuscules1Click);
    bindAction(ui->Supprimerlesetles1, "Supprimerlesetles1Click", &TForm1::Supprimerlesetles1Click);
    bindAction(ui->Enregistrerlesmodifications1, "Enregistrerlesmodifications1Click",
               &TForm1::Enregistrerlesmodifications1Click);
    bindAction(ui->Supprimer1, "Supprimer1Click", &TForm1::Supprimer1Click);
    bindAction(ui->Raffraichir2, "Raffraichir2Click", &TForm1::Raffraichir2Click);

    connect(ui->ComboObjet, &SimpleComboBox::picked, this,
            [this] { dispatch("ComboObjetClick", [this] { ComboObjetClick(); }); });
    connect(ui->ComboObjet, &SimpleComboBox::left, this,
            [this] { dispatch("ComboObjetExit", [this] { ComboObjetExit(); }); });
    connect(ui->panel_msg, &CaptionPanel::buttonClicked, this, [this](CaptionPanel::ButtonKind kind) {
        dispatch("panel_msgButtonClick", [this, kind] { panel_msgButtonClick(kind); });
    });
    connect(ui->panel_SIGN, &CaptionPanel::buttonClicked, this, [this](CaptionPanel::ButtonKind kind) {
        dispatch("panel_SIGNButtonClick", [this, kind] { panel_SIGNButtonClick(kind); });
    });
    connect(ui->FileList_SIGN, &FileNameList::picked, this,
            [this] { dispatch("FileList_SIGNChange", [this] { FileList_SIGNChange(); }); });
    connect(ui->FileList_SIGN, &FileNameList::reread, this,
            [this] { dispatch("FileList_SIGNChange", [this] { FileList_SIGNChange(); }); });
    connect(ui->JvCheckListBox1, &CheckListView::userSelected, this,
            [this] { dispatch("JvCheckListBox1Click", [this] { JvCheckListBox1Click(); }); });
    connect(ui->JvCheckListBox1, &CheckListView::lineDoubleClicked, this,
            [this] { dispatch("MAILTOExecute", [this] { MAILTOExecute(); }); });
    connect(ui->JvCheckListBox1, &CheckListView::characterTyped, this, [this](QChar key) {
        dispatch("JvCheckListBox1TypeAhead", [this, key] { JvCheckListBox1TypeAhead(key); });
    });
    connect(ui->Edit1, &QLineEdit::textChanged, this, [this] { dispatch("Edit1Change", [this] { Edit1Change(); }); });
    connect(ui->btn_NEXT, &QPushButton::clicked, this,
            [this] { dispatch("btn_NEXTClick", [this] { btn_NEXTClick(); }); });

    connect(JvDragDrop1, &DropZone::filesDropped, this, [this](const QStringList &paths, const QPoint &pos) {
        dispatch("JvDragDrop1Drop", [&] { JvDragDrop1Drop(paths, pos); });
    });
    connect(dropMessage, &DropZone::filesDropped, this, [this](const QStringList &paths, const QPoint &pos) {
        dispatch("dropMessageDrop", [&] { dropMessageDrop(paths, pos); });
    });
    connect(drop_SIGN, &DropZone::filesDropped, this, [this](const QStringList &paths, const QPoint &pos) {
        dispatch("drop_SIGNDrop", [&] { drop_SIGNDrop(paths, pos); });
    });

    // Popup menus open on the line or entry selected before the right-click.
    connect(ui->JvCheckListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { Popup_ListeEmails->popup(ui->JvCheckListBox1->viewport()->mapToGlobal(pos)); });
    connect(ui->ComboObjet, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { Popup_SUBJECTS->popup(ui->ComboObjet->mapToGlobal(pos)); });
    connect(ui->FileList_SIGN, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { Popup_FileSIGN->popup(ui->FileList_SIGN->viewport()->mapToGlobal(pos)); });
}

// ---------------------------------------------------------------- key policy

bool TForm1::focusNextPrevChild(bool)
{
    return false; // Tab, Shift+Tab and the arrows never move the focus between controls
}

static QChar typedCharacter(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QChar(9);
    case Qt::Key_Escape:
        return QChar(27);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Backspace:
        return QChar(8);
    default:
        break;
    }
    const QString text = event->text();
    return text.size() == 1 ? text.at(0) : QChar();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        // The key reaches the focused control first; its parents see it again only when
        // the control leaves it, and must not preview it twice.
        const QWidget *focus = QApplication::focusWidget();
        const bool firstReceiver = focus ? widget == focus : widget->isWindow();
        if (firstReceiver && widget->window() == this)
            return previewKey(widget, static_cast<QKeyEvent *>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TForm1::previewKey(QWidget *receiver, QKeyEvent *event)
{
    QChar key = typedCharacter(event);
    if (key.isNull())
        return false;
    dispatch("FormKeyPress", [&] { FormKeyPress(key); });
    if (key.isNull())
        return true;
    if (receiver == ui->Edit1)
        dispatch("Edit1KeyPress", [&] { Edit1KeyPress(key); });
    else if (receiver == ui->Memo_MSG)
        dispatch("Memo_MSGKeyPress", [&] { Memo_MSGKeyPress(key); });
    else if (receiver == ui->Memo_SIGN)
        dispatch("Memo_SIGNKeyPress", [&] { Memo_SIGNKeyPress(key); });
    return key.isNull();
}

// ---------------------------------------------------------------- lifecycle

void TForm1::setVisible(bool visible)
{
    if (visible && !m_showHookRan) {
        m_showHookRan = true;
        dispatch("FormShow", [this] { FormShow(); });
        QMainWindow::setVisible(true);
        if (m_startFocus)
            m_startFocus->setFocus(Qt::ActiveWindowFocusReason);
        return;
    }
    QMainWindow::setVisible(visible);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (dispatch("FormClose", [this] { FormClose(); }))
        event->accept();
    else
        event->ignore(); // the configuration could not be saved: the window stays open
}

void TForm1::focusMessageField()
{
    if (isVisible())
        ui->Memo_MSG->setFocus(Qt::OtherFocusReason);
    else
        m_startFocus = ui->Memo_MSG;
}

// ---------------------------------------------------------------- data seams

RecipientList &TForm1::recipients() const
{
    return *m_recipients;
}

LineListHolder &TForm1::subjects() const
{
    return m_subjectsWiring->subjectList();
}

TextHolder &TForm1::messageText() const
{
    return *ui->Memo_MSG;
}

TextHolder &TForm1::signatureText() const
{
    return *ui->Memo_SIGN;
}

int TForm1::signaturePaneHeight() const
{
    // Until the splitter is laid out its sizes are not the panes' yet.
    if (!ui->splitter_documents->isVisible())
        return m_signatureHeight;
    return ui->splitter_documents->sizes().value(1);
}

void TForm1::setSignaturePaneHeight(int height)
{
    m_signatureHeight = height;
    const QList<int> sizes = ui->splitter_documents->sizes();
    int total = 0;
    for (int size : sizes)
        total += size;
    if (total <= 0)
        total = ui->splitter_documents->height();
    ui->splitter_documents->setSizes({qMax(0, total - height), height});
}

QString TForm1::currentRecipient() const
{
    return ui->panel_emails->caption();
}

void TForm1::setCurrentRecipient(const QString &recipient)
{
    ui->panel_emails->setCaption(recipient);
}

// ---------------------------------------------------------------- hooks

void TForm1::FormCreate()
{
    execute(ui->INI_GET);
}

void TForm1::FormShow()
{
    // The recipient list first; a failed load leaves the first subject unselected.
    recipientCommands().LoadAtShow();
    m_subjectsWiring->commands().SelectFirstSubject();
}

void TForm1::FormClose()
{
    execute(ui->INI_SAVE);
}

void TForm1::FichierFileExit1Execute()
{
    close();
}

// ---------------------------------------------------------------- keys

void TForm1::FormKeyPress(QChar &key)
{
    if (key != QChar(27))
        return;
    // Escape resets the search wherever the focus is.
    ui->Edit1->clear(); // runs Edit1Change when the field held a text
    ResetSearch(*m_recipients);
    ui->Edit1->setFocus(Qt::ShortcutFocusReason);
}

void TForm1::Edit1KeyPress(QChar &key)
{
    if (key == QChar(9)) {
        ui->btn_NEXT->click();
        key = QChar(); // the field keeps its text and the focus
    }
}

// ---------------------------------------------------------------- recipients

void TForm1::MAILTOExecute()
{
    MailInputs inputs;
    inputs.lineSelected = m_recipients->selectedIndex() >= 0;
    inputs.recipient = ui->panel_emails->caption();
    inputs.subject = ui->ComboObjet->text();
    inputs.message = ui->Memo_MSG->text();
    inputs.signature = ui->Memo_SIGN->text();
    MAILTO(inputs, m_dialogs, m_mail);
}

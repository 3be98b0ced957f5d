#include "SimpleComboBox.h"

#include "subjects/SubjectList.h"
#include "subjects/SubjectRules.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

SimpleComboBox::SimpleComboBox(QWidget *parent)
    : QWidget(parent),
      m_edit(new QLineEdit(this)),
      m_list(new QListView(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit);
    layout->addWidget(m_list, 1);

    m_edit->setObjectName(QStringLiteral("ComboObjet_edit"));
    m_list->setObjectName(QStringLiteral("ComboObjet_list"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setUniformItemSizes(true);
    m_edit->setContextMenuPolicy(Qt::NoContextMenu);
    m_list->setContextMenuPolicy(Qt::NoContextMenu);
    setFocusProxy(m_edit);
    setFocusPolicy(Qt::StrongFocus);

    m_edit->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    m_list->installEventFilter(this);

    connect(m_edit, &QLineEdit::textChanged, this, &SimpleComboBox::textChanged);
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, &SimpleComboBox::onFocusChanged);
}

SimpleComboBox::~SimpleComboBox()
{
    // The focus leaves the parts while QWidget's destructor runs: too late to watch it.
    disconnect(m_focusWatch);
}

bool SimpleComboBox::owns(const QWidget *widget) const
{
    return widget && (widget == this || isAncestorOf(widget));
}

void SimpleComboBox::onFocusChanged(QWidget *old, QWidget *now)
{
    // Only a move to another control of this window leaves the field: no focus at all
    // (another application is active) and the windows of menus and boxes do not count.
    if (owns(old) && now && !owns(now) && now->window() == window())
        emit left();
}

QString SimpleComboBox::text() const
{
    return m_edit->text();
}

void SimpleComboBox::setText(const QString &text)
{
    m_edit->setText(text);
}

void SimpleComboBox::setSubjectList(SubjectList *subjects)
{
    disconnect(m_selectionWatch);
    m_programChange = true;
    m_subjects = subjects;
    QItemSelectionModel *previous = m_list->selectionModel();
    m_list->setModel(subjects);
    delete previous; // setModel leaves the old selection model to its owner
    m_programChange = false;
    // setModel replaces the selection model: watch the new one.
    // A selection, not the current item: focusing the view makes its first item current
    // without selecting anything.
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList selected = m_list->selectionModel()->selectedRows();
        if (!m_programChange && !selected.isEmpty())
            onUserSelection(selected.constFirst().row());
    });
    if (subjects) {
        m_selectionWatch = connect(subjects, &SubjectList::selectedIndexChanged, this, &SimpleComboBox::showSelection);
        showSelection(subjects->selectedIndex());
    }
}

int SimpleComboBox::currentIndex() const
{
    return m_subjects ? m_subjects->selectedIndex() : -1;
}

// The list part shows the selected entry of the subject list; never a pick.
void SimpleComboBox::showSelection(int index)
{
    m_programChange = true;
    if (m_subjects && index >= 0 && index < m_subjects->rowCount()) {
        const QModelIndex item = m_subjects->index(index);
        m_list->selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
        m_list->scrollTo(item);
    } else {
        m_list->selectionModel()->clear();
    }
    m_programChange = false;
}

void SimpleComboBox::onUserSelection(int row)
{
    if (!m_subjects)
        return;
    m_subjects->setSelectedIndex(row);
    m_edit->setText(m_subjects->lineAt(row));
    emit picked(row);
}

void SimpleComboBox::moveSelection(int step)
{
    const int count = m_subjects ? m_subjects->rowCount() : 0;
    if (count == 0)
        return;
    const int current = currentIndex();
    const int target = current < 0 ? 0 : qBound(0, current + step, count - 1);
    if (target == current)
        return;
    const QModelIndex item = m_subjects->index(target);
    m_list->selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect); // signals the pick
    m_list->scrollTo(item);
    m_edit->selectAll();
}

bool SimpleComboBox::complete(const QString &typed)
{
    if (!m_subjects)
        return false;
    const int selStart = m_edit->hasSelectedText() ? m_edit->selectionStart() : m_edit->cursorPosition();
    const int selEnd = m_edit->hasSelectedText() ? selStart + int(m_edit->selectedText().size()) : selStart;
    const QString current = m_edit->text();
    const auto completion = CompleteSubject(m_subjects->stringList(), QStringView(current).first(selStart), typed,
                                            QStringView(current).sliced(selEnd));
    if (!completion)
        return false;
    m_edit->setText(completion->text);
    m_edit->setSelection(int(completion->selectionStart), int(completion->selectionLength));
    const bool changed = currentIndex() != completion->entryIndex;
    m_subjects->setSelectedIndex(completion->entryIndex);
    if (changed)
        emit picked(completion->entryIndex);
    return true;
}

bool SimpleComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Up:
            moveSelection(-1);
            return true;
        case Qt::Key_Down:
            moveSelection(+1);
            return true;
        case Qt::Key_Backspace:
            if (!m_edit->text().isEmpty()) {
                m_edit->backspace();
                if (m_subjects)
                    m_subjects->setSelectedIndex(-1);
            }
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
            return false;
        default:
            break;
        }
        const QString typed = key->text();
        const bool printable = typed.size() == 1 && typed.at(0).isPrint()
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (printable && complete(typed))
            return true;
        return false;
    }
    if (event->type() == QEvent::ContextMenu && (watched == m_edit || watched == m_list->viewport())) {
        // One popup menu for the whole control, whichever part was right-clicked.
        auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        QContextMenuEvent forwarded(menuEvent->reason(), mapFromGlobal(menuEvent->globalPos()), menuEvent->globalPos(),
                                    menuEvent->modifiers());
        QApplication::sendEvent(this, &forwarded);
        return true;
    }
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton)
            return true; // the popup menu opens; the selection stays
    }
    return QWidget::eventFilter(watched, event);
}

#include "SimpleComboBox.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QVBoxLayout>

SimpleComboBox::SimpleComboBox(QWidget *parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_list(new QListView(this)), m_model(new QStringListModel(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit);
    layout->addWidget(m_list, 1);

    m_edit->setObjectName(QStringLiteral("ComboObjet_edit"));
    m_list->setObjectName(QStringLiteral("ComboObjet_list"));
    m_list->setModel(m_model);
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
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_programChange && current.isValid())
                    onUserSelection(current.row());
            });
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

QStringList SimpleComboBox::items() const
{
    return m_model->stringList();
}

void SimpleComboBox::setItems(const QStringList &items)
{
    m_programChange = true;
    m_model->setStringList(items);
    m_list->selectionModel()->clear();
    m_programChange = false;
}

int SimpleComboBox::currentIndex() const
{
    const QModelIndexList selected = m_list->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.constFirst().row();
}

void SimpleComboBox::setCurrentIndex(int index)
{
    m_programChange = true;
    if (index >= 0 && index < m_model->rowCount()) {
        const QModelIndex item = m_model->index(index);
        m_list->selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
        m_list->scrollTo(item);
    } else {
        m_list->selectionModel()->clear();
    }
    m_programChange = false;
}

void SimpleComboBox::removeItem(int index)
{
    m_programChange = true;
    m_model->removeRows(index, 1);
    m_programChange = false;
}

void SimpleComboBox::appendItem(const QString &text)
{
    const int row = m_model->rowCount();
    m_model->insertRows(row, 1);
    m_model->setData(m_model->index(row), text);
}

qsizetype SimpleComboBox::lineCount() const
{
    return m_model->rowCount();
}

QString SimpleComboBox::lineAt(qsizetype index) const
{
    return m_model->index(int(index)).data().toString();
}

void SimpleComboBox::replaceLines(const QList<QStringView> &lines)
{
    QStringList items;
    items.reserve(lines.size());
    for (QStringView line : lines)
        items.append(line.toString());
    setItems(items);
}

void SimpleComboBox::onUserSelection(int row)
{
    m_edit->setText(m_model->index(row).data().toString());
    emit picked(row);
}

void SimpleComboBox::moveSelection(int step)
{
    const int count = m_model->rowCount();
    if (count == 0)
        return;
    const int current = currentIndex();
    const int target = current < 0 ? 0 : qBound(0, current + step, count - 1);
    if (target == current)
        return;
    const QModelIndex item = m_model->index(target);
    m_list->selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect); // signals the pick
    m_list->scrollTo(item);
    m_edit->selectAll();
}

bool SimpleComboBox::complete(const QString &typed)
{
    const int selStart = m_edit->hasSelectedText() ? m_edit->selectionStart() : m_edit->cursorPosition();
    const int selEnd = m_edit->hasSelectedText() ? selStart + int(m_edit->selectedText().size()) : selStart;
    const QString current = m_edit->text();
    const QString wouldBe = current.left(selStart) + typed + current.mid(selEnd);

    const QStringList entries = items();
    for (int row = 0; row < entries.size(); ++row) {
        const QString &entry = entries.at(row);
        if (!entry.startsWith(wouldBe, Qt::CaseInsensitive))
            continue;
        m_edit->setText(wouldBe + entry.mid(wouldBe.size()));
        m_edit->setSelection(int(wouldBe.size()), int(entry.size() - wouldBe.size()));
        const bool changed = currentIndex() != row;
        setCurrentIndex(row);
        if (changed)
            emit picked(row);
        return true;
    }
    return false;
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
                setCurrentIndex(-1);
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
        QContextMenuEvent forwarded(menuEvent->reason(), mapFromGlobal(menuEvent->globalPos()),
                                    menuEvent->globalPos(), menuEvent->modifiers());
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

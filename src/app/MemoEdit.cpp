#include "MemoEdit.h"

#include "helpers/AppError.h"
#include "subjects/MemoText.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextDocument>

using namespace Qt::StringLiterals;

MemoEdit::MemoEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(false);
}

QString MemoEdit::text() const
{
    // toPlainText() would turn non-breaking spaces into spaces; the raw text keeps them and
    // marks paragraph and line separators, which are the field's line breaks.
    QString editorText = document()->toRawText();
    for (QChar &c : editorText) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    }
    return CrLfFromEditor(editorText);
}

void MemoEdit::setText(const QString &text)
{
    if (text.size() > MaxTextDocumentChars)
        throw AppError::TextTooLongForMemo();
    const QString plain = EditorFromCrLf(text);
    chooseWrapMode(plain, false);
    setPlainText(plain);
}

void MemoEdit::contextMenuEvent(QContextMenuEvent *event)
{
    // The standard menu, French with Qt's translation, under a first item that loads a file.
    const std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    QAction *first = menu->actions().value(0);
    auto *load = new QAction(u"Charger un fichier…"_s, menu.get());
    connect(load, &QAction::triggered, this, &MemoEdit::loadFileRequested, Qt::QueuedConnection);
    menu->insertAction(first, load);
    menu->insertSeparator(first);
    // Opened from the keyboard, the menu starts on its first item, so that Enter takes it.
    if (event->reason() == QContextMenuEvent::Keyboard)
        menu->setActiveAction(load);
    menu->exec(event->globalPos());
}

bool MemoEdit::canInsertFromMimeData(const QMimeData *source) const
{
    // Pasting text from the clipboard is fine; a list of files is not text to paste.
    return !source->hasUrls() && QPlainTextEdit::canInsertFromMimeData(source);
}

void MemoEdit::insertFromMimeData(const QMimeData *source)
{
    if (source->hasUrls())
        return;
    if (source->hasText())
        chooseWrapMode(source->text(), true);
    QPlainTextEdit::insertFromMimeData(source);
}

void MemoEdit::chooseWrapMode(QStringView text, bool keepAnywhere)
{
    qsizetype run = 0;
    bool longRun = false;
    for (QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > LongestWrappedWord) {
            longRun = true;
            break;
        }
    }
    if (longRun)
        setWordWrapMode(QTextOption::WrapAnywhere);
    else if (!keepAnywhere)
        setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

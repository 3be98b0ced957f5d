#include "MemoEdit.h"

#include "helpers/AppError.h"
#include "subjects/MemoText.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The character format property that holds the loaded character a stand-in shows.
constexpr int kLiteralProperty = QTextFormat::UserProperty + 1;

QTextCharFormat LiteralFormat(QChar literal)
{
    QTextCharFormat format;
    format.setProperty(kLiteralProperty, int(literal.unicode()));
    format.setForeground(QColor(0x70, 0x70, 0x70));
    format.setBackground(QColor(0xE4, 0xE4, 0xE4));
    format.setToolTip(u"U+"_s + QString::number(int(literal.unicode()), 16).toUpper());
    return format;
}

} // namespace

QChar LiteralStandIn(QChar c)
{
    switch (c.unicode()) {
    case 0x2028:
        return QChar(0x00AC); // NOT SIGN, as a line end mark: every font of the window has it
    case 0x2029:
        return QChar(0x00B6); // PILCROW SIGN
    case 0xFDD0:
        return QChar(0x25C7); // WHITE DIAMOND
    case 0xFDD1:
        return QChar(0x25C6); // BLACK DIAMOND
    default:
        return QChar();
    }
}

MemoEdit::MemoEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(false);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &MemoEdit::dropLiteralFormat);
}

QString MemoEdit::text() const
{
    // toPlainText() would turn non-breaking spaces into spaces; the raw text keeps them and
    // marks paragraph and line separators, which are the field's line breaks.
    if (!m_hasLiterals) {
        QString raw = document()->toRawText();
        for (QChar &c : raw) {
            if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
                c = u'\n';
        }
        return CrLfFromEditor(raw);
    }
    return CrLfFromEditor(editorText(0, document()->characterCount()));
}

QString MemoEdit::editorText(int from, int to) const
{
    // Only the editor's own marks are line breaks; a stand-in gives back the character loaded.
    QString text;
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (block.position() > from)
            text += u'\n';
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QVariant literal = fragment.charFormat().property(kLiteralProperty);
            const QChar original = literal.isValid() ? QChar(char16_t(literal.toInt())) : QChar();
            const QChar standIn = LiteralStandIn(original);
            const QString chars = fragment.text();
            for (int i = 0; i < chars.size(); ++i) {
                const int at = fragment.position() + i;
                if (at < from || at >= to)
                    continue;
                const QChar c = chars[i];
                if (literal.isValid() && c == standIn)
                    text += original;
                else
                    text += c == QChar::LineSeparator ? QChar(u'\n') : c;
            }
        }
    }
    return text;
}

QMimeData *MemoEdit::createMimeDataFromSelection() const
{
    if (!m_hasLiterals)
        return QPlainTextEdit::createMimeDataFromSelection();
    auto *mime = new QMimeData;
    const QTextCursor cursor = textCursor();
    mime->setText(editorText(cursor.selectionStart(), cursor.selectionEnd()));
    return mime;
}

void MemoEdit::setText(const QString &text)
{
    if (text.size() > MaxTextDocumentChars)
        throw AppError::TextTooLongForMemo();
    const QString plain = EditorFromCrLf(text);
    chooseWrapMode(plain, false);
    m_hasLiterals = std::any_of(plain.begin(), plain.end(), [](QChar c) { return !LiteralStandIn(c).isNull(); });
    if (!m_hasLiterals) {
        setPlainText(plain);
        return;
    }
    showLiterals(plain);
}

void MemoEdit::showLiterals(const QString &plain)
{
    QString shown = plain;
    for (QChar &c : shown) {
        if (const QChar standIn = LiteralStandIn(c); !standIn.isNull())
            c = standIn;
    }
    setPlainText(shown);
    // Each position of the plain text is one position of the document (a line break is one
    // block boundary), so the stand-ins are found at the same indexes.
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (qsizetype i = 0; i < plain.size(); ++i) {
        if (LiteralStandIn(plain[i]).isNull())
            continue;
        cursor.setPosition(int(i));
        cursor.setPosition(int(i + 1), QTextCursor::KeepAnchor);
        cursor.setCharFormat(LiteralFormat(plain[i]));
    }
    cursor.endEditBlock();
    document()->clearUndoRedoStacks();
    document()->setModified(false);
    moveCursor(QTextCursor::Start);
    dropLiteralFormat();
}

void MemoEdit::dropLiteralFormat()
{
    // With a selection, setting the format would strip the stand-ins it holds.
    if (!textCursor().hasSelection() && currentCharFormat().hasProperty(kLiteralProperty))
        setCurrentCharFormat(QTextCharFormat());
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

#pragma once

#include "files/TextHolders.h"

#include <QPlainTextEdit>

// A multi-line text field holding one document: vertical scroll bar always shown, lines
// wrapped at the field's width. As a text holder its text has CR LF line breaks and keeps
// every character as typed or loaded (non-breaking spaces included).
// It holds at most MaxTextDocumentChars characters (CR LF counted); a longer text is refused.
// Dropped data is never pasted: files reach it only through its drop zone.
// The text editor keeps its own marks in the text: U+2029 between paragraphs, U+2028 for a
// line break typed with Shift+Enter, U+FDD0 and U+FDD1 around frames. The same characters
// loaded from a document are no line breaks and no frames: each is held as a visible stand-in
// (see LiteralStandIn) carrying the character it stands for, and given back as that character.
// Lines wrap at word boundaries, and anywhere in a word wider than the field; a text holding
// a run of more than LongestWrappedWord characters without a space wraps anywhere instead,
// since wrapping at words takes time that grows with the square of such a run (a word of a
// million characters took two minutes).
class MemoEdit : public QPlainTextEdit, public TextHolder
{
    Q_OBJECT
public:
    explicit MemoEdit(QWidget *parent = nullptr);

    // TextHolder
    QString text() const override;
    void setText(const QString &text) override;
    RememberedEncoding rememberedEncoding() const override { return m_encoding; }
    void setRememberedEncoding(RememberedEncoding encoding) override { m_encoding = encoding; }

    static constexpr qsizetype LongestWrappedWord = 20'000;

signals:
    // "Charger un fichier…", the first item of the field's context menu, was chosen.
    void loadFileRequested();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    // A copy carries the loaded characters, not their stand-ins.
    QMimeData *createMimeDataFromSelection() const override;

private:
    // The editor's text from position from to position to, each stand-in given back as the
    // character loaded; typed and pasted line and paragraph separators as LF.
    QString editorText(int from, int to) const;
    void showLiterals(const QString &plain);
    // Typing next to a stand-in must not give the new text the stand-in's format.
    void dropLiteralFormat();
    // Wraps anywhere when text holds a run longer than LongestWrappedWord; at words otherwise,
    // unless keepAnywhere and the field already wraps anywhere.
    void chooseWrapMode(QStringView text, bool keepAnywhere);

    RememberedEncoding m_encoding;
    bool m_hasLiterals = false; // the loaded text held one of the editor's marks
};

// The character shown in the field for a loaded U+2028, U+2029, U+FDD0 or U+FDD1 ("¬", "¶",
// "◇", "◆"); a null character for any other.
QChar LiteralStandIn(QChar c);

#pragma once

#include "files/TextHolders.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

// The bytes of a text file turned into text and back, without any file access.

struct DecodedText
{
    QString text; // ends before the first U+0000
    RememberedEncoding encoding; // what a save must write back
};

// Detects the mark (EF BB BF, then FF FE, then FE FF) and decodes the rest. Without a mark the
// bytes are UTF-8 when they are valid UTF-8, Windows-1252 otherwise. Invalid UTF-8 after the
// UTF-8 mark gives U+FFFD; an odd last byte after a UTF-16 mark is ignored.
DecodedText DecodeTextBytes(QByteArrayView bytes);

struct EncodedText
{
    QByteArray bytes; // the mark, then the text
    RememberedEncoding encoding; // the encoding actually written
};

// Encodes text with the mark of encoding. A text that would not load back as itself without
// a mark (a Windows-1252 text holding a character that Windows-1252 cannot represent, or whose
// bytes open like a mark or read as UTF-8; a UTF-8 text opening with U+FEFF) is written as
// UTF-8 with its mark instead, so that nothing is lost; the returned encoding says so.
EncodedText EncodeText(QStringView text, RememberedEncoding encoding);

bool IsValidUtf8(QByteArrayView bytes);
QString DecodeWindows1252(QByteArrayView bytes);
// UTF-16 code units from bytes and back, every unit kept (a zero one too); an odd last byte
// is ignored.
QString DecodeUtf16Units(QByteArrayView bytes, bool bigEndian);
QByteArray EncodeUtf16Units(QStringView text, bool bigEndian);
// False when a character has no Windows-1252 byte; out is then incomplete.
bool EncodeWindows1252(QStringView text, QByteArray &out);

// Lines of text: each runs up to the next CR, LF or the end; after it one CR then one LF are
// skipped. A final break adds no empty line. The views point into text. lineCount, when
// known (CountLines), saves a second pass.
QList<QStringView> SplitLines(QStringView text, qsizetype lineCount = -1);
// The number of lines SplitLines gives, without building them.
qsizetype CountLines(QStringView text);
// Every CR LF, lone CR and lone LF becomes CR LF (LF CR gives two).
QString NormalizeLineBreaks(const QString &text);

// ---- A file's text straight from its bytes, one byte per character

// A file's bytes with their mark and code page found as DecodeTextBytes finds them, not yet
// decoded: a line list kept one byte per character takes its lines from here without a
// UTF-16 copy of the whole text (LineListHolder::replaceLinesFromFileText).
struct FileText
{
    enum class Form {
        Windows1252, // each byte one character, as DecodeWindows1252 reads it
        Utf8, // valid UTF-8
        Utf16Le,
        Utf16Be,
        Other, // not valid UTF-8 after the UTF-8 mark: only DecodeTextBytes reads it
    };
    QByteArray bytes; // the whole file
    qsizetype begin = 0; // the text starts after the mark
    qsizetype end = 0; // and ends before its first U+0000 (UTF-16: whole units only)
    Form form = Form::Other;
    RememberedEncoding encoding; // what DecodeTextBytes reports for these bytes
    qsizetype lines = -1; // the number of lines, when already counted
};

FileText PrepareFileText(QByteArray bytes);

// The number of UTF-16 units DecodeTextBytes gives for the text, counted without decoding it;
// -1 for Form::Other.
qsizetype DecodedUnitCount(const FileText &text);

// Receives the lines of a FileText from NarrowFileTextLines, in order.
class NarrowLineSink
{
public:
    virtual ~NarrowLineSink() = default;
    // Once, before the first line: how many lines follow.
    virtual void expectLines(qsizetype count) = 0;
    // One line of length UTF-16 units, whose one-byte form starts at offset in text.bytes.
    // wide is null when every unit has a Windows-1252 byte: those bytes are the line. Else
    // wide holds the line's exact units (valid during the call) and the length bytes at
    // offset are the sink's to fill.
    virtual void line(qsizetype offset, qsizetype length, const char16_t *wide) = 0;
};

// Splits the text into lines exactly as SplitLines splits the decoded text, and writes them
// over text.bytes from its start: each line one byte per UTF-16 unit (its Windows-1252 byte),
// then separator. Returns the number of bytes written. More lines than MaxLineListLines throw
// AppError "Impossible d'insérer une ligne" before any line is given. text.form is not Other.
qsizetype NarrowFileTextLines(FileText &text, char separator, NarrowLineSink &sink);

// The Windows-1252 byte of a UTF-16 unit (the five undefined bytes stand for the units of the
// same value), or -1 when it has none.
int Windows1252Byte(char16_t unit);

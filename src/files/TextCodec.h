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

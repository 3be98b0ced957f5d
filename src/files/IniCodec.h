#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The configuration file's bytes turned into text and back, without any file access.
//
// Unlike the text files, a configuration file keeps every byte: a zero byte is an ordinary
// character of its line, an odd last byte of a UTF-16 file is carried along, and the form
// found (mark, code page, byte order) is the form written back, so that a write changes only
// the bytes of the value it replaces.
struct IniText
{
    enum class Form {
        Utf8, // no mark, valid UTF-8 (also a new file)
        Windows1252, // no mark, not valid UTF-8: one character per byte
        Utf8Mark, // EF BB BF, then valid UTF-8
        Windows1252AfterUtf8Mark, // EF BB BF, then bytes that are not valid UTF-8
        Utf16LeMark, // FF FE
        Utf16BeMark, // FE FF
        Utf16Le, // no mark: every second byte of the first line is zero, the high ones
        Utf16Be, // no mark: the low ones
    };
    QString text;
    Form form = Form::Utf8;
    QByteArray oddByte; // the last byte of a UTF-16 file of odd length
};

IniText DecodeIniBytes(QByteArrayView bytes);

// The text in ini's form. When that form cannot hold the text, or its bytes would read back
// as something else (a Windows-1252 file that became valid UTF-8, a UTF-16 file without a
// mark whose first line no longer shows its zero bytes), the text is written in the nearest
// form that reads back as written: UTF-8 with a mark, or UTF-16 with its mark.
QByteArray EncodeIniText(const IniText &ini);

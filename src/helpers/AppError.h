#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The one error type of the program: it carries the French message shown to the user.
// Commands throw it; only the guarded call (RunGuarded) catches it and reports it.
// Each message the user can meet is made by one named constructor below, and only there.
class AppError : public std::exception
{
public:
    explicit AppError(QString message);
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    // A file could not be read: its full path and the system's reason.
    static AppError CannotOpenFile(const QString &fullPath, const QString &reason);
    // A file could not be created or replaced: its full path and the system's reason.
    static AppError CannotCreateFile(const QString &fullPath, const QString &reason);
    // The bytes of a file could not all be written (a full disk).
    static AppError WriteFailed();
    // A list cannot take one more line.
    static AppError CannotInsertLine();
    // A text field cannot take the whole text.
    static AppError TextTooLongForMemo();
    // The configuration file at that path could not be written.
    static AppError CannotWriteConfiguration(const QString &iniPath);
    // A value (or a section or key) holding a CR or LF, which would cut its line in two.
    static AppError ConfigurationValueHoldsLineBreak(const QString &iniPath);
    // A stored value that the integer rule refuses, as stored.
    static AppError NotAnInteger(const QString &text);
    // A send that no mail program opened. reason: what the system said, if anything (already
    // without the link); it goes on a line of its own.
    static AppError NoMailProgram(const QString &reason);

private:
    QString m_message;
    QByteArray m_utf8;
};

// Ends the current operation without a word (the "abort" kind).
class SilentAbort : public std::exception
{
public:
    const char *what() const noexcept override { return "silent abort"; }
};

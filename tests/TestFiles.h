#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Whole-file helpers for tests that compare files byte for byte.

// Replaces the file's content with bytes; false when the file cannot be written whole.
[[nodiscard]] inline bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size() && f.flush();
}

// The file's bytes; "<unreadable>" when it cannot be read, so that a comparison fails readably.
inline QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

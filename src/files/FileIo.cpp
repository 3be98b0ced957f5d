#include "files/FileIo.h"

#include "helpers/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

QString SystemErrorText(int error)
{
    QString text = QString::fromLocal8Bit(std::strerror(error));
    qsizetype end = text.size();
    while (end > 0
           && (text[end - 1] == u' ' || text[end - 1] == u'.' || text[end - 1].unicode() < 0x20
               || text[end - 1].category() == QChar::Other_Control))
        --end;
    text.truncate(end);
    return text;
}

QString FullPathForMessage(const QString &path)
{
    if (path.isEmpty())
        return QString();
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

static bool IsMalformed(const QString &path)
{
    return path.isEmpty() || path.contains(QChar(0));
}

FileReadResult ReadWholeFile(const QString &path)
{
    FileReadResult result;
    if (IsMalformed(path)) {
        result.error = ENOENT;
        return result;
    }
    // O_NONBLOCK: opening a FIFO without a writer must not wait.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.error = errno;
        return result;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        result.error = errno;
    } else if (S_ISDIR(st.st_mode)) {
        result.error = EISDIR;
    } else if (!S_ISREG(st.st_mode)) {
        result.error = ENXIO; // FIFO, device, socket: no file content to load
    } else {
        QByteArray bytes(qsizetype(st.st_size), Qt::Uninitialized);
        qsizetype used = 0;
        for (;;) {
            if (used == bytes.size())
                bytes.resize(bytes.size() + 65536); // the file grew since fstat
            const ssize_t got = ::read(fd, bytes.data() + used, size_t(bytes.size() - used));
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                result.error = errno;
                break;
            }
            if (got == 0)
                break;
            used += got;
        }
        if (result.error == 0) {
            bytes.truncate(used);
            result.bytes = std::move(bytes);
        }
    }
    ::close(fd);
    return result;
}

// Follows a chain of symbolic links to the path that is really written.
static bool ResolveLinks(QString &path, int &error)
{
    for (int depth = 0; depth < 40; ++depth) {
        const QFileInfo info(path);
        if (!info.isSymLink())
            return true;
        path = info.symLinkTarget(); // absolute, even for a relative link
    }
    error = ELOOP;
    return false;
}

FileWriteResult WriteFileAtomically(const QString &path, const QByteArray &bytes)
{
    FileWriteResult result;
    auto fail = [&](FileWriteResult::Failure failure, int error) {
        result.failure = failure;
        result.error = error;
        return result;
    };
    if (IsMalformed(path))
        return fail(FileWriteResult::Create, ENOENT);

    QString target = QFileInfo(path).absoluteFilePath();
    int error = 0;
    if (!ResolveLinks(target, error))
        return fail(FileWriteResult::Create, error);

    const QByteArray targetName = QFile::encodeName(target);
    struct stat st;
    if (::stat(targetName.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return fail(FileWriteResult::Create, EISDIR);
        if (!S_ISREG(st.st_mode))
            return fail(FileWriteResult::Create, ENXIO);
        // A file without any write permission is read-only, even for the administrator.
        if ((st.st_mode & 0222) == 0)
            return fail(FileWriteResult::Create, EACCES);
        if (::access(targetName.constData(), W_OK) != 0)
            return fail(FileWriteResult::Create, errno);
    } else if (errno != ENOENT) {
        return fail(FileWriteResult::Create, errno);
    }
    const QByteArray dirName = QFile::encodeName(QFileInfo(target).absolutePath());
    struct stat dirSt;
    if (::stat(dirName.constData(), &dirSt) != 0)
        return fail(FileWriteResult::Create, errno);
    if (!S_ISDIR(dirSt.st_mode))
        return fail(FileWriteResult::Create, ENOTDIR);
    if (::access(dirName.constData(), W_OK) != 0)
        return fail(FileWriteResult::Create, errno);

    QSaveFile file(target);
    errno = 0;
    // Unbuffered: a write that fails in a buffer flushed at commit (a full disk under a small
    // file) is not seen by commit, which would then put a short file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(FileWriteResult::Create, errno ? errno : EIO);
    const bool written = file.write(bytes) == bytes.size() && file.flush() && file.error() == QFileDevice::NoError;
    errno = 0;
    if (!written || !file.commit()) {
        const int writeError = errno ? errno : EIO;
        file.cancelWriting();
        return fail(FileWriteResult::Write, writeError);
    }
    return result;
}

AppError CannotOpenError(const QString &path, int error)
{
    return AppError::CannotOpenFile(FullPathForMessage(path), SystemErrorText(error));
}

QByteArray ReadWholeFileOrThrow(const QString &path)
{
    FileReadResult read = ReadWholeFile(path);
    if (read.error != 0)
        throw CannotOpenError(path, read.error);
    return std::move(read.bytes);
}

void WriteFileAtomicallyOrThrow(const QString &path, const QByteArray &bytes)
{
    const FileWriteResult written = WriteFileAtomically(path, bytes);
    if (written.failure == FileWriteResult::Create)
        throw AppError::CannotCreateFile(FullPathForMessage(path), SystemErrorText(written.error));
    if (written.failure == FileWriteResult::Write)
        throw AppError::WriteFailed();
}

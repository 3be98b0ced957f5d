#include "dispatch/MailLauncher.h"

#include "dispatch/MailLink.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

using namespace Qt::StringLiterals;

namespace {

constexpr char LauncherProgram[] = "xdg-open";
// How often a launcher is looked at: often while it may still report a failure, then only
// to reap it once it ends.
constexpr std::chrono::milliseconds WatchWhileBound{50};
constexpr std::chrono::milliseconds WatchAfterBound{1000};
constexpr qsizetype MaxReasonLength = 200;

QString LauncherSays(const char *what)
{
    return QString::fromLatin1(LauncherProgram) + u" : "_s + QString::fromLocal8Bit(what);
}

// An unnamed file for the launcher's error output: readable here, and never a pipe.
int OpenUnnamedFile()
{
    QByteArray path = QFile::encodeName(QDir::tempPath()) + "/ferravel-launch-XXXXXX";
    const int fd = mkostemp(path.data(), O_CLOEXEC);
    if (fd >= 0)
        unlink(path.constData());
    return fd;
}

QByteArray ReadFromStart(int fd, qsizetype limit)
{
    QByteArray data(limit, Qt::Uninitialized);
    qsizetype total = 0;
    while (total < limit) {
        const ssize_t got = pread(fd, data.data() + total, size_t(limit - total), off_t(total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        total += got;
    }
    data.truncate(total);
    return data;
}

// Starts the launcher in a new session with no input, its output to nowhere and its error
// output to errorFile (nowhere when -1), with default signal handling. Returns 0 or an errno.
int SpawnLauncher(const QByteArray &argument, int errorFile, pid_t &pid)
{
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    if (errorFile >= 0)
        posix_spawn_file_actions_adddup2(&files, errorFile, STDERR_FILENO);
    else
        posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    // Signals this program may ignore would stay ignored in the mail program.
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int number : {SIGPIPE, SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGCHLD})
        sigaddset(&defaults, number);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    QByteArray program(LauncherProgram);
    QByteArray link = argument;
    char *arguments[] = {program.data(), link.data(), nullptr};
    const int error = posix_spawnp(&pid, LauncherProgram, &files, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
    return error;
}

} // namespace

struct MailLauncher::Launch
{
    pid_t pid = -1;
    int errorFile = -1; // its error output, -1 when there is none to read
    bool mayStillFail = true; // within its bound
    QByteArray argument;
    QDeadlineTimer bound;

    ~Launch() { forgetOutput(); }
    void forgetOutput()
    {
        if (errorFile >= 0)
            close(errorFile);
        errorFile = -1;
    }
    QByteArray output() const
    {
        return errorFile >= 0 ? ReadFromStart(errorFile, argument.size() + 64 * 1024) : QByteArray();
    }
};

MailLauncher::MailLauncher(std::chrono::milliseconds failureBound) : m_failureBound(failureBound)
{
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { watch(); });
}

// Launchers still running are not waited for: they carry on, and the system reaps them.
MailLauncher::~MailLauncher() = default;

void MailLauncher::openMailLink(const QByteArray &link)
{
    auto launch = std::make_unique<Launch>();
    launch->argument = MailLinkArgument(link);
    launch->errorFile = OpenUnnamedFile();
    const int error = SpawnLauncher(launch->argument, launch->errorFile, launch->pid);
    if (error != 0)
        throw AppError::NoMailProgram(LauncherSays(strerror(error)));
    launch->bound = QDeadlineTimer(m_failureBound);
    m_launches.push_back(std::move(launch));
    m_timer.start(WatchWhileBound);
}

void MailLauncher::watch()
{
    std::vector<AppError> failures;
    for (auto it = m_launches.begin(); it != m_launches.end();) {
        Launch &launch = **it;
        int status = 0;
        const pid_t ended = waitpid(launch.pid, &status, WNOHANG);
        if (ended == 0 || (ended < 0 && errno == EINTR)) {
            if (launch.mayStillFail && launch.bound.hasExpired()) {
                launch.mayStillFail = false; // a success, whatever it does next
                launch.forgetOutput();
            }
            ++it;
            continue;
        }
        // Ended (or, with ECHILD, reaped by someone else: nothing more to learn).
        const bool succeeded = ended < 0 || (WIFEXITED(status) && WEXITSTATUS(status) == 0);
        if (launch.mayStillFail && !succeeded) {
            QString reason = LaunchFailureReason(launch.output(), launch.argument);
            if (reason.isEmpty() && WIFSIGNALED(status))
                reason = LauncherSays(strsignal(WTERMSIG(status)));
            failures.push_back(AppError::NoMailProgram(reason));
        }
        it = m_launches.erase(it);
    }

    bool anyWithinBound = false;
    for (const auto &launch : m_launches)
        anyWithinBound = anyWithinBound || launch->mayStillFail;
    if (m_launches.empty())
        m_timer.stop();
    else
        m_timer.setInterval(anyWithinBound ? WatchWhileBound : WatchAfterBound);

    // Last: telling the user opens a box whose event loop may come back here.
    for (const AppError &failure : failures)
        reportFailure(failure);
}

QString LaunchFailureReason(const QByteArray &output, const QByteArray &link)
{
    QByteArray text = output;
    if (!link.isEmpty()) {
        for (qsizetype at = text.indexOf(link); at >= 0; at = text.indexOf(link, at)) {
            qsizetype from = at;
            qsizetype to = at + link.size();
            // The quotes around it go too, rather than stand empty.
            if (from > 0 && to < text.size() && (text[from - 1] == '\'' || text[from - 1] == '"')
                && text[to] == text[from - 1]) {
                --from;
                ++to;
            }
            text.remove(from, to - from);
            at = from;
        }
    }
    for (const QByteArray &line : text.split('\n')) {
        QString reason = QString::fromLocal8Bit(line).simplified();
        if (reason.isEmpty())
            continue;
        if (reason.size() > MaxReasonLength) {
            qsizetype cut = MaxReasonLength;
            if (reason.at(cut - 1).isHighSurrogate())
                --cut;
            reason.truncate(cut);
            reason = reason.trimmed();
        }
        return reason;
    }
    return {};
}

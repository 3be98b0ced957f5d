#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <fcntl.h>
#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <unistd.h>

// Tests that make their faults with small tmpfs mounts (a full disk, a read-only folder) make
// them in a mount namespace of their own, so that no mount is seen outside the test nor
// outlives it, even after a crash. Call before any thread starts (first thing in main()).
namespace PrivateMounts {

namespace detail {

inline bool WriteProcFile(const char *path, const QByteArray &text)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, text.constData(), size_t(text.size())) == text.size();
    ::close(fd);
    return written;
}

inline bool MakeMountsPrivate()
{
    return ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// In a user namespace of its own the test is its own administrator: it keeps the right to
// mount but gives up reading and writing past permissions, so that the permission cases
// still meet a refusal.
inline bool DropFilePermissionOverrides()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (::syscall(SYS_capget, &header, data) != 0)
        return false;
    for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) {
        data[cap / 32].effective &= ~(1u << (cap % 32));
        data[cap / 32].permitted &= ~(1u << (cap % 32));
    }
    return ::syscall(SYS_capset, &header, data) == 0;
}

} // namespace detail

// True when mounts are now allowed and private to this process: as the administrator, a
// mount namespace; otherwise a user namespace holding one, where the kernel allows it.
inline bool Enter()
{
    if (::geteuid() == 0)
        return ::unshare(CLONE_NEWNS) == 0 && detail::MakeMountsPrivate();
    const QByteArray uid = QByteArray::number(::geteuid());
    const QByteArray gid = QByteArray::number(::getegid());
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    // The same user and group inside as outside: files keep their owners. Half set up, the
    // namespace would show every file as nobody's: the test must not go on there.
    if (!detail::WriteProcFile("/proc/self/setgroups", "deny")
        || !detail::WriteProcFile("/proc/self/uid_map", uid + ' ' + uid + " 1")
        || !detail::WriteProcFile("/proc/self/gid_map", gid + ' ' + gid + " 1") || !detail::MakeMountsPrivate()
        || !detail::DropFilePermissionOverrides())
        qFatal("the user namespace of the test could not be set up");
    return true;
}

} // namespace PrivateMounts

#include "TFileBatch.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

bool TFileBatch::SyncToDisk = true;

namespace {

TFileBatch::FaultHook Hook;

bool Injected(TFileBatch::Step step, const std::string& fileName) {
    return Hook && Hook(step, fileName);
}

std::string SystemReason(int error) {
    return std::strerror(error);
}

std::string FolderOf(const std::string& fileName) {
    const std::size_t slash = fileName.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : fileName.substr(0, slash);
}

// The permissions a new file gets from the process's file-creation mask, as a plain create
// would give it; a file that is replaced keeps its own.
mode_t ModeFor(const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteFully(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(std::size_t(n));
    }
    return true;
}

// A temporary is named after its target and the process that writes it:
// ".<name>.saving-<process id>.XXXXXX", the X replaced by mkstemp with letters and digits.
std::string TemporaryPrefix(std::string_view name) {
    return "." + std::string(name) + ".saving-";
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetterOrDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whether rest, what follows the prefix in a folder entry's name, is "<process id>.XXXXXX"
// (or an old file's second name, "<process id>.XXXXXX.old") with the id of a process that no
// longer runs. Only such a temporary is surely abandoned: a running process (this one too,
// which may have another batch for the same file) may still rename its temporary, and a
// process this one may not signal counts as running.
bool OwnerIsGone(std::string_view rest) {
    if (rest.ends_with(".old"))
        rest.remove_suffix(4);
    const std::size_t dot = rest.find('.');
    if (dot == 0 || dot == std::string_view::npos || dot > 9 || rest.size() - dot - 1 != 6)
        return false;
    pid_t pid = 0;
    for (char c : rest.substr(0, dot)) {
        if (!IsDigit(c))
            return false;
        pid = pid * 10 + (c - '0');
    }
    for (char c : rest.substr(dot + 1))
        if (!IsLetterOrDigit(c))
            return false;
    if (pid <= 0 || pid == ::getpid())
        return false;
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// A save that was cut off (the program killed, or ended some other way before committing)
// leaves its temporaries behind. Each later save of the same file removes those whose process
// has ended, so that they do not pile up beside the turn files.
void RemoveStaleTemporaries(const std::string& folder, std::string_view name) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const std::string prefix = TemporaryPrefix(name);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view entryName = entry->d_name;
        if (entryName.starts_with(prefix) && OwnerIsGone(entryName.substr(prefix.size())))
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

void TFileBatch::SetFaultHook(FaultHook hook) {
    Hook = std::move(hook);
}

TFileBatch::~TFileBatch() {
    RemoveBackups();
    RemoveTemporaries();
}

bool TFileBatch::Fail(const std::string& fileName, std::string reason) {
    Failed = true;
    FailedName = fileName;
    Why = std::move(reason);
    return false;
}

void TFileBatch::RemoveTemporaries() {
    for (const Pending& p : Files)
        if (!p.Temporary.empty())
            ::unlink(p.Temporary.c_str());
    Files.clear();
}

bool TFileBatch::Prepare(const std::string& fileName, std::string_view bytes) {
    if (Failed || Committed)
        return false;
    if (fileName.empty())
        return Fail(fileName, "the file has no name");
    struct stat st {};
    if (::stat(fileName.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return Fail(fileName, "a folder of that name is in the way");

    // The temporary sits beside its target, so the rename never crosses a file system.
    const std::string folder = FolderOf(fileName);
    const std::size_t slash = fileName.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string name = fileName.substr(nameStart);
    RemoveStaleTemporaries(folder, name);
    std::string temporary = fileName.substr(0, nameStart) + TemporaryPrefix(name) +
                            std::to_string(::getpid()) + ".XXXXXX";
    if (Injected(Step::Create, fileName))
        return Fail(fileName, "a new file cannot be created in " + folder);
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return Fail(fileName,
                    "a new file cannot be created in " + folder + " (" + SystemReason(errno) + ")");
    Files.push_back({fileName, temporary, {}, false});
    ::fchmod(fd, ModeFor(fileName));

    bool ok = true;
    std::string reason;
    if (Injected(Step::Write, fileName)) {
        ok = false;
        reason = "writing the file failed";
    } else if (!WriteFully(fd, bytes)) {
        ok = false;
        reason = "writing the file failed (" + SystemReason(errno) + ")";
    } else if (Injected(Step::Flush, fileName)) {
        ok = false;
        reason = "the file could not be flushed to the disk";
    } else if (SyncToDisk && ::fsync(fd) != 0) {
        ok = false;
        reason = "the file could not be flushed to the disk (" + SystemReason(errno) + ")";
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = "closing the file failed (" + SystemReason(errno) + ")";
    }
    if (!ok)
        return Fail(fileName, reason);
    return true;
}

bool TFileBatch::Commit() {
    if (Failed || Committed || Files.empty())
        return false;
    Committed = true;
    // Each old file is kept under a second name until every new file is in place, so that a
    // replacement that fails part way can put back the files already replaced. Where the file
    // system has no second names (no hard links), that file is replaced without a way back.
    for (Pending& p : Files) {
        struct stat st {};
        if (::lstat(p.Target.c_str(), &st) != 0)
            continue; // nothing to keep: a failure removes the new file instead
        p.HadOld = true;
        const std::string backup = p.Temporary + ".old";
        if (::link(p.Target.c_str(), backup.c_str()) == 0)
            p.Backup = backup;
    }
    std::size_t done = 0;
    for (; done < Files.size(); ++done) {
        Pending& p = Files[done];
        if (Injected(Step::Replace, p.Target)) {
            Fail(p.Target, "the old file could not be replaced");
            break;
        }
        if (::rename(p.Temporary.c_str(), p.Target.c_str()) != 0) {
            Fail(p.Target, "the old file could not be replaced (" + SystemReason(errno) + ")");
            break;
        }
        p.Temporary.clear();
    }
    if (done < Files.size()) {
        // Put back what was replaced, newest first; what cannot be put back stays counted.
        ReplacedCount = done;
        for (std::size_t i = done; i-- > 0;) {
            Pending& p = Files[i];
            const bool restored =
                p.HadOld ? !p.Backup.empty() && ::rename(p.Backup.c_str(), p.Target.c_str()) == 0
                         : ::unlink(p.Target.c_str()) == 0;
            if (restored) {
                p.Backup.clear();
                --ReplacedCount;
            }
        }
        RemoveBackups();
        return false;
    }
    ReplacedCount = Files.size();
    RemoveBackups();
    if (SyncToDisk)
        for (const Pending& p : Files)
            SyncFolder(FolderOf(p.Target));
    return true;
}

void TFileBatch::RemoveBackups() {
    for (Pending& p : Files)
        if (!p.Backup.empty()) {
            ::unlink(p.Backup.c_str());
            p.Backup.clear();
        }
}

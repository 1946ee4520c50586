#include "TFileBatch.h"

#include "TReadFile.h"

#include <algorithm>
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

bool Exists(const std::string& name) {
    struct stat st {};
    return !name.empty() && ::lstat(name.c_str(), &st) == 0;
}

// Whether two names stand for one file: an old file and its second name, before the old file
// was replaced.
bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return ::lstat(a.c_str(), &sa) == 0 && ::lstat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// The journal is text: a header line, then four fields a file (target, temporary, the old
// file's second name, whether there was an old file), each written as its length, a colon,
// its bytes and a line end, so that any file name survives.
constexpr std::string_view JournalHeader = "kurvask save journal 1\n";

void PutField(std::string& out, std::string_view field) {
    out += std::to_string(field.size());
    out += ':';
    out += field;
    out += '\n';
}

bool TakeField(std::string_view& in, std::string& field) {
    const std::size_t colon = in.find(':');
    if (colon == 0 || colon == std::string_view::npos || colon > 9)
        return false;
    std::size_t length = 0;
    for (char c : in.substr(0, colon)) {
        if (!IsDigit(c))
            return false;
        length = length * 10 + std::size_t(c - '0');
    }
    in.remove_prefix(colon + 1);
    if (in.size() < length + 1 || in[length] != '\n')
        return false;
    field.assign(in.substr(0, length));
    in.remove_prefix(length + 1);
    return true;
}

struct JournalEntry {
    std::string Target, Temporary, Backup;
    bool HadOld = false;
};

bool ParseJournal(std::string_view in, std::vector<JournalEntry>& entries) {
    if (!in.starts_with(JournalHeader))
        return false;
    in.remove_prefix(JournalHeader.size());
    while (!in.empty()) {
        JournalEntry e;
        std::string hadOld;
        if (!TakeField(in, e.Target) || !TakeField(in, e.Temporary) || !TakeField(in, e.Backup) ||
            !TakeField(in, hadOld) || (hadOld != "0" && hadOld != "1") || e.Target.empty() ||
            e.Temporary.empty())
            return false;
        e.HadOld = hadOld == "1";
        entries.push_back(std::move(e));
    }
    return !entries.empty();
}

// Whether the new file of an entry took the target's place: its temporary is gone (renamed),
// unless the target is still the old file, its temporary lost some other way.
bool WasReplaced(const JournalEntry& e) {
    if (Exists(e.Temporary))
        return false;
    return !(e.HadOld && Exists(e.Backup) && SameFile(e.Target, e.Backup));
}

void RemoveJournal(const std::string& journal) {
    ::unlink(journal.c_str());
    if (TFileBatch::SyncToDisk)
        SyncFolder(FolderOf(journal));
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

bool TFileBatch::WriteJournal() {
    std::string text(JournalHeader);
    for (const Pending& p : Files) {
        PutField(text, p.Target);
        PutField(text, p.Temporary);
        PutField(text, p.Backup);
        PutField(text, p.HadOld ? "1" : "0");
    }
    // Written whole under another name and then renamed, so a journal is never found half
    // written: a batch cut off before the rename had not begun replacing.
    const std::string draft = Journal + ".new";
    const int fd = ::open(draft.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return Fail(Journal, "the save's journal cannot be created (" + SystemReason(errno) + ")");
    const bool written = WriteFully(fd, text) && (!SyncToDisk || ::fsync(fd) == 0);
    const int error = errno;
    if (::close(fd) != 0 || !written || ::rename(draft.c_str(), Journal.c_str()) != 0) {
        ::unlink(draft.c_str());
        return Fail(Journal, "the save's journal cannot be written (" + SystemReason(error) + ")");
    }
    if (SyncToDisk)
        SyncFolder(FolderOf(Journal));
    return true;
}

TFileBatch::Recovery TFileBatch::Recover(const std::string& journalName, std::string* why) {
    // A journal cut off while it was written: its batch had not begun replacing.
    ::unlink((journalName + ".new").c_str());
    if (!Exists(journalName))
        return Recovery::None;
    std::string text;
    TReadFile file(journalName);
    std::vector<JournalEntry> entries;
    if (!file.IsOpen() || !file.ReadAll(text, 1 << 20)) {
        if (why)
            *why = "its journal " + journalName + " cannot be read (" + file.Error() + ")";
        return Recovery::Failed;
    }
    if (!ParseJournal(text, entries)) {
        // Journals are never found half written: this one is not of a save, and says nothing.
        RemoveJournal(journalName);
        return Recovery::None;
    }

    // Complete the replacements that were not made, when every new file is still there.
    bool complete = std::all_of(entries.begin(), entries.end(), [](const JournalEntry& e) {
        return Exists(e.Temporary) || WasReplaced(e);
    });
    if (complete) {
        for (const JournalEntry& e : entries)
            if (Exists(e.Temporary) && ::rename(e.Temporary.c_str(), e.Target.c_str()) != 0) {
                complete = false;
                if (why)
                    *why = e.Target + " could not be replaced (" + SystemReason(errno) + ")";
                break;
            }
    }
    bool whole = complete;
    if (!complete) {
        // Else every file goes back to what it was: its old file, or none.
        whole = true;
        for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
            if (!WasReplaced(*e))
                continue;
            const bool restored =
                e->HadOld ? Exists(e->Backup) && ::rename(e->Backup.c_str(), e->Target.c_str()) == 0
                          : ::unlink(e->Target.c_str()) == 0 || errno == ENOENT;
            if (!restored) {
                whole = false;
                if (why)
                    *why = e->Target + " could not be put back as it was";
            }
        }
    }
    if (!whole)
        return Recovery::Failed;
    for (const JournalEntry& e : entries) {
        if (SyncToDisk)
            SyncFolder(FolderOf(e.Target));
        ::unlink(e.Temporary.c_str());
        if (!e.Backup.empty())
            ::unlink(e.Backup.c_str());
    }
    RemoveJournal(journalName);
    return complete ? Recovery::Completed : Recovery::RolledBack;
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
    if (!Journal.empty() && !WriteJournal()) {
        RemoveBackups();
        return false;
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
        if (!Journal.empty())
            RemoveJournal(Journal);
        return false;
    }
    ReplacedCount = Files.size();
    if (SyncToDisk)
        for (const Pending& p : Files)
            SyncFolder(FolderOf(p.Target));
    // The set is whole once every replacement is on the disk: only then may the journal and the
    // old files' second names go.
    if (!Journal.empty())
        RemoveJournal(Journal);
    RemoveBackups();
    return true;
}

void TFileBatch::RemoveBackups() {
    for (Pending& p : Files)
        if (!p.Backup.empty()) {
            ::unlink(p.Backup.c_str());
            p.Backup.clear();
        }
}

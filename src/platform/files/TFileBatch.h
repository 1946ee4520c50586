#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

/**
 * Writes a set of files all or nothing, as far as a file system allows. Each file is first
 * prepared completely: its bytes go to a new temporary file in the target's folder, which is
 * flushed (and, with SyncToDisk, forced to the disk). Only when every file of the set has been
 * prepared does Commit rename the temporaries over their targets, one after the other; a
 * rename within one folder replaces the old file at once, so a reader finds either the old
 * file or the new one, never a part of one. Temporaries that are not committed are removed
 * when the batch ends. File names are byte strings in the system's local encoding.
 *
 * A temporary is named ".<name>.saving-<process id>.XXXXXX" beside its file <name>: hidden, and
 * not ending like the file, so that no file dialog or reader takes it for one. A process that ends
 * before its batch does (killed, or the machine stopped) leaves its temporaries behind; preparing a
 * file removes those of that file whose process no longer runs, so they never pile up beside the
 * file.
 *
 * A batch given a journal keeps its files together as one set even when it is cut off between
 * two replacements: before the first replacement it writes the journal, which names every
 * temporary, target and old file's second name, and it removes the journal after the last.
 * Recover, run on the journal before the set is next read or written, completes the
 * replacements that were left (or, where that cannot be done, puts the old files back), so
 * that the set is whole, all old or all new.
 */
class TFileBatch {
public:
    /** The steps of writing one file, in order; a test can make any of them fail. */
    enum class Step { Create, Write, Flush, Replace };
    /** What Recover found and did. */
    enum class Recovery {
        None,       // no journal: the last batch of the set completed or never began replacing
        Completed,  // a batch cut off while replacing was completed: the set is all new
        RolledBack, // it could not be completed and was undone: the set is all old
        Failed,     // neither could be done; the journal stays for a later try
    };
    /** Asked before each step of each file; true makes that step fail. Tests only. */
    using FaultHook = std::function<bool(Step step, const std::string& fileName)>;

    TFileBatch() = default;
    /** A batch that keeps journalName while it replaces its files (see Recover). */
    explicit TFileBatch(std::string journalName) : Journal(std::move(journalName)) {}
    ~TFileBatch();
    TFileBatch(const TFileBatch&) = delete;
    TFileBatch& operator=(const TFileBatch&) = delete;

    /**
     * Prepares fileName to receive bytes. False when it cannot be prepared (or an earlier file
     * of the batch could not): FailedFile and Reason then say which file and why.
     */
    bool Prepare(const std::string& fileName, std::string_view bytes);
    /**
     * Replaces every prepared file, in the order prepared. False when nothing was prepared
     * successfully or a replacement failed. After a failed replacement the files already
     * replaced are put back as they were; Replaced tells how many could not be put back
     * (after success: how many were replaced).
     */
    bool Commit();

    const std::string& FailedFile() const { return FailedName; }
    const std::string& Reason() const { return Why; }
    std::size_t Replaced() const { return ReplacedCount; }

    /**
     * Finishes what a batch with this journal left when it was cut off between its replacements.
     * why (if given) says what failed when the result is Failed.
     */
    static Recovery Recover(const std::string& journalName, std::string* why = nullptr);

    static void SetFaultHook(FaultHook hook);
    /** Whether prepared files and their folders are forced to the disk; on by default. */
    static bool SyncToDisk;

private:
    struct Pending {
        std::string Target;
        std::string Temporary;
        std::string Backup; // a second name for the old file while the batch commits
        bool HadOld = false;
    };

    bool Fail(const std::string& fileName, std::string reason);
    bool WriteJournal();
    void RemoveTemporaries();
    void RemoveBackups();

    std::string Journal;
    std::vector<Pending> Files;
    bool Failed = false;
    bool Committed = false;
    std::size_t ReplacedCount = 0;
    std::string FailedName;
    std::string Why;
};

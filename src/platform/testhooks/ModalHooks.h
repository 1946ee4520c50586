#pragma once

#include "TResId.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class DialogDriver;

/**
 * Test hooks for everything modal: while a ModalHooks object lives, no message box or dialog
 * waits for a person. A test queues the answers of the next message boxes and a driver for
 * each next dialog, runs the code under test, then reads back what was shown.
 *
 * A message box takes the next queued answer (as if that button had been clicked) and is
 * recorded. A file dialog takes the next queued file answer (a path, as if the player had
 * chosen it, or a cancel) and is recorded. A dialog's Execute builds the dialog, runs SetupWindow,
 * shows it and makes it the active window, then runs the next queued driver, which works the open
 * dialog through a DialogDriver with real mouse and key events; the dialog must end through its own
 * handlers before the driver returns. Nothing waits: there are no timers and no event loops.
 *
 * Whatever goes wrong is recorded as a failure and never blocks: a message box with no queued
 * answer returns IDCANCEL, a dialog with no queued driver returns IDCANCEL without being shown,
 * a dialog still open when its driver returns is ended with IDCANCEL. Tests assert Clean()
 * at the end, which also requires every queued answer and driver to have been used.
 *
 * Hooks nest: a newer object takes over until it ends.
 */
class ModalHooks {
public:
    using Driver = std::function<void(DialogDriver&)>;

    struct MessageBoxRecord {
        /** Text and caption as shown, in UTF-8. */
        std::string Text;
        std::string Caption;
        unsigned Flags = 0;
        /** The ids of the buttons offered (IDOK, IDCANCEL, IDYES, IDNO), in order. */
        std::vector<int> Buttons;
        int Answer = 0;
        /** Shown with no answer queued. */
        bool Unexpected = false;
        /** The wait cursor was showing over the box. */
        bool WaitCursor = false;
    };

    struct FileDialogRecord {
        bool Save = false;
        /** The file name the dialog offered, and its filter and default extension. */
        std::string InitialName;
        std::string Filter;
        std::string DefaultExtension;
        /** The file chosen, or empty when the dialog was cancelled. */
        std::string Chosen;
        /** Shown with no answer queued. */
        bool Unexpected = false;
        /** The wait cursor was showing over the dialog. */
        bool WaitCursor = false;
    };

    struct DialogRecord {
        int TemplateId = 0;
        int Result = 0;
        /** Executed with no driver queued (or the next driver was for another dialog). */
        bool Unexpected = false;
    };

    ModalHooks();
    ~ModalHooks();
    ModalHooks(const ModalHooks&) = delete;
    ModalHooks& operator=(const ModalHooks&) = delete;

    /** Queues the answer of the next message box: IDOK, IDCANCEL, IDYES or IDNO. */
    void AnswerMessageBox(int answer);
    /** Queues the answer of the next file dialog: the player chooses path and presses OK. */
    void AnswerFileDialog(std::string path);
    /** Queues the answer of the next file dialog: the player cancels it. */
    void CancelFileDialog();
    /** Queues the driver of the next dialog, whichever it is. */
    void DriveDialog(Driver driver);
    /** Queues the driver of the next dialog, which must be built from template templateId. */
    void DriveDialog(TResId templateId, Driver driver);

    const std::vector<MessageBoxRecord>& MessageBoxes() const { return Boxes; }
    const std::vector<DialogRecord>& Dialogs() const { return DialogsRun; }
    const std::vector<FileDialogRecord>& FileDialogs() const { return FileDialogsRun; }
    const std::vector<std::string>& Failures() const { return FailureList; }
    std::size_t PendingAnswers() const { return Answers.size(); }
    std::size_t PendingDrivers() const { return Drivers.size(); }
    std::size_t PendingFileAnswers() const { return FileAnswers.size(); }
    /** No failures, and every queued answer and driver used. */
    bool Clean() const;
    /** The failures and what is left unused, one per line, for a test's failure message. */
    std::string Report() const;

    /** The hooks in force, or null when modal windows run for a person. */
    static ModalHooks* Active();

    // Called by the layer when a message box or dialog comes up under the hooks.
    std::optional<int> TakeAnswer();
    /** The next file answer: a path, or an empty optional inside for a cancel; none queued: empty.
     */
    std::optional<std::optional<std::string>> TakeFileAnswer();
    void RecordFileDialog(FileDialogRecord record) { FileDialogsRun.push_back(std::move(record)); }
    /** The next driver if it fits the dialog; otherwise records a failure, returns empty. */
    Driver TakeDriver(TResId templateId);
    void RecordMessageBox(MessageBoxRecord record) { Boxes.push_back(std::move(record)); }
    void RecordDialog(const DialogRecord& record) { DialogsRun.push_back(record); }
    void Fail(std::string what) { FailureList.push_back(std::move(what)); }

private:
    struct QueuedDriver {
        int TemplateId = 0; // 0: any dialog
        Driver Run;
    };

    ModalHooks* Previous;
    std::deque<int> Answers;
    std::deque<QueuedDriver> Drivers;
    std::deque<std::optional<std::string>> FileAnswers;
    std::vector<MessageBoxRecord> Boxes;
    std::vector<DialogRecord> DialogsRun;
    std::vector<FileDialogRecord> FileDialogsRun;
    std::vector<std::string> FailureList;
};

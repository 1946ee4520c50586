// The saves the save crash test kills. This program opens the turn of a unit file and changes
// it the same way every time (two counters moved, two combats declared); then, for every
// "save" command, it forks a process that saves the turn as the end of the turn through
// TurnFile::WriteTurn, over the same files, and that the test kills at some moment of the
// save. Forking from the prepared board makes each save cost the save itself and no start of a
// program, so that the test can kill hundreds of saves in little time.
//
//   kvk_save_child MAP UNITFILE
//
// Commands, one a line on standard input:
//   save SYNC STOP  fork a save; SYNC 0 leaves the files to the system's cache instead of
//                   forcing them to the disk (a killed process's written data stays in that
//                   cache either way); STOP > 0 makes the save wait, to be killed, before the
//                   STOPth step of its file batch (from 1)
//   reap            wait for the forked save to end, and tell how it ended
// The saving process is reaped only when asked, so its process id cannot pass to another
// process while the test may still kill it.
//
// Standard output carries one line per event, written unbuffered so that the test sees it at
// once: "ready" when the turn is prepared; from a saving process "saving PID" just before the
// save starts, then either "stopped STEP FILE" (with STOP) or, once it has completed,
// "saved T STEP1 T1 STEP2 T2 ...": the microseconds from the start of the save to its end, then
// each step of the file batch (a TFileBatch::Step) with the microseconds to its start; and
// "ended STATUS" (the wait status) after a reap. Exit status 2: bad arguments;
// 3: the turn did not open; 5: a dialog or message box came up that was not expected; 6: the
// process runs more than one thread, which would make forking it unsafe. A saving process
// exits 0 when the save completed, 4 when it did not, 5 when it asked something.
#include "CaECombats.h"
#include "CombatScript.h"
#include "Hexes.h"
#include "KVKMap.h"
#include "ModalHooks.h"
#include "TBitmap.h"
#include "TFileBatch.h"
#include "TMemoryDC.h"
#include "TModule.h"
#include "TurnFile.h"

#include <QApplication>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

using Hexes::B2, Hexes::C2, Hexes::D5, Hexes::D6;

void Say(const std::string& line) {
    const std::string text = line + "\n";
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(STDOUT_FILENO, text.data() + done, text.size() - done);
        if (n <= 0)
            return;
        done += std::size_t(n);
    }
}

TPoint InHex(int hex) {
    return MapBoard::HexOrigin(hex) + TPoint(12, 20);
}

long long MicrosSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
}

// Says on the standard error what went wrong, with what the hooks saw; returns status.
int Failed(int status, const std::string& what, const ModalHooks& hooks) {
    std::fprintf(stderr, "%s:\n%s\n", what.c_str(), hooks.Report().c_str());
    return status;
}

int ThreadCount() {
    std::error_code error;
    const std::filesystem::directory_iterator tasks("/proc/self/task", error);
    return error ? -1 : int(std::distance(tasks, std::filesystem::directory_iterator()));
}

// The forked process: one save, timed step by step, then the process ends without running
// the destructors of what it shares with its parent.
[[noreturn]] void Save(TurnFile& turn, ModalHooks& hooks, bool sync, int stopAt) {
    TFileBatch::SyncToDisk = sync;
    Clock::time_point start;
    std::vector<std::pair<int, long long>> steps;
    TFileBatch::SetFaultHook([&](TFileBatch::Step step, const std::string& fileName) {
        steps.emplace_back(int(step), MicrosSince(start));
        if (int(steps.size()) == stopAt) {
            Say("stopped " + std::to_string(int(step)) + " " + fileName);
            for (;;)
                ::pause();
        }
        return false;
    });

    Say("saving " + std::to_string(::getpid()));
    start = Clock::now();
    bool completed = false;
    turn.WriteTurn(true, completed);
    const long long total = MicrosSince(start);
    if (!completed)
        ::_exit(Failed(4, "the save did not complete", hooks));
    if (!hooks.Clean())
        ::_exit(Failed(5, "the save asked something", hooks));
    std::string line = "saved " + std::to_string(total);
    for (const auto& [step, time] : steps)
        line += " " + std::to_string(step) + " " + std::to_string(time);
    Say(line);
    ::_exit(0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s MAP UNITFILE\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    KVKMap::SlideDuration = std::chrono::milliseconds(0);
    KVKMap board(nullptr, &TModule::Application(), argv[1], &CaECombats::Make);
    // The board seeds the die from the clock; the same rolls every time give the same bytes.
    std::srand(20240601);
    TurnFile turn(board);
    ModalHooks hooks;

    board.FileData.FileName = argv[2];
    bool opened = false;
    turn.OpenTurn(false, opened);
    if (!opened)
        return Failed(3, std::string("the turn ") + argv[2] + " did not open", hooks);

    // The player's moves: the top counter of D5 to C2, the counter of D6 to B2, and a combat
    // against each of B2 and C2.
    TBitmap screenBits(400, 300);
    TMemoryDC screen(screenBits);
    board.TransferTopCounter(InHex(D5), InHex(C2), {0, 0}, screen);
    board.TransferTopCounter(InHex(D6), InHex(B2), {0, 0}, screen);
    for (const auto& [hex, comment] :
         {std::pair{B2, "first combat of the new turn"}, std::pair{C2, "second"}}) {
        CombatScript::Resolve(comment);
        board.DeclareCombat(screen, {0, 0}, InHex(hex));
    }
    if (!hooks.Clean())
        return Failed(5, "declaring the combats went wrong", hooks);
    // A forked process has only the thread that forked; any other thread's locks would stay
    // held in it for good.
    if (ThreadCount() != 1) {
        std::fprintf(stderr, "%d threads run; a save cannot be forked safely\n", ThreadCount());
        return 6;
    }
    Say("ready");

    for (std::string command; std::getline(std::cin, command);) {
        std::istringstream words(command);
        std::string verb;
        words >> verb;
        if (verb == "save") {
            int sync = 1, stopAt = 0;
            words >> sync >> stopAt;
            const pid_t pid = ::fork();
            if (pid == 0)
                Save(turn, hooks, sync != 0, stopAt);
            if (pid < 0)
                Say("ended -1");
        } else if (verb == "reap") {
            int status = 0;
            while (::waitpid(-1, &status, 0) < 0 && errno == EINTR) {
            }
            Say("ended " + std::to_string(status));
        }
    }
    return 0;
}

#include "TurnFile.h"

#include "BusyCursor.h"
#include "CompanionFileName.h"
#include "DialogConstants.h"
#include "MovementReport.h"
#include "OwnTurnNote.h"
#include "TApplication.h"
#include "TBitmap.h"
#include "TClientDC.h"
#include "TFileBatch.h"
#include "TFileOpenDialog.h"
#include "TFileSaveDialog.h"
#include "TFileWriter.h"
#include "TMemoryDC.h"

#include <exception>

std::string TurnFile::Caption(const std::string& unitFileName) {
    std::string caption = ProgramCaption;
    // Names from the desktop's dialogs use '/', names from elsewhere may use '\'.
    const std::size_t separator = unitFileName.find_last_of("/\\");
    if (separator == std::string::npos)
        return caption;
    caption += "  :  " + unitFileName.substr(separator + 1);
    const std::size_t extension = caption.rfind(".kvk");
    if (extension != std::string::npos)
        caption.erase(extension);
    return caption;
}

std::string TurnFile::CombatFileName(const std::string& unitFileName) {
    return CompanionFileName(unitFileName, ".cbt");
}

std::string TurnFile::ReportFileName(const std::string& unitFileName) {
    return CompanionFileName(unitFileName, ".txt");
}

std::string TurnFile::JournalFileName(const std::string& unitFileName) {
    return HiddenCompanionFileName(unitFileName, ".journal");
}

bool TurnFile::Repair(const std::string& unitFileName) {
    std::string why;
    switch (TFileBatch::Recover(JournalFileName(unitFileName), &why)) {
    case TFileBatch::Recovery::None:
        return true;
    case TFileBatch::Recovery::Completed:
        Tell("A save of the turn\n" + unitFileName +
             "\nwas cut off before all its files were replaced. It has been completed: the "
             "turn is as that save wrote it.");
        return true;
    case TFileBatch::Recovery::RolledBack:
        Tell("A save of the turn\n" + unitFileName +
             "\nwas cut off before all its files were replaced, and could not be completed. "
             "It has been undone: the turn is as it was before that save.");
        return true;
    case TFileBatch::Recovery::Failed:
        break;
    }
    Tell("A save of the turn\n" + unitFileName +
         "\nwas cut off before all its files were replaced, and the turn cannot be repaired: " +
         why + ".\nIts files are left as they are.");
    return false;
}

bool TurnFile::IsOwnTurn(const std::string& unitFileName, const UnitFile::Records& records) {
    // A turn received from the opponent was saved at the end of their turn, with every
    // counter's start hex moved to where it stands.
    for (const CounterRecord& r : records)
        if (r.StartIndex != r.HexIndex)
            return true;
    return OwnTurnNote::Vouches(unitFileName, CombatFileName(unitFileName));
}

void TurnFile::Tell(const std::string& text) {
    TApplication::MessageBox(Board.GetWindow(), text.c_str(), ProgramCaption,
                             MB_OK | MB_ICONEXCLAMATION);
}

bool TurnFile::ReadUnitFile(const std::string& fileName, UnitFile::Records& records,
                            std::string& why) {
    const ParsedUnitFile parsed = UnitFile::ReadFile(fileName);
    if (!parsed.Ok()) {
        why = parsed.Unreadable ? "the file cannot be read (" + parsed.Reason + ")"
                                : "it is no sound unit file: " + parsed.Reason;
        return false;
    }
    records = parsed.Records;
    return true;
}

void TurnFile::Load(const UnitFile::Records& records) {
    // Counters that share a hex stack in unit index order, the highest index on top.
    Board.LoadCounters(records);
    Board.Combats().ReadFile(CombatFileName(Board.FileData.FileName));
}

bool TurnFile::LoadTurn() {
    BusyCursor busy;
    if (Board.TurnLoaded)
        return true;
    UnitFile::Records records;
    std::string why;
    if (!ReadUnitFile(Board.FileData.FileName, records, why))
        return false;
    Load(records);
    if (Board.TurnLoaded)
        LoadedName = Board.FileData.FileName;
    return Board.TurnLoaded;
}

void TurnFile::ShowTurn() {
    BusyCursor busy;
    Board.DrawLoadedTurn();
    if (TWindow* window = Board.GetWindow()) {
        TClientDC dc(*window);
        Board.ShowAllCombats(dc, window->GetScrollPos());
    } else {
        // No window to show them in: the markers still go into the map surface.
        TBitmap nowhere(1, 1);
        TMemoryDC dc(nowhere);
        Board.ShowAllCombats(dc, {0, 0});
    }
}

std::string TurnFile::OpenTurn(bool ask) {
    bool opened = false;
    return OpenTurn(ask, opened);
}

std::string TurnFile::OpenTurn(bool ask, bool& opened) {
    opened = false;
    const std::string caption = ProgramCaption;
    // A turn that is not opened leaves the name of the turn that stays on the board, so that
    // the next save does not offer the refused file as its target.
    const auto refuse = [this, &caption] {
        Board.FileData.FileName = LoadedName;
        return caption;
    };
    if (ask) {
        TFileOpenDialog dialog(Board.GetWindow(), Board.FileData);
        if (dialog.Execute() != IDOK)
            return refuse();
    }
    const std::string fileName = Board.FileData.FileName;
    if (!TFileWriter::PathExists(fileName)) {
        TApplication::MessageBox(Board.GetWindow(), "Failed to open a '.kvk' file.", "Try Again",
                                 MB_OK);
        return refuse();
    }
    if (!Repair(fileName))
        return refuse();

    UnitFile::Records records;
    std::string why;
    {
        BusyCursor busy;
        if (!ReadUnitFile(fileName, records, why)) {
            // Checked before the board is cleared: the turn on the board stays as it was.
            Tell("The turn file\n" + fileName + "\ncannot be opened: " + why +
                 ".\nThe board is unchanged.");
            return refuse();
        }
        Board.ClearBoard();
        LoadedName.clear();
        Load(records);
        if (IsOwnTurn(fileName, records))
            Board.Combats().ResendReceived();
        LoadedName = fileName;
    }
    ShowTurn();
    opened = true;
    return Caption(fileName);
}

std::string TurnFile::SaveTurn() {
    bool completed = false;
    return SaveTurn(completed);
}

std::string TurnFile::SaveTurn(bool& completed) {
    completed = false;
    std::string caption = UnsavedCaption;
    if (!Board.TurnLoaded) {
        TApplication::MessageBox(Board.GetWindow(),
                                 "There is no turn to save yet: open a turn first.", ProgramCaption,
                                 MB_OK | MB_ICONINFORMATION);
        return caption;
    }
    try {
        const int answer =
            TApplication::MessageBox(Board.GetWindow(), "Is this the End of the Turn?",
                                     "End Of Turn", MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL)
            return caption;
        TFileSaveDialog dialog(Board.GetWindow(), Board.FileData);
        if (dialog.Execute() != IDOK)
            return caption;

        caption = WriteTurn(answer == IDYES, completed);
    } catch (const std::exception& e) {
        Tell(std::string("The turn could not be saved: ") + e.what() + ".");
    }
    return caption;
}

std::string TurnFile::WriteTurn(bool endOfTurn, bool& completed) {
    completed = false;
    std::string caption = UnsavedCaption;
    if (!Board.TurnLoaded)
        return caption;
    BusyCursor busy;
    const std::string unitName = Board.FileData.FileName;
    if (!Repair(unitName))
        return caption;
    UnitFile::Records records = Board.Records();
    // The report shows the turn as played, before an ending turn moves the start positions.
    const std::string report = MovementReport::Text(records);
    if (endOfTurn)
        for (CounterRecord& r : records)
            r.StartIndex = r.HexIndex;

    // All three files are prepared before any replaces an older one: a save that cannot
    // write one of them changes none, and the board stays as it is.
    // The note that the player wrote this turn goes with it, as one set with the three files.
    const std::string unitBytes = UnitFile::Serialize(records);
    const std::string combatBytes = Board.Combats().FileBytes();
    TFileBatch batch(JournalFileName(unitName));
    const bool prepared =
        batch.Prepare(ReportFileName(unitName), report) && batch.Prepare(unitName, unitBytes) &&
        batch.Prepare(CombatFileName(unitName), combatBytes) &&
        batch.Prepare(OwnTurnNote::FileName(unitName), OwnTurnNote::Text(unitBytes, combatBytes));
    const bool committed = prepared && batch.Commit();
    if (!committed && batch.Replaced() == 0) {
        Tell("The turn was not saved.\n\n" + batch.FailedFile() + "\ncould not be written: " +
             batch.Reason() + ".\n\nNo file was changed, and the board is as it was.");
        return caption;
    }
    if (!committed) {
        Tell("The turn was not saved completely.\n\n" + batch.FailedFile() +
             "\ncould not be written: " + batch.Reason() + ".\n\n" +
             std::to_string(batch.Replaced()) +
             " of the turn's three files could not be put back as they were; the board is as "
             "it was.");
        return caption;
    }
    completed = true;
    LoadedName = unitName;

    // The board is reloaded from what was written, so that it always matches the files.
    bool reopened = false;
    try {
        caption = OpenTurn(false, reopened);
    } catch (const std::exception& e) {
        Tell("The turn was saved: all its files were written to\n" + unitName +
             "\nbut reading it back afterwards failed: " + e.what() +
             ".\nOpen the turn again before going on.");
        return Caption(unitName);
    }
    // The combats of a turn this player saved, whether part way or at its end, are passed on
    // again at the next save: the opponent has not received them yet.
    if (reopened)
        Board.Combats().ResendReceived();
    return caption;
}

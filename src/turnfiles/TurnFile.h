#pragma once

#include "KVKMap.h"
#include "UnitFile.h"

#include <string>

/**
 * Moves a turn between its files and the game board: the unit file (<base>.kvk), the combat
 * file (<base>.cbt) and the movement report (<base>.txt). The current unit file is the name
 * in the board's FileData; the companions are named from it.
 *
 * Opening checks the unit file completely before the board is touched: a file that is not a
 * sound unit file leaves the loaded turn as it was and tells the player what is wrong. Saving
 * prepares all three files completely before any of them replaces an older one, so a save
 * either replaces all three or none; the player is told when it did not complete. A save that
 * was cut off while it replaced them (the program killed) leaves a journal beside the unit
 * file, from which the next open or save of the turn completes it, or undoes it, and says so.
 *
 * The combats read with a turn that the player saved (part way, or at the end of the turn
 * before it was sent) are the player's own and are written again at the next save; those of a
 * turn received from the opponent are not. A turn counts as the player's own when the note
 * written with every save (OwnTurnNote) vouches for its files, or when any counter stands away
 * from its start hex, which only a save part way through leaves.
 */
class TurnFile {
public:
    static constexpr const char* ProgramCaption = "Kurvask";
    /** The caption a save leaves when it did not complete. */
    static constexpr const char* UnsavedCaption = "Brisvane";

    explicit TurnFile(KVKMap& board) : Board(board) {}

    /**
     * Reads the unit file named in FileData onto an empty board, with its combat file and
     * labels; the stacks are not drawn. True when a turn is loaded afterwards (at once when
     * one is loaded already); a file that cannot be read or is not sound loads nothing.
     */
    bool LoadTurn();
    /**
     * Opens a turn: with ask, the player picks the unit file; without, the name in FileData
     * is used. Returns the caption for the main window; opened tells whether a turn was
     * opened (otherwise the board holds what it held before).
     */
    std::string OpenTurn(bool ask, bool& opened);
    std::string OpenTurn(bool ask);
    /**
     * The end-of-turn sequence: asks whether the turn ends, asks for the file name, writes
     * the report, the unit file (with every start position moved to the current one when the
     * turn ends) and the combat file, and reopens the turn from them. Returns the caption for
     * the main window; completed tells whether all three files were written.
     */
    std::string SaveTurn(bool& completed);
    std::string SaveTurn();
    /**
     * The part of the end-of-turn sequence after the question and the file dialog: writes
     * the three files for the name in FileData (endOfTurn: the turn ends, the start positions
     * move to the current ones) and reopens the turn from them.
     */
    std::string WriteTurn(bool endOfTurn, bool& completed);

    /** "Kurvask  :  turn05" for ".../turn05.kvk"; "Kurvask" for a name without a folder. */
    static std::string Caption(const std::string& unitFileName);
    static std::string CombatFileName(const std::string& unitFileName);
    static std::string ReportFileName(const std::string& unitFileName);
    /** The journal a save keeps beside the unit file while it replaces the turn's files. */
    static std::string JournalFileName(const std::string& unitFileName);

private:
    /** Reads and checks a unit file; false with the reason when it is no sound unit file. */
    static bool ReadUnitFile(const std::string& fileName, UnitFile::Records& records,
                             std::string& why);
    /** Builds the turn from checked records on an empty board, with its combats. */
    void Load(const UnitFile::Records& records);
    /** Draws every stack into the map surface and shows every combat marker. */
    void ShowTurn();
    void Tell(const std::string& text);
    /**
     * Completes or undoes a save of this turn that was cut off, telling the player; false
     * (after telling why) when neither could be done and the turn's files must not be used.
     */
    bool Repair(const std::string& unitFileName);
    /** Whether the turn just read is one the player saved (see above). */
    static bool IsOwnTurn(const std::string& unitFileName, const UnitFile::Records& records);

    KVKMap& Board;
    /** The unit file of the turn on the board; empty while none is loaded. */
    std::string LoadedName;
};

#pragma once

#include "TDC.h"
#include "TModule.h"
#include "TPoint.h"
#include "TWindow.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

/**
 * The combats of the turn as the board sees them: declared against a hex, shown and cleared
 * as markers beside their hexes, their results shown per hex, and read from and written to
 * the turn's combat file. The combat subsystem provides the list; the board owns it.
 */
class CombatList {
public:
    /** One combat as the player reads it back: texts in Windows-1252, as the file holds them. */
    struct Entry {
        int HexIndex = -1;
        std::string Odds;
        std::string DieRoll;
        std::string Comments;
        /** Read with the turn's combat file (true), or declared since (false). */
        bool Received = false;
    };

    virtual ~CombatList() = default;

    /** Declares and resolves one combat against the hex and shows its marker. */
    virtual void Declare(TDC& screen, const TPoint& scroll, int hexIndex) = 0;
    virtual void ShowAll(TDC& screen, const TPoint& scroll) = 0;
    virtual void ClearAll(TDC& screen, const TPoint& scroll) = 0;
    /** Shows the result of every combat against the hex, one after the other. */
    virtual void ShowResults(int hexIndex) = 0;
    /** Reads the combats of a combat file; a missing file changes nothing. */
    virtual void ReadFile(const std::string& fileName) = 0;
    /** Writes the combats declared since the list was made; false when that failed. */
    virtual bool WriteFile(const std::string& fileName) = 0;
    /** The bytes WriteFile writes, for a caller that writes the turn's files together. */
    virtual std::string FileBytes() const = 0;
    /**
     * Passes the combats read with the turn on again: from now on they are written after the
     * declared ones, with the bytes they were read with. For a turn saved part way through and
     * reloaded, whose combats must still reach the opponent.
     */
    virtual void ResendReceived() = 0;
    /** The combats: those read with the turn in file order, then those declared, oldest first. */
    virtual std::vector<Entry> Entries() const = 0;
};

/** Makes an empty combat list for a board: its window, module and map surface. */
using CombatListFactory =
    std::function<std::unique_ptr<CombatList>(TWindow* window, HINSTANCE module, TDC* surface)>;

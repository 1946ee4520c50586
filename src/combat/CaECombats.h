#pragma once

#include "CaECombat.h"
#include "CombatList.h"

#include <list>
#include <memory>
#include <string>
#include <vector>

/**
 * The combats of the turn: those the moving player declared (newest first) and those read
 * with the turn's combat file (in file order). Declaring places each new marker beside the
 * attacked hex, below the markers of earlier combats declared against it in this turn, those
 * passed on again after a save part way through included. Only the declared
 * combats are written, a combat file passing on the combats of one turn, unless the received
 * ones are to be passed on again (ResendReceived): they then follow the declared ones.
 *
 * Markers may overlap, each having saved the map pixels under it when it was stamped, so they
 * are always taken off the map in the reverse order of their stamping: clearing them all, or
 * deleting the combats, leaves the map surface exactly as it was before.
 */
class CaECombats : public CombatList {
public:
    CaECombats(TWindow* window, HINSTANCE module, TDC* mapSurface);
    ~CaECombats() override;

    void Declare(TDC& screen, const TPoint& scroll, int hexIndex) override;
    void ShowAll(TDC& screen, const TPoint& scroll) override;
    void ClearAll(TDC& screen, const TPoint& scroll) override;
    void ShowResults(int hexIndex) override;
    /**
     * Reads a combat file into the received combats. A missing file changes nothing; a
     * damaged one, or one that cannot be read, adds no combat and tells the player once which
     * file could not be read and why.
     */
    void ReadFile(const std::string& fileName) override;
    bool WriteFile(const std::string& fileName) override;
    void ResendReceived() override { Resend = true; }
    std::vector<Entry> Entries() const override;

    /** Where the marker of the next combat declared against the hex goes. */
    TPoint NextMarkerPosition(int hexIndex) const;
    /** The combat file's bytes: the declared combats, then any received ones passed on. */
    std::string FileBytes() const override;

    const std::list<std::unique_ptr<CaECombat>>& Declared() const { return DeclaredList; }
    const std::list<std::unique_ptr<CaECombat>>& Received() const { return ReceivedList; }

    /** Makes the combat list of a board. */
    static std::unique_ptr<CombatList> Make(TWindow* window, HINSTANCE module, TDC* surface);

private:
    /** Every combat whose marker is on the map, the last stamped first. */
    std::vector<Combat*> StampedNewestFirst() const;
    /** Deletes every combat, taking their markers off in the reverse order of stamping. */
    void DeleteAll();
    void ReportUnreadable(const std::string& fileName, const std::string& reason);

    TWindow* Window;
    HINSTANCE Instance;
    TDC* MapSurface;
    std::list<std::unique_ptr<CaECombat>> DeclaredList;
    std::list<std::unique_ptr<CaECombat>> ReceivedList;
    bool Resend = false;
};

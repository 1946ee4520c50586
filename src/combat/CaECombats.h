#pragma once

#include "CaECombat.h"
#include "CombatList.h"

#include <list>
#include <memory>
#include <string>

/**
 * The combats of the turn: those the moving player declared (newest first) and those read
 * with the turn's combat file (in file order). Declaring places each new marker beside the
 * attacked hex, below the markers of earlier combats declared against it. Only the declared
 * combats are written: a combat file passes on the combats of one turn.
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
     * damaged one adds no combat and tells the player once which file could not be read.
     */
    void ReadFile(const std::string& fileName) override;
    bool WriteFile(const std::string& fileName) override;

    /** Where the marker of the next combat declared against the hex goes. */
    TPoint NextMarkerPosition(int hexIndex) const;
    /** The combat file's bytes for the declared combats. */
    std::string FileBytes() const;

    const std::list<std::unique_ptr<CaECombat>>& Declared() const { return DeclaredList; }
    const std::list<std::unique_ptr<CaECombat>>& Received() const { return ReceivedList; }

    /** Makes the combat list of a board. */
    static std::unique_ptr<CombatList> Make(TWindow* window, HINSTANCE module, TDC* surface);

private:
    TWindow* Window;
    HINSTANCE Instance;
    TDC* MapSurface;
    std::list<std::unique_ptr<CaECombat>> DeclaredList;
    std::list<std::unique_ptr<CaECombat>> ReceivedList;
};

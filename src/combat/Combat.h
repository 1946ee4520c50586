#pragma once

#include "CombatStruct.h"
#include "TDC.h"
#include "TPoint.h"
#include "TWindow.h"
#include "Tagger.h"

#include <memory>

/**
 * One combat: its record and the marker beside the attacked hex (none while the combat has
 * no die roll). Deleting a combat takes its marker out of the map surface.
 */
class Combat {
public:
    Combat() = default;
    virtual ~Combat() = default;
    Combat(const Combat&) = delete;
    Combat& operator=(const Combat&) = delete;

    virtual void ShowMarker(TDC& screen, const TPoint& scroll);
    virtual void HideMarker(TDC& screen, const TPoint& scroll);
    /** Shows the result dialog when the combat is against that hex and has a marker. */
    virtual void ShowResult(TWindow* parent, int hexIndex) = 0;

    std::unique_ptr<Tagger> Marker;
    CombatStruct Data;
};

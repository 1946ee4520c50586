#include "CaECombat.h"

#include "CombatDlg.h"
#include "CombatShowDlg.h"

CaECombat::CaECombat(TDC& mapSurface, HINSTANCE module) {
    Marker = std::make_unique<Tagger>(mapSurface, module);
}

CaECombat::CaECombat(int hexIndex, const TPoint& markerPosition, TDC& mapSurface, HINSTANCE module,
                     TWindow* parent) {
    Data.HexIndex = hexIndex;
    {
        CombatDlg dialog(parent, &Data);
        dialog.Execute();
    }
    if (Data.DieRoll.empty())
        return;
    const int image = Tagger::ImageForDieRoll(Data.DieRoll);
    Marker = std::make_unique<Tagger>(markerPosition, image, mapSurface, module);
    Marker->SetFilePlacement(Tagger::FilePlacementOffset, image + Tagger::FileImageShift);
}

void CaECombat::ShowResult(TWindow* parent, int hexIndex) {
    if (!Marker || Data.HexIndex != hexIndex)
        return;
    CombatShowDlg dialog(parent, Data);
    dialog.Execute();
}

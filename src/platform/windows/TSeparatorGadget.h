#pragma once

#include "TGadget.h"

/** A gap between groups of tool-bar buttons. */
class TSeparatorGadget : public TGadget {
public:
    explicit TSeparatorGadget(int size = 0) : TGadget(0), Size(size) {}
    int GetSize() const { return Size; }

private:
    int Size;
};

#pragma once

#include "TGadget.h"

#include <memory>
#include <vector>

/** The tool bar: its gadgets left to right, placed in a frame with TDecoratedFrame::Insert. */
class TControlBar {
public:
    /** Appends a gadget after the last one; the bar owns it. */
    void Insert(std::unique_ptr<TGadget> gadget) { Gadgets.push_back(std::move(gadget)); }
    const std::vector<std::unique_ptr<TGadget>>& GetGadgets() const { return Gadgets; }

private:
    std::vector<std::unique_ptr<TGadget>> Gadgets;
};

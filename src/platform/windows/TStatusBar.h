#pragma once

#include "TTextGadget.h"

#include <memory>
#include <vector>

/**
 * The status bar: a message field first, stretched over the free width, then the text
 * gadgets in the order inserted. The bar owns its gadgets; whoever writes them keeps plain
 * pointers.
 */
class TStatusBar {
public:
    TTextGadget* Insert(std::unique_ptr<TTextGadget> gadget) {
        Gadgets.push_back(std::move(gadget));
        return Gadgets.back().get();
    }
    const std::vector<std::unique_ptr<TTextGadget>>& GetGadgets() const { return Gadgets; }

private:
    std::vector<std::unique_ptr<TTextGadget>> Gadgets;
};

#pragma once

#include "TPoint.h"
#include "TSize.h"

#include <cstdint>

/**
 * The whole map stretched over the window's client area, as Zoom shows it. The pointer names
 * the map point at its client point scaled by map size over client size (integer division);
 * each client pixel shows the map pixel under its centre.
 */
class ZoomedMap {
public:
    ZoomedMap(const TSize& client, const TSize& map) : Client(client), Map(map) {}

    /** The map point the pointer at a client point stands on. */
    TPoint PointedAt(const TPoint& p) const {
        return {int(std::int64_t(p.x) * Map.cx / Client.cx),
                int(std::int64_t(p.y) * Map.cy / Client.cy)};
    }
    /** The map pixel a client pixel shows. */
    TPoint ShownAt(int x, int y) const {
        return {int((2 * std::int64_t(x) + 1) * Map.cx / (2 * std::int64_t(Client.cx))),
                int((2 * std::int64_t(y) + 1) * Map.cy / (2 * std::int64_t(Client.cy)))};
    }

private:
    TSize Client, Map;
};

#include "RollDie.h"

#include <cstdlib>

int ApplyModifier(int rawFace, int m, int n) {
    int d = m + rawFace;
    if (d > n)
        d -= n;
    return d;
}

int RollDie(int m, int n) {
    if (n < 1)
        return 0;
    // Four draws are thrown away; only the fifth decides the face.
    for (int i = 0; i < 4; ++i)
        (void)std::rand();
    const int r = std::rand() % n;
    return ApplyModifier(r + 1, m, n);
}

int ModifierFromChar(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    return 0;
}

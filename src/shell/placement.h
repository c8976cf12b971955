#pragma once
#include <windows.h>

struct ChildPlacement {
    int x, y, width, height; // outer rectangle in the MDI client's client coordinates
    HWND source;             // the child split to make room, or null
};

ChildPlacement PlaceNewChild();

#pragma once
// A 3D render-quality record: one for drawing while a mouse button is held, one otherwise.

struct tagQUALITY {
    int Qualitaet = 1;     // 1 smooth, 2 flat, 3 wire frame
    int Lightning = 1;     // BOOL
    int Texturing = 1;     // BOOL
    int Interpolation = 1; // BOOL

    friend bool operator==(const tagQUALITY&, const tagQUALITY&) = default;
};

#!/usr/bin/env python3
"""Writes the seed inputs of optics_fuzz into corpus/optics/.

Layout (see OpticsFuzz.cpp): one lens-selector byte, then little-endian
doubles: ArcSin x; SignedAngle ax ay bx by; CircleIntersect x1 y1 r1 x2 y2 r2;
FrameEdgePoint x y dx dy xMax yMax; [speeds vo vi if selector is odd];
source sx sy and target px py of the least-time search; then the
constructions' source sx sy, height, ray count, slider value and the client
area's width and height in pixels.
"""
import math
import pathlib
import struct

OUT = pathlib.Path(__file__).resolve().parent / "corpus" / "optics"

SEEDS = {
    "axis": (0, [0.5, 1, 0, 0, 1, 0, 0, 5, 4, 0, 3, 10, 0, 1, 0, 300, 200, -300, 0, 16.8, 0]),
    "below_axis": (0, [-1, 0, 1, 1, 0, 0, 0, 5, 6, 0, 5, 0, 0, 3, 2, 300, 200, -200, 40, 14.2572, -30]),
    "beyond_rim": (0, [1.0000001, 1, 0, -1, 1, 0, 0, 5, 0, 3, 5, 0, 0, 1, 1, 300, 200, -400, -60, -13.167, 99]),
    "exit_point": (0, [-2, 0, 0, 1, 0, 0, 0, 1, 5, 0, 1, 0, 0, 0, 0, 300, 200, -300, 0,
                       180 * math.cos(0.2) - 165, 180 * math.sin(0.2)]),
    "constructions": (0, [0.5, 1, 0, 0, 1, 0, 0, 5, 4, 0, 3, 10, 0, 1, 0, 300, 200, -300, 0, 16.8, 0,
                          -200, 30, 140, 8, 42, 390, 816]),
    "other_speeds": (1, [0.25, 3, 4, -4, 3, 1, 2, 7, -3, 1, 6, 15, 5, -6, -1, 300, 200, 3, 1.7,
                         -120, 60, 10, -50]),
}

OUT.mkdir(parents=True, exist_ok=True)
for name, (selector, values) in SEEDS.items():
    (OUT / name).write_bytes(bytes([selector]) + struct.pack("<%dd" % len(values), *values))

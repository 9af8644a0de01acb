#!/usr/bin/env python3
"""Writes packaging/varmonix.svg: the application icon, the weld curve of the
logo (arc-start spike, rippling steady arc, crater fill) on the logo's dark blue."""
import math
import pathlib

SIZE = 256
LEFT, TOP, WIDTH, HEIGHT = 24, 40, 208, 150


def level(u):
    if u < 0.08:
        v = 0.2 + 0.8 * math.exp(-(((u - 0.05) / 0.02) ** 2)) + u * 6
    elif u < 0.85:
        v = 0.65
    else:
        v = 0.65 - (u - 0.85) * 3.0
    v = min(max(v, 0.05), 1.0)
    ripple = 0.04 * math.sin(u * 60) if 0.08 < u < 0.85 else 0.0
    return v + ripple


points = []
for i in range(201):
    u = i / 200
    points.append(f"{LEFT + u * WIDTH:.1f},{TOP + HEIGHT - level(u) * HEIGHT:.1f}")

grid = "\n".join(
    f'  <line x1="24" y1="{y}" x2="232" y2="{y}" stroke="#3c506e" stroke-width="2" stroke-dasharray="4 6"/>'
    for y in (70, 110, 150, 190)
)
svg = f"""<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" viewBox="0 0 {SIZE} {SIZE}">
  <defs>
    <linearGradient id="bg" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#12203a"/>
      <stop offset="1" stop-color="#060c18"/>
    </linearGradient>
  </defs>
  <rect x="8" y="8" width="240" height="240" rx="36" fill="url(#bg)"/>
{grid}
  <polyline points="{' '.join(points)}" fill="none" stroke="#ff463c" stroke-width="10"
            stroke-linejoin="round" stroke-linecap="round"/>
  <rect x="24" y="206" width="208" height="10" rx="5" fill="#50a0ff"/>
</svg>
"""
out = pathlib.Path(__file__).resolve().parent.parent / "packaging" / "varmonix.svg"
out.write_text(svg)
print(out)

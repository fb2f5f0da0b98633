#!/usr/bin/env python3
"""Composes one picture of the guide from pictures of whole runs (orvane.exe --svg).

    guide_panels.py OUT.svg PANEL [PANEL ...]

A PANEL is SVG:PAGES:WIDTH:CAPTION. PAGES is one page number or several joined by '+'; WIDTH is
'full' for the whole page width or 'left' for its left part, where dividers at H 0 stand. Each panel
shows the part of its pages that holds staves and dividers; the panels stand side by side, at one
scale, each under its caption.
"""
import re
import sys

# The page grid of the host's picture (standin/core/svg_picture.h): four pages a row.
COLUMNS, PAGE_WIDTH, PAGE_HEIGHT, MARGIN = 4, 3168, 4896, 144
ORIGIN_X, ORIGIN_Y, STEP_X, STEP_Y = 288, 548, 3456, 5444
LEFT_WIDTH = 1300
PAD, GAP, CAPTION = 160, 240, 110
# Width of a caption's character, in parts of its size, for the room it needs.
CHARACTER_WIDTH = 0.58


def page_rectangle(page):
    column, row = (page - 1) % COLUMNS, (page - 1) // COLUMNS
    return ORIGIN_X + column * STEP_X, ORIGIN_Y + row * STEP_Y


def content_rows(body, x0, y0):
    """Heights of the staff lines and dividers drawn on the page at (x0, y0)."""
    rows = []
    for x1, y1 in re.findall(r'<line x1="([-\d.]+)" y1="([-\d.]+)"', body):
        x, y = float(x1), float(y1)
        if x0 <= x < x0 + PAGE_WIDTH and y0 <= y < y0 + PAGE_HEIGHT:
            rows.append(y)
    return rows


def panel(argument):
    path, pages, width, caption = argument.split(":", 3)
    body = open(path).read()
    body = body[body.index(">") + 1 : body.rindex("</svg>")]
    views = []
    for page in (int(p) for p in pages.split("+")):
        x0, y0 = page_rectangle(page)
        rows = content_rows(body, x0, y0)
        top = max(y0, min(rows) - PAD)
        bottom = min(y0 + PAGE_HEIGHT, max(rows) + PAD)
        view_width = PAGE_WIDTH if width == "full" else LEFT_WIDTH
        views.append((x0, top, view_width, bottom - top))
    return body, views, caption


def main():
    out, arguments = sys.argv[1], sys.argv[2:]
    panels = [panel(argument) for argument in arguments]
    height = max(view[3] for _, views, _ in panels for view in views) + CAPTION + 2 * PAD
    x = PAD
    parts = []
    for body, views, caption in panels:
        panel_x = x
        for vx, vy, vw, vh in views:
            parts.append(
                f'<svg x="{x}" y="{CAPTION + PAD}" width="{vw}" height="{vh}" '
                f'viewBox="{vx} {vy} {vw} {vh}">{body}</svg>'
            )
            parts.append(
                f'<rect x="{x}" y="{CAPTION + PAD}" width="{vw}" height="{vh}" fill="none" '
                f'stroke="#888" stroke-width="6"/>'
            )
            x += vw + GAP / 2
        x = max(x - GAP / 2, panel_x + len(caption) * CAPTION * CHARACTER_WIDTH)
        parts.append(
            f'<text x="{panel_x}" y="{CAPTION + PAD - 50}" font-size="{CAPTION}" '
            f'font-family="sans-serif" fill="#222">{caption}</text>'
        )
        x += GAP
    width = x - GAP + PAD
    scale = 1400 / width
    with open(out, "w") as file:
        file.write(
            f'<svg xmlns="http://www.w3.org/2000/svg" width="{round(width * scale)}" '
            f'height="{round(height * scale)}" viewBox="0 0 {width} {height}">'
            f'<rect width="{width}" height="{height}" fill="#fff"/>' + "".join(parts) + "</svg>\n"
        )


main()

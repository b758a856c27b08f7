#!/usr/bin/env python3
"""Checks on screenshots of the drill window, read through ImageMagick.

    picture_check.py panels <window.png>
        The status bar's two panels are drawn whole: each one's sunken
        border (dark top edge, light bottom edge) lies inside the picture,
        with the panel's plain inside between them.
    picture_check.py question <screen.png>
        The question box (the upper of the two white text boxes) shows
        text, and the answer box is empty.
    picture_check.py shown <screen.png>
        Both boxes show text (after Show).
"""
import subprocess
import sys


def gray(path):
    """The picture as rows of 0..255 gray values."""
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True,
                          capture_output=True, text=True).stdout.split()
    width, height = int(size[0]), int(size[1])
    raw = subprocess.run(["convert", path, "-colorspace", "gray", "-depth", "8", "gray:-"],
                         check=True, capture_output=True).stdout
    return [raw[y * width:(y + 1) * width] for y in range(height)], width, height


def fail(message):
    print(f"FAIL: {message}")
    sys.exit(1)


def check_panels(path):
    rows, width, height = gray(path)
    bottom = height - 1
    # Columns inside each panel clear of its text: panel 1's text is short
    # and starts at the left; panel 2's ends before its right edge.
    for name, x in (("panel 1", int(width * 0.3)), ("panel 2", int(width * 0.97))):
        column = [rows[y][x] for y in range(height)]
        # Up from the bottom: the light bottom edge, the panel's inside,
        # then the dark top edge.
        background = column[bottom - 3]
        top = next((y for y in range(bottom - 1, bottom - height // 3, -1)
                    if column[y] < background - 40), None)
        if top is None:
            fail(f"{name}: no dark top edge above the bottom of the picture")
        if column[bottom] < background + 8:
            fail(f"{name}: the last row ({column[bottom]}) is no light bottom edge "
                 f"(inside {background}): the panel is cut")
        edge = bottom
        while column[edge - 1] >= background + 8:  # a scaled edge is thicker
            edge -= 1
        inside = column[top + 1:edge]
        if any(abs(v - background) > 8 for v in inside):
            fail(f"{name}: the panel's inside is not plain between its edges: {inside}")
        print(f"{name}: top edge at {top}, bottom edge at {bottom}, {bottom - top + 1} px tall")


def white_boxes(rows, width):
    """Rows holding a long run of pure white, grouped into boxes (top, bottom, left, right)."""
    boxes = []
    for y, row in enumerate(rows):
        best = (0, 0)
        start = None
        for x in range(width + 1):
            if x < width and row[x] == 255:
                start = x if start is None else start
            elif start is not None:
                if x - start > best[1] - best[0]:
                    best = (start, x)
                start = None
        if best[1] - best[0] >= 100:
            # Text starts at the left, so a box's rows share their right end.
            if boxes and boxes[-1][1] == y - 1 and abs(boxes[-1][3] - best[1]) <= 2:
                boxes[-1][1] = y
                boxes[-1][2] = min(boxes[-1][2], best[0])
            else:
                boxes.append([y, y, best[0], best[1]])
    return [b for b in boxes if b[1] - b[0] >= 8]


def check_question(path, answer_shown=False):
    rows, width, _ = gray(path)
    # A white menu bar, as Windows draws one, spans the window; the text
    # boxes do not.
    boxes = [b for b in white_boxes(rows, width) if b[3] - b[2] < width * 0.9]
    if len(boxes) < 2:
        fail(f"no question and answer boxes in the picture (white areas: {boxes})")
    question, answer = boxes[0], boxes[1]

    def ink(box):
        top, bottom, left, right = box
        return sum(1 for y in range(top, bottom + 1) for x in range(left, right) if rows[y][x] < 128)

    if ink(question) == 0:
        fail("the question box is empty in the first frame")
    if answer_shown:
        if ink(answer) == 0:
            fail("the answer box is empty after Show")
    elif ink(answer) != 0:
        fail("the answer box is not empty in the first frame")
    print(f"question box {question} shows text; answer box {answer} "
          f"{'shows text' if answer_shown else 'is empty'}")


if __name__ == "__main__":
    checks = {"panels": check_panels, "question": check_question,
              "shown": lambda path: check_question(path, answer_shown=True)}
    if len(sys.argv) != 3 or sys.argv[1] not in checks:
        print(__doc__)
        sys.exit(2)
    checks[sys.argv[1]](sys.argv[2])

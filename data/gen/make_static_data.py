#!/usr/bin/env python3
"""Writes the checked-in data files that are not plain text:
data/Data/Key.list (the shortcut window's sections, from the program's shortcut sets in
shell/shortcuts.cpp), data/Xtra/Icon.ico and data/Xtra/Menubar.bmp (the snapshot tool's
tray icon and menu picture). Run from the repository root after changing a shortcut set."""
import struct

TOOLS = ["Lasso", "Rechteck markieren", "Kreis markieren", "Vieleck markieren", "Pipette",
         "Verzerren", "Wischen", "Text", "Sprühdose", "Freihand", "Pinsel", "Radiergummi", "Kreis",
         "Ellipse", "Viereck", "Raute", "Linie", "Gerade Linie", "Vieleck", "Bézier-Kurve", "Füllen",
         "Zauberstab", "Zirkel", "Farbbereich-Pipette", "Pinselform"]

FILE_KEYS = [("Strg+S", "Bild speichern"), ("Strg+N", "Neues Bild"), ("Strg+O", "Bild öffnen"),
             ("Strg+W", "Bild schließen")]
IMAGE = FILE_KEYS + [
    ("Umschalt+C", "Bild in die Zwischenablage kopieren"),
    ("Umschalt+X", "Bild ausschneiden"),
    ("Strg+V", "Bild aus der Zwischenablage einfügen"),
    ("Umschalt+V", "Bild aus einer Datei einfügen"),
    ("1 .. 9, 0", "Füllart 1 bis 10 wählen"),
] + [(chr(ord("A") + i), "Werkzeug: " + t) for i, t in enumerate(TOOLS)] + [
    ("Strg+Num +", "Vergrößern"), ("Strg+Num -", "Verkleinern"),
    ("Strg+1 .. Strg+4", "Seite 1 bis 4 der Werkzeugleiste"),
    ("Pfeiltasten", "Bild verschieben (mit Strg 10, Umschalt 50, beiden 100 Punkte)"),
    ("Strg+Leertaste", "Dieses Fenster"), ("Enter", "Tastaturmodus ein"), ("F1", "Hilfe"),
]
KEYBOARD = [
    ("Pfeiltasten", "Zeichenpunkt bewegen"), ("Num 0", "Stift senken / heben"),
    ("Enter", "Tastaturmodus aus"), ("1 .. 9, 0", "Füllart 1 bis 10 wählen"),
] + [(chr(ord("A") + i), "Werkzeug: " + t) for i, t in enumerate(TOOLS)] + [
    ("Strg+Num +", "Vergrößern"), ("Strg+Num -", "Verkleinern"),
    ("Strg+Leertaste", "Dieses Fenster"), ("F1", "Hilfe"),
]
SCRIPT = [("Strg+S", "Script speichern"), ("Strg+N", "Neues Script"), ("Strg+W", "Script schließen"),
          ("Strg+O", "Script öffnen"), ("Strg+B", "Script ausführen"), ("F5", "Script ausführen"),
          ("Strg+C", "Kopieren"), ("Strg+X", "Ausschneiden"), ("Strg+V", "Einfügen"),
          ("Alt+B", "Bearbeiten"), ("Strg+F", "Suchen/Ersetzen"), ("Strg+A", "Alles markieren"),
          ("Strg+Leertaste", "Dieses Fenster"), ("F1", "Hilfe")]
EFFECTS = [("Strg+Z", "Rückgängig"), ("Strg+Y", "Wiederholen")] + FILE_KEYS + [
    ("Strg+Num +", "Vergrößern"), ("Strg+Num -", "Verkleinern"),
    ("Strg+Leertaste", "Dieses Fenster"), ("F1", "Hilfe")]
AREA = FILE_KEYS + [
    ("Umschalt+C", "Bild in die Zwischenablage kopieren"),
    ("Strg+V", "Bild aus der Zwischenablage einfügen"),
    ("Umschalt+V", "Bild aus einer Datei einfügen"),
    ("Strg+Num +", "Vergrößern"), ("Strg+Num -", "Verkleinern"),
    ("Pfeiltasten", "Bild verschieben"), ("F1", "Hilfe")]

# Section numbers as the callers pass them: 0 image view, 1 keyboard mode, 2 script editor,
# 3 effects view, 4 marked area.
SECTIONS = [("Zeichnen", IMAGE), ("Tastaturmodus", KEYBOARD), ("Scripteditor", SCRIPT),
            ("Effekte", EFFECTS), ("Markierter Bereich", AREA)]


def line(text):
    return text.encode("cp1252") + b"\r\n"


def key_list():
    out = b""
    for title, rows in SECTIONS:
        out += line(title) + struct.pack("<i", len(rows))
        for key, what in rows:
            out += line(key) + line(what)
    return out


def bmp_rows(w, h, pixel):
    """Bottom-up 24-bit rows, each padded to four bytes."""
    rows = b""
    for y in range(h - 1, -1, -1):
        row = b"".join(bytes(pixel(x, y)) for x in range(w))
        rows += row + b"\0" * ((4 - len(row) % 4) % 4)
    return rows


def icon_pixel(x, y):
    # A camera-like frame: dark body, light lens, on blue; returns B, G, R.
    cx, cy = x - 15.5, y - 17.5
    if 3 <= x <= 28 and 8 <= y <= 27:
        if cx * cx + cy * cy <= 36:
            return (240, 220, 120)
        return (60, 50, 40)
    if 10 <= x <= 18 and 5 <= y <= 7:
        return (60, 50, 40)
    return (200, 120, 40)


def icon():
    w = h = 32
    pixels = b""
    for y in range(h - 1, -1, -1):
        for x in range(w):
            b, g, r = icon_pixel(x, y)
            pixels += bytes((b, g, r, 255))
    mask = b"\0" * (4 * h)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", w, h, 0, 0, 1, 32, len(image), 22) + image


def menubar():
    w, h = 24, 120
    def pixel(x, y):
        v = 90 + y
        return (min(255, v + 60), min(255, v + 20), 40)
    rows = bmp_rows(w, h, pixel)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(info) + len(rows), 0, 0, 14 + len(info)) + info + rows


if __name__ == "__main__":
    open("data/Data/Key.list", "wb").write(key_list())
    open("data/Xtra/Icon.ico", "wb").write(icon())
    open("data/Xtra/Menubar.bmp", "wb").write(menubar())

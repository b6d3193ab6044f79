#!/usr/bin/env python3
"""Writes a small sample shopping list (.ptm list file) so that a first run
of the program has something to show.

Usage: scripts/sample-list.py <path.ptm>
"""
import struct
import sys

CATEGORIES = ["dairy", "produce", "bakery", "household"]

# category (1-based, 0 = none), name, unit, price, units to buy, flags
# (1 on the list, 2 one-time buy, 4 proposed by the auto list),
# purchases as (month, day, year, units), oldest first
ITEMS = [
    (1, "Milk", "1 gallon", 3.49, 2, 1, [(9, 5, 2026, 2), (9, 19, 2026, 2), (10, 3, 2026, 1)]),
    (1, "Cheddar", "8 oz block", 2.99, 0, 0, [(9, 19, 2026, 1)]),
    (1, "Eggs", "dozen", 2.79, 1, 5, [(9, 5, 2026, 1), (9, 26, 2026, 1)]),
    (2, "Apples", "3 lb bag", 4.29, 1, 1, [(9, 12, 2026, 1)]),
    (2, "Bananas", "bunch", 0.59, 0, 0, [(9, 26, 2026, 2)]),
    (2, "Carrots", "2 lb bag", 1.89, 0, 0, []),
    (3, "Bread", "loaf", 2.49, 1, 1, [(9, 5, 2026, 1), (9, 19, 2026, 1)]),
    (4, "Paper towels", "6 rolls", 7.99, 1, 3, []),
    (0, "Birthday candles", "box", 1.50, 1, 3, []),
]


def text20(text):
    return text.encode("latin-1")[:20].ljust(20, b" ")


def packed(month, day, year):
    return day | (month << 5) | ((year - 2000) << 9)


def record(catg, name, unit, price, units, flags, history):
    dates = [packed(m, d, y) for m, d, y, _ in history] + [0] * (5 - len(history))
    bought = [float(u) for _, _, _, u in history] + [0.0] * (5 - len(history))
    data = (struct.pack("<B", catg) + text20(name) + text20(unit) +
            struct.pack("<ff", price, units) + struct.pack("<5H", *dates) +
            struct.pack("<5f", *bought) + struct.pack("<B", flags))
    assert len(data) == 80
    return data


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = b"Pantrium 1.50" + struct.pack("<ii", len(ITEMS), len(CATEGORIES))
    out += b"".join(struct.pack("<i", i + 1) for i in range(len(ITEMS)))
    out += b"".join(record(*item) for item in ITEMS)
    out += b"".join(text20(name) for name in CATEGORIES)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()

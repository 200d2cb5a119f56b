#!/usr/bin/env python3
"""Writes a stock table as a spreadsheet exports it, for the import benchmark.

    make-stock-table.py TABLE.csv [--rows N]     (default: 1,000,000 rows)

UTF-8 with a heading row and 8 columns: a product name, a price with a pound
sign, a weight, a quoted description holding commas, two category columns
(20 categories of 50 sub-categories each, the rows spread over them), a
catalogue number and a VAT code. About 140 bytes a row. The column
assignment file TABLE.sff is written beside it.
"""
import argparse
import os

ADJECTIVES = ["sturdy", "light", "handy", "classic", "compact", "durable", "elegant", "simple"]
NOUNS = ["widget", "gadget", "holder", "basket", "lantern", "planter", "bracket", "toolbox"]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("table")
    parser.add_argument("--rows", type=int, default=1000000)
    args = parser.parse_args()

    categories = ["Category %02d" % c for c in range(20)]
    subcategories = ["Range %02d" % s for s in range(50)]
    with open(args.table, "w", encoding="utf-8", newline="") as out:
        out.write("Name,Price,Weight,Description,Category,Sub-category,Code,VAT\r\n")
        for i in range(args.rows):
            spread = (i * 7919) % 1000
            adjective = ADJECTIVES[i % len(ADJECTIVES)]
            noun = NOUNS[(i // 8) % len(NOUNS)]
            out.write(
                'Product %07d,\u00a3%d.%02d,%d.%03d,"A %s %s, size %d, for everyday use at home, '
                'in the garden or shed",%s,%s,QS-%07d,%d\r\n'
                % (i, 1 + i % 500, i % 100, i % 5, i % 1000, adjective, noun, i % 100,
                   categories[spread // 50], subcategories[spread % 50], i, 1 + i % 3))
    base = os.path.splitext(args.table)[0]
    with open(base + ".sff", "w", newline="") as sff:
        sff.write("\tProduct Name\tPrice\tWeight\tDescription\tCategory\tCategory\tCatalogue Number\tTax Code\r\n")


if __name__ == "__main__":
    main()

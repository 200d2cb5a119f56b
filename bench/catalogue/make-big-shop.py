#!/usr/bin/env python3
"""Writes a realistic big catalogue: shop.data and header_data.log.

About 5,000 categories three levels deep (top level, sub-category, leaf) and
the given number of products spread over the leaves, with about half of each
product's fields empty, as a merchant's real catalogue has them.
"""
import argparse
import os
import random

WORDS = ("oak walnut linen cotton wool brass steel copper glass stone amber coral ivory slate "
         "cedar maple birch velvet satin silk denim leather paper clay marble granite bamboo "
         "hand-made classic modern rustic vintage compact deluxe travel garden kitchen office").split()
UNITS = ("each", "pair", "set", "box", "kg", "metre")


def phrase(rng, count):
    return " ".join(rng.choice(WORDS) for _ in range(count))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("data_dir", help="the shop's data folder")
    parser.add_argument("--products", type=int, default=1_000_000)
    parser.add_argument("--top", type=int, default=20, help="top-level categories")
    parser.add_argument("--sub", type=int, default=15, help="sub-categories of each top-level one")
    parser.add_argument("--leaf", type=int, default=16, help="leaf categories of each sub-category")
    parser.add_argument("--seed", type=int, default=7)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    os.makedirs(args.data_dir, exist_ok=True)

    paths = []
    with open(os.path.join(args.data_dir, "header_data.log"), "wb") as header:
        index = 0
        for t in range(args.top):
            top = f"{phrase(rng, 2).title()} {t}"
            header.write(f"{index}::{top}::{phrase(rng, 8)}::::top{t}.jpg::\r\n".encode("cp1252"))
            index += 1
            for s in range(args.sub):
                sub = f"{top}|{phrase(rng, 2).title()} {s}"
                header.write(f"{index}::{sub}::{phrase(rng, 6)}::::::\r\n".encode("cp1252"))
                index += 1
                for leaf in range(args.leaf):
                    path = f"{sub}|{phrase(rng, 1).title()} {leaf}"
                    header.write(f"{index}::{path}::::::::\r\n".encode("cp1252"))
                    index += 1
                    paths.append(path)

    per_leaf = args.products / len(paths)
    with open(os.path.join(args.data_dir, "shop.data"), "wb", buffering=1 << 20) as shop:
        product_id = 0
        for leaf_index, path in enumerate(paths):
            end = round(per_leaf * (leaf_index + 1))
            lines = []
            while product_id < end:
                fields = [""] * 21
                fields[0] = "S|M|L" if rng.random() < 0.1 else ""                 # Type
                fields[1] = "1|2" if fields[0] and rng.random() < 0.5 else ""     # Options
                fields[2] = phrase(rng, 2) if rng.random() < 0.6 else ""          # Custom Field 1
                fields[3] = phrase(rng, 1) if rng.random() < 0.4 else ""          # Custom Field 2
                fields[5] = rng.choice(UNITS)                                     # Unit
                fields[6] = f"{rng.randint(1, 500)}.{rng.randint(0, 99):02d}"     # Price
                fields[11] = f"{rng.randint(1, 5000) / 100:.2f}"                  # Weight
                fields[12] = f"CN-{product_id:07d}"                               # Catalogue Number
                fields[16] = phrase(rng, rng.randint(8, 16))                      # Description
                fields[17] = f"p{product_id}.jpg" if rng.random() < 0.7 else ""   # Picture
                fields[19] = "1"                                                  # Tax Code
                name = f"{phrase(rng, 2).title()} {product_id}"
                lines.append(f"{product_id}::{path}|{name}::" + "::".join(fields) + "\r\n")
                product_id += 1
            shop.write("".join(lines).encode("cp1252"))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Times the shop's pages on a big catalogue, each request a cold start of
the script run as a CGI program, as a web host runs it.

    bench/storefront/run-benchmark.py [--products N] [--runs N]

Builds a shop folder with the shipped scripts and a generated catalogue
(bench/catalogue/make-big-shop.py), then for a category page, a product page
and searches (a rare word in the names, a common one, and one found nowhere)
prints the median and slowest wall time of --runs runs. The first request,
which files the catalogue into the scripts' index, is timed on its own.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRIPTS = os.path.join(ROOT, "share", "program", "Apache", "cgi-bin", "qstldb")


def request(shop, query):
    environment = dict(os.environ, GATEWAY_INTERFACE="CGI/1.1", REQUEST_METHOD="GET", QUERY_STRING=query,
                       SCRIPT_NAME="/cgi-bin/qstldb/bench-cgi/Catalogue.pl", SERVER_PROTOCOL="HTTP/1.1")
    start = time.perf_counter()
    done = subprocess.run(["perl", os.path.join(shop, "Catalogue.pl")], env=environment,
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=True)
    elapsed = time.perf_counter() - start
    if not done.stdout.startswith(b"Status: 200") or done.stderr:
        sys.exit(f"{query}: {done.stdout[:200]!r} {done.stderr[:500]!r}")
    return elapsed, done.stdout


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--products", type=int, default=100000)
    parser.add_argument("--runs", type=int, default=20)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory(prefix="storefront-bench-") as shop:
        for name in os.listdir(SCRIPTS):
            if name.endswith((".pl", ".pm")):
                shutil.copy(os.path.join(SCRIPTS, name), shop)
        data = os.path.join(shop, "data")
        os.mkdir(data)
        subprocess.run([sys.executable, os.path.join(ROOT, "bench", "catalogue", "make-big-shop.py"), data,
                        "--products", str(args.products)], check=True)
        with open(os.path.join(shop, "qstl2.cfg"), "wb") as settings:
            settings.write(b"currency=gbp\r\nIMAGEPATH=/images\r\nsearchfields=18:Description,14:Number\r\n")
        with open(os.path.join(data, "header_data.log"), "rb") as categories:
            leaf = categories.read().split(b"\r\n")[3].split(b"::")[0].decode()
        with open(os.path.join(data, "shop.data"), "rb") as products:
            lines = products.read().split(b"\r\n")
        middle = lines[len(lines) // 2].split(b"::")
        product, name = middle[0].decode(), middle[1].split(b"|")[-1].decode()
        size = os.path.getsize(os.path.join(data, "shop.data"))
        print(f"{args.products} products, shop.data {size / 1e6:.1f} MB, {args.runs} runs each")

        first, _ = request(shop, f"cat={leaf}")
        print(f"{'first request, building the index':40} {first:7.3f} s")
        pages = [("category page", f"cat={leaf}"), ("product page", f"product={product}"),
                 ("search, a product's name", "search=" + name.replace(" ", "+")),
                 ("search, a common word, all fields", "search=oak"),
                 ("search, found nowhere", "search=zebra"),
                 ("welcome page", "")]
        for label, query in pages:
            times = [request(shop, query)[0] for _ in range(args.runs)]
            print(f"{label:40} median {statistics.median(times):7.3f} s, slowest {max(times):7.3f} s")


if __name__ == "__main__":
    main()

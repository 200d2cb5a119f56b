#!/usr/bin/env python3
"""Measures the CPU time of the shop's pages on a big catalogue against a
bare CGI script, each request a cold start run as a web host runs it.

    bench/storefront/run-benchmark.py [--products N ...] [--runs N] [--scripts DIR]

For each size, builds a shop folder with the scripts (the shipped ones, or
those of --scripts) and a generated catalogue (bench/catalogue/make-big-shop.py).
The first request, which builds the scripts' index, and the first search,
which files the words, are measured on their own.
Then the welcome, category and product pages and searches (a product's
name, a common word, a word found nowhere) run --runs times each, each run
followed by a run of a bare `#!/usr/bin/perl` CGI script, so that the
floor shares the machine's state of the moment. Prints each page's median
CPU time (user + system of the process), the floor's median and the ratio.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRIPTS = os.path.join(ROOT, "share", "program", "Apache", "cgi-bin", "qstldb")
BARE_CGI = b'#!/usr/bin/perl\nprint "Status: 200 OK\\r\\nContent-Type: text/html\\r\\n\\r\\n<p>Hello</p>\\n";\n'


def cpu_run(arguments, environment):
    """Runs a program; returns its CPU seconds, its output and its errors."""
    with tempfile.TemporaryFile() as output, tempfile.TemporaryFile() as errors:
        process = subprocess.Popen(arguments, env=environment, stdout=output, stderr=errors)
        _, status, usage = os.wait4(process.pid, 0)
        process.returncode = os.waitstatus_to_exitcode(status)
        output.seek(0)
        errors.seek(0)
        return usage.ru_utime + usage.ru_stime, output.read(), errors.read()


def request(script, query):
    environment = dict(os.environ, GATEWAY_INTERFACE="CGI/1.1", REQUEST_METHOD="GET", QUERY_STRING=query,
                       SCRIPT_NAME="/cgi-bin/qstldb/bench-cgi/" + os.path.basename(script),
                       SERVER_PROTOCOL="HTTP/1.1")
    seconds, output, errors = cpu_run(["perl", script], environment)
    if not output.startswith(b"Status: 200") or errors:
        sys.exit(f"{script}?{query}: {output[:200]!r} {errors[:500]!r}")
    return seconds


def make_shop(folder, scripts, products):
    for name in os.listdir(scripts):
        if name.endswith((".pl", ".pm")):
            shutil.copy(os.path.join(scripts, name), folder)
    with open(os.path.join(folder, "Bare.pl"), "wb") as bare:
        bare.write(BARE_CGI)
    data = os.path.join(folder, "data")
    os.mkdir(data)
    subprocess.run([sys.executable, os.path.join(ROOT, "bench", "catalogue", "make-big-shop.py"), data,
                    "--products", str(products)], check=True)
    with open(os.path.join(folder, "qstl2.cfg"), "wb") as settings:
        settings.write(b"currency=gbp\r\nIMAGEPATH=/images\r\nsearchfields=18:Description,14:Number\r\n")
    with open(os.path.join(data, "header_data.log"), "rb") as categories:
        leaf = categories.read().split(b"\r\n")[3].split(b"::")[0].decode()
    with open(os.path.join(data, "shop.data"), "rb") as catalogue:
        lines = catalogue.read().split(b"\r\n")
    middle = lines[len(lines) // 2].split(b"::")
    product, name = middle[0].decode(), middle[1].split(b"|")[-1].decode()
    return leaf, product, name, os.path.getsize(os.path.join(data, "shop.data"))


def measure(products, runs, scripts):
    with tempfile.TemporaryDirectory(prefix="storefront-bench-") as shop:
        leaf, product, name, size = make_shop(shop, scripts, products)
        catalogue, bare = os.path.join(shop, "Catalogue.pl"), os.path.join(shop, "Bare.pl")
        print(f"\n{products} products, shop.data {size / 1e6:.1f} MB, {runs} runs each", flush=True)
        first = request(catalogue, f"cat={leaf}")
        first_search = request(catalogue, "search=walnut")
        floor = statistics.median(request(bare, "") for _ in range(5))
        for label, seconds in (("first request, building the index", first),
                               ("first search, filing the words", first_search)):
            print(f"{label:36} {seconds * 1000:9.1f} ms CPU  {seconds / floor:8.1f} x floor", flush=True)
        pages = [("welcome page", ""), ("category page", f"cat={leaf}"), ("product page", f"product={product}"),
                 ("search, a product's name", "search=" + name.replace(" ", "+")),
                 ("search, a common word", "search=oak"),
                 ("search, found nowhere", "search=zebra")]
        for label, query in pages:
            page_times, floor_times = [], []
            for _ in range(runs):
                page_times.append(request(catalogue, query))
                floor_times.append(request(bare, ""))
            page, floor = statistics.median(page_times), statistics.median(floor_times)
            print(f"{label:36} {page * 1000:9.1f} ms CPU  {page / floor:8.1f} x floor"
                  f"  (floor {floor * 1000:.1f} ms, {(page - floor) * 1000:.1f} ms above)", flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--products", type=int, nargs="+", default=[10000, 100000, 1000000])
    parser.add_argument("--runs", type=int, default=11)
    parser.add_argument("--scripts", default=SCRIPTS, help="the folder of the scripts measured")
    args = parser.parse_args()
    for products in args.products:
        measure(products, args.runs, os.path.abspath(args.scripts))


if __name__ == "__main__":
    main()

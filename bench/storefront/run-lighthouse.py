#!/usr/bin/env python3
"""Scores the demo shop's pages with Lighthouse, as the preview serves them.

    bench/storefront/run-lighthouse.py CLI --lighthouse DIR [--report-dir DIR]

CLI is a built quaystall-cli; DIR a folder outside the repository where
`npm install lighthouse` was run (Lighthouse runs Debian's chromium). Builds
the demo shop of the browser tests, serves it with the preview's lighttpd
on a free loopback port, puts a product in a basket, and scores the welcome,
category, product, search, basket and checkout pages for mobile and desktop
in the four categories. Prints each page's scores and the audits that did
not pass in full.
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "tests", "browser"))

import demo_shop  # noqa: E402
from shop_client import ShopClient, page_form  # noqa: E402
from shop_servers import Lighttpd  # noqa: E402

CATEGORIES = ("performance", "accessibility", "best-practices", "seo")
# The host's robots.txt is not the shop's: the preview serves none.
NOT_THE_SHOPS = {"robots-txt"}


def lighthouse(folder, url, cookies, desktop, report):
    command = [os.path.join(folder, "node_modules", ".bin", "lighthouse"), url, "--quiet", "--output=json",
               f"--output-path={report}", "--chrome-flags=--headless=new --no-sandbox",
               f"--only-categories={','.join(CATEGORIES)}"]
    if desktop:
        command.append("--preset=desktop")
    if cookies:
        command.append("--extra-headers=" + json.dumps({"Cookie": "; ".join(f"{k}={v}" for k, v in cookies.items())}))
    subprocess.run(command, check=True, env=dict(os.environ, CHROME_PATH="/usr/bin/chromium"), timeout=300)
    with open(report, encoding="utf-8") as f:
        result = json.load(f)
    scores = {name: result["categories"][name]["score"] for name in CATEGORIES}
    missed = sorted(f"{audit['id']} ({audit['score']})" for audit in result["audits"].values()
                    if audit.get("score") is not None and audit["score"] < 1
                    and audit.get("scoreDisplayMode") in ("binary", "numeric") and audit["id"] not in NOT_THE_SHOPS)
    return scores, missed


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("cli")
    parser.add_argument("--lighthouse", required=True, help="the folder where lighthouse is installed")
    parser.add_argument("--report-dir", help="keep the JSON reports here")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory(prefix="quaystall-lighthouse-") as folder:
        shop = demo_shop.build_demo_shop(args.cli, ROOT, os.path.join(folder, "built"))
        cgi_root, images_root = shop.served_copy(os.path.join(folder, "served"))
        reports = args.report_dir or folder
        os.makedirs(reports, exist_ok=True)
        with Lighttpd(cgi_root, images_root) as server:
            base = server.url(f"/cgi-bin/qstldb/{demo_shop.SHOP}-cgi/")
            customer = ShopClient(base)
            product = demo_shop.FLAT_CAP.id
            page = customer.get(f"Catalogue.pl?product={product}")
            form = page_form(page.text, "Add to basket")
            customer.post(form.action or "Basket.pl", dict(form.hidden, qty="1"))
            pages = [("welcome", "Catalogue.pl", False), ("category", "Catalogue.pl?cat=0", False),
                     ("product", f"Catalogue.pl?product={product}", False), ("search", "Catalogue.pl?search=hat", False),
                     ("basket", "Basket.pl", True), ("checkout", "Checkout.pl", True)]
            print(f"{'page':10} {'form':8} " + " ".join(f"{name:>15}" for name in CATEGORIES))
            for name, path, with_basket in pages:
                for desktop in (False, True):
                    device = "desktop" if desktop else "mobile"
                    scores, missed = lighthouse(args.lighthouse, base + path, customer.cookies if with_basket else {},
                                                desktop, os.path.join(reports, f"{name}-{device}.json"))
                    print(f"{name:10} {device:8} " + " ".join(f"{round(scores[c] * 100):>15}" for c in CATEGORIES),
                          flush=True)
                    if missed:
                        print(f"{'':19} not in full: {', '.join(missed)}", flush=True)


if __name__ == "__main__":
    main()

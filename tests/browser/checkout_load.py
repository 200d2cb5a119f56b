#!/usr/bin/env python3
"""Many customers checking out of the demo shop at the same moment, under
lighttpd on loopback, without a browser:

    checkout_load.py CLI SOURCE_DIR [--customers N]

Each customer, in a thread of its own with its own cookies and its own
loopback address (the shop limits the orders one address places in a
minute), puts a product in a basket, gives its details, reads the summary and places the order.
Then every order file must be whole, the orders numbered 1 to N once each,
every basket file left readable and each customer's basket empty, each
customer told the number of its own order, and each order's two mails
caught. The run's figures (wall time, slowest checkout, requests per
second) are printed.
"""
import argparse
import dataclasses
import os
import re
import statistics
import sys
import tempfile
import threading
import time
import unittest

import demo_shop
from demo_shop import FLAT_CAP, SHOP
from mail_capture import SendmailStandIn
from order_files import order_numbers, order_path, read_order
from shop_client import ShopClient, page_form
from shop_servers import Lighttpd

CUSTOMERS = 200
# A bound against a run that hangs, far above what the run takes.
LIMIT_SECONDS = 300
REQUEST_SECONDS = 120
MAIL_SECONDS = 60
PRODUCT = FLAT_CAP
AREA = "United Kingdom"  # one of the exported shop's delivery areas
BASKET_LINE = re.compile(r"-?\d{1,18}\t\d{1,3}\t[^\t\r\n]*(\t[^\t\r\n]*=[^\t\r\n]*)*")
BASKET_ID = re.compile(r"[0-9a-f]{32}")


class CheckoutFailed(AssertionError):
    pass


@dataclasses.dataclass
class Outcome:
    customer: int
    email: str
    number: int = None  # as the thank-you page gave it
    basket: str = None  # the basket's identifier when the order was placed, from its cookie
    seconds: float = None
    requests: int = 0
    problem: str = None


def expect(condition, step, answer):
    if not condition:
        raise CheckoutFailed(f"{step}: status {answer.status} at {answer.url}:\n{answer.text[:600]}")


def check_out(base_url, outcome, start):
    address = f"127.0.{outcome.customer // 250 + 1}.{outcome.customer % 250 + 1}"
    customer = ShopClient(base_url, timeout=REQUEST_SECONDS, source_address=address)
    start.wait()
    began = time.monotonic()
    product_page = customer.get(f"Catalogue.pl?product={PRODUCT.id}")
    add = page_form(product_page.text, "Add to basket")
    expect(product_page.status == 200 and add, "the product's form", product_page)
    basket = customer.post(add.action or product_page.url, dict(add.hidden, qty="1"))
    expect(basket.status == 200 and "basket" in customer.cookies, "adding to the basket", basket)
    details_page = customer.get("Checkout.pl")
    details = page_form(details_page.text, "Continue")
    expect(details_page.status == 200 and details, "the details form", details_page)
    fields = dict(details.hidden, name=f"Customer {outcome.customer}", email=outcome.email, phone="01632 960000",
                  address="2 Quay Lane", postcode="PO2 3CD", area=AREA)
    if "accept_terms" in details.fields:
        fields["accept_terms"] = "1"
    summary_page = customer.post(details.action or details_page.url, fields)
    summary = page_form(summary_page.text, "Place order")
    expect(summary_page.status == 200 and summary, "the summary", summary_page)
    outcome.basket = customer.cookies["basket"]
    thanks = customer.post(summary.action or summary_page.url, summary.hidden)
    found = re.search(r"Order number: (\d+)", thanks.text)
    expect(thanks.status == 200 and found, "placing the order", thanks)
    outcome.number = int(found.group(1))
    outcome.seconds = time.monotonic() - began
    outcome.requests = customer.requests


def run_customer(base_url, outcome, start):
    try:
        check_out(base_url, outcome, start)
    except Exception as error:  # every customer's failure is reported, whatever it was
        outcome.problem = f"{type(error).__name__}: {error}"


def basket_problem(path):
    """Why a basket file cannot be read as one; None when it can."""
    with open(path, "rb") as f:
        data = f.read()
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError:
        return "not UTF-8"
    if text and not text.endswith("\r\n"):
        return f"a cut-off last line: {text[-60:]!r}"
    wrong = [line for line in text.split("\r\n")[:-1] if not BASKET_LINE.fullmatch(line)]
    return f"lines that are not basket lines: {wrong}" if wrong else None


class CheckoutLoad(unittest.TestCase):
    cli = None
    source_dir = None
    customers = CUSTOMERS

    def setUp(self):
        folder = tempfile.TemporaryDirectory(prefix="quaystall-load-")
        self.addCleanup(folder.cleanup)
        shop = demo_shop.build_demo_shop(self.cli, self.source_dir, os.path.join(folder.name, "built"))
        cgi_root, images_root = shop.served_copy(os.path.join(folder.name, "served"))
        self.shop_folder = demo_shop.shop_folder(cgi_root)
        self.mail = SendmailStandIn().start()
        self.addCleanup(self.mail.stop)
        demo_shop.change_settings(self.shop_folder, self.mail.shop_settings())
        self.server = Lighttpd(cgi_root, images_root).start()
        self.addCleanup(self.server.stop)

    def run_customers(self):
        """Every customer's outcome and the wall time from the start to the last checkout's end."""
        outcomes = [Outcome(index, f"customer{index}@load.test") for index in range(1, self.customers + 1)]
        start = threading.Barrier(self.customers + 1)
        base_url = self.server.url(f"/cgi-bin/qstldb/{SHOP}-cgi/")
        threads = [threading.Thread(target=run_customer, args=(base_url, outcome, start), daemon=True)
                   for outcome in outcomes]
        for thread in threads:
            thread.start()
        start.wait()
        began = time.monotonic()
        for thread in threads:
            thread.join(max(0.0, began + LIMIT_SECONDS - time.monotonic()))
        running = sum(thread.is_alive() for thread in threads)
        if running:
            self.fail(f"{running} of {self.customers} checkouts were still running after {LIMIT_SECONDS} s")
        return outcomes, time.monotonic() - began

    def test_customers_checking_out_at_once_each_get_their_own_whole_order(self):
        outcomes, wall = self.run_customers()
        failed = [outcome for outcome in outcomes if outcome.problem]
        self.assertFalse(failed, f"{len(failed)} of {self.customers} checkouts failed; the first:\n"
                         + "\n".join(f"customer {o.customer}: {o.problem}" for o in failed[:5])
                         + f"\nserver log:\n{self.server.log()[-3000:]}")
        seconds = [outcome.seconds for outcome in outcomes]
        requests = sum(outcome.requests for outcome in outcomes)
        print(f"\n{self.customers} checkouts at once under lighttpd: wall time {wall:.1f} s, slowest checkout "
              f"{max(seconds):.1f} s, median {statistics.median(seconds):.1f} s, {requests} requests, "
              f"{requests / wall:.1f} requests per second", file=sys.stderr)

        self.assertEqual(order_numbers(self.shop_folder), list(range(1, self.customers + 1)), "the order files")
        by_email = {}
        for number in order_numbers(self.shop_folder):
            order = read_order(order_path(self.shop_folder, number))
            self.assertEqual([(line.quantity, line.name) for line in order.lines], [("1", PRODUCT.name)],
                             f"order {number}'s lines")
            self.assertEqual(order.values["total"], f"{PRODUCT.price():.2f}", f"order {number}'s total")
            by_email[order.values["email"]] = number
        self.assertEqual({outcome.email: outcome.number for outcome in outcomes}, by_email,
                         "the number each customer was told against the order file holding its details")

        baskets = os.path.join(self.shop_folder, "data", "baskets")
        left = [name for name in os.listdir(baskets) if name != "last-sweep"]
        self.assertEqual([name for name in left if not BASKET_ID.fullmatch(name)], [], "files left among the baskets")
        self.assertEqual({name: basket_problem(os.path.join(baskets, name)) for name in left},
                         {name: None for name in left}, "damaged baskets")
        emptied = [outcome.basket for outcome in outcomes]
        self.assertEqual([basket for basket in emptied if basket in left
                          and os.path.getsize(os.path.join(baskets, basket))], [], "baskets not emptied by their order")

        mails = self.mail.wait_for(2 * self.customers, MAIL_SECONDS)
        self.assertEqual(sorted(address for mail in mails for address in mail.recipients if address in by_email),
                         sorted(by_email), "the customers' confirmations")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("cli")
    parser.add_argument("source_dir")
    parser.add_argument("--customers", type=int, default=CUSTOMERS)
    arguments, rest = parser.parse_known_args()
    CheckoutLoad.cli = os.path.abspath(arguments.cli)
    CheckoutLoad.source_dir = os.path.abspath(arguments.source_dir)
    CheckoutLoad.customers = arguments.customers
    unittest.main(module=__name__, argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()

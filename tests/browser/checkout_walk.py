#!/usr/bin/env python3
"""Customers checking out of the demo shop in headless Chromium, and the
administrators dealing with their orders, under one web server:

    checkout_walk.py lighttpd|apache CLI SOURCE_DIR [--screenshots DIR]

The same two products are bought to a VAT-liable area and to one that is
not, under each postage method, the shop's settings and delivery files being
changed in the served copy between purchases. Each summary's figures are
checked against figures worked out here, and each order against its file in
the data folder and its two mails, caught by a stand-in mail program under
lighttpd and by an SMTP server under Apache. Screenshots of the details
form, the summary and the thank-you page go to DIR.
"""
import csv
import dataclasses
import io
import os
import re
from decimal import ROUND_HALF_UP, Decimal

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select

import demo_shop
from demo_shop import GLOVES, JUMPER, OPTIONS, STOREFRONT
from mail_capture import SendmailStandIn, SmtpSink
from order_files import order_path, read_order
from shop_client import ShopClient
from storefront_walk import SHOP_CGI, ShopWalk, amount_of, run_walk

MAIL_CATCHERS = {"lighttpd": SendmailStandIn, "apache": SmtpSink}
PENNY = Decimal("0.01")


@dataclasses.dataclass(frozen=True)
class Area:
    name: str
    zone: int
    liable: bool

    def area_line(self, default=False):
        return f"{'*' if default else ''}{self.name}={self.zone},{int(self.liable)}"


HOME = Area("United Kingdom", 1, True)
ABROAD = Area("Norway", 3, False)
AREAS = [HOME, ABROAD]

# The charges of zones 1 to 6: by weight band (up to its limit, in the
# products' weight unit), and fixed.
WEIGHT_BANDS = [
    (Decimal("2"), ["2.00", "2.50", "4.00", "5.00", "6.00", "7.00"]),
    (Decimal("5"), ["3.50", "4.50", "7.50", "9.00", "10.00", "11.00"]),
    (Decimal("50"), ["9.00", "12.00", "15.00", "18.00", "21.00", "24.00"]),
]
FIXED_COSTS = ["4.00", "5.00", "6.00", "7.00", "8.00", "9.00"]
# zones_fixed.log's limit, above anything ordered here.
FIXED_LIMIT = "1000"


def delivery_files():
    """The data files of the delivery areas and postage charges, by name."""
    return {
        "area.txt": [HOME.area_line(default=True), ABROAD.area_line()],
        "zones_data.log": [f"{number}::{limit}::{'::'.join(charges)}"
                           for number, (limit, charges) in enumerate(WEIGHT_BANDS, start=1)],
        "zones_fixed.log": [f"1::{FIXED_LIMIT}::{'::'.join(FIXED_COSTS)}"],
    }


@dataclasses.dataclass(frozen=True)
class Pick:
    """A basket line: the product, its type and its option fields' chosen variations."""
    product: demo_shop.Product
    quantity: int
    type: str = None
    choices: tuple = ()  # (field, variation)

    def total(self):
        return self.quantity * self.product.price(self.type)

    def weight(self):
        return self.quantity * Decimal(self.product.weight)

    def vat_rate(self):
        return next(Decimal(rate) for code, rate, _ in demo_shop.VAT_CODES if code == self.product.tax)


PURCHASE = [
    Pick(JUMPER, 2, "Wool", (("opt1", "Medium"), ("opt2", "Blue"))),
    Pick(GLOVES, 1, None, (("opt1", "Large"),)),
]

# Each postage method once; the VAT-included round has postage that holds
# its own VAT. One round offers to remember the customer's details.
ROUNDS = [
    {"shipmethod": "perzoneweight", "taxaction": "exclude", "postvatinc": "no", "save_user_details": "OFF"},
    {"shipmethod": "perzone", "taxaction": "include", "postvatinc": "yes", "save_user_details": "ON"},
    {"shipmethod": "percentage", "shippercent": "10", "taxaction": "exclude", "postvatinc": "no",
     "save_user_details": "OFF"},
]


def half_up(amount):
    return amount.quantize(PENNY, rounding=ROUND_HALF_UP)


def postage(settings, area, picks):
    method = settings["shipmethod"]
    if method == "perzoneweight":
        weight = sum(pick.weight() for pick in picks)
        return Decimal(next(charges for limit, charges in WEIGHT_BANDS if weight <= limit)[area.zone - 1])
    if method == "perzone":
        return Decimal(FIXED_COSTS[area.zone - 1])
    return half_up(sum(pick.total() for pick in picks) * Decimal(settings["shippercent"]) / 100)


@dataclasses.dataclass(frozen=True)
class Charges:
    subtotal: Decimal
    postage: Decimal
    vat: Decimal  # as the order keeps it: the VAT charged
    vat_shown: Decimal  # the summary's VAT figure: added, held in the prices, or taken off
    total: Decimal


def expected_charges(settings, area, picks):
    """Excluded VAT is added per line, rounded half up, and on postage at
    the goods' average rate unless postvatinc is "yes", to liable areas only.
    Included VAT stays in the prices to liable areas and is taken off them
    elsewhere."""
    subtotal = sum(pick.total() for pick in picks)
    carriage = postage(settings, area, picks)
    if settings["taxaction"] == "include":
        held = sum(half_up(pick.total() * pick.vat_rate() / (100 + pick.vat_rate())) for pick in picks)
        if area.liable:
            return Charges(subtotal, carriage, held, held, subtotal + carriage)
        return Charges(subtotal, carriage, Decimal(0), -held, subtotal - held + carriage)
    if not area.liable:
        return Charges(subtotal, carriage, Decimal(0), Decimal(0), subtotal + carriage)
    goods_vat = sum(half_up(pick.total() * pick.vat_rate() / 100) for pick in picks)
    postage_vat = Decimal(0) if settings["postvatinc"] == "yes" else half_up(carriage * goods_vat / subtotal)
    vat = goods_vat + postage_vat
    return Charges(subtotal, carriage, vat, vat, subtotal + carriage + vat)


@dataclasses.dataclass(frozen=True)
class Customer:
    name: str
    email: str
    phone: str = "01632 960123"
    address: str = "1 Harbour Row\nPortside"
    postcode: str = "PO1 2AB"


def money(amount):
    return str(amount.quantize(PENNY))


class Checkout(ShopWalk):
    walk = "checkout"

    # --- the customer's pages ---------------------------------------------

    def put_in_basket(self, pick):
        self.go(f"{STOREFRONT}?product={pick.product.id}")
        self.assertEqual(self.heading(), pick.product.name)
        form = self.driver.find_element(By.CSS_SELECTOR, "form.order")
        if pick.type:
            form = self.choose_type(form, pick.type)
        radio_limit = int(demo_shop.SETTINGS["opt_radio_entries"])
        for field, variation in pick.choices:
            _, variations = OPTIONS[pick.product.options[int(field[3:]) - 1]]
            if len(variations) <= radio_limit:
                self.choose_radio(form, field, variation)
            else:
                self.choose_variation_from_list(form, field, variation)
        self.add_to_basket(form, quantity=pick.quantity)

    def fill_details(self, customer, area, settings, screenshots):
        form = self.driver.find_element(By.XPATH, "//form[.//*[@name='email']]")
        for field in ("name", "email", "phone", "address", "postcode"):
            box = form.find_element(By.NAME, field)
            box.clear()
            box.send_keys(getattr(customer, field))
        areas = Select(form.find_element(By.CSS_SELECTOR, "select[name=area]"))
        self.assertEqual([option.text.strip() for option in areas.options if option.get_attribute("value") != ""],
                         [choice.name for choice in AREAS], "the areas offered are not those of area.txt")
        areas.select_by_visible_text(area.name)
        terms = form.find_elements(By.CSS_SELECTOR, "input[name=accept_terms]")
        self.assertTrue(terms, "the shop has terms but the details form asks for no acceptance")
        if not terms[0].is_selected():
            terms[0].click()
        self.assertEqual(bool(form.find_elements(By.CSS_SELECTOR, "input[name=remember]")),
                         settings["save_user_details"] == "ON", "the offer to remember the details")
        if screenshots:
            self.screenshot("details")
        self.leave_page(lambda: self.press(form, "Continue"))

    def table_rows(self):
        """Every table row of the page as the texts of its cells."""
        return self.driver.execute_script(
            "return Array.from(document.querySelectorAll('tr'), row => Array.from(row.cells, cell => cell.innerText.trim()))")

    def check_summary(self, picks, charges):
        rows = self.table_rows()
        for pick in picks:
            lines = [row for row in rows if row and row[0].startswith(pick.product.name)]
            self.assertEqual(len(lines), 1, f"{pick.product.name} is not one line of the summary: {rows}")
            for chosen in ([pick.type] if pick.type else []) + [variation for _, variation in pick.choices]:
                self.assertIn(chosen, lines[0][0], f"the summary's line lacks the choice {chosen}")
            self.assertEqual(amount_of(lines[0][-1]), pick.total(), f"line total of {lines[0]}")
        figures = [(row[0], amount_of(row[-1])) for row in rows if len(row) > 1 and amount_of(row[-1]) is not None]
        shown = dict(figures)
        for label, amount in (("Subtotal", charges.subtotal), ("Postage", charges.postage), ("Total", charges.total)):
            self.assertEqual(shown.get(label), amount, f"{label} on the summary: {figures}")
        vat_shown = [amount for label, amount in figures if "VAT" in label and amount != 0]
        self.assertEqual(vat_shown, [charges.vat_shown] if charges.vat_shown else [], f"VAT on the summary: {figures}")

    def buy(self, customer, area, settings, picks, charges, screenshots):
        """Walks from an empty basket to the thank-you page; the order's number."""
        self.driver.delete_all_cookies()
        for pick in picks:
            self.put_in_basket(pick)
        self.leave_page(lambda: self.press(self.driver, "Checkout"))
        self.fill_details(customer, area, settings, screenshots)
        self.check_summary(picks, charges)
        if screenshots:
            self.screenshot("summary")
        self.leave_page(lambda: self.press(self.driver, "Place order"))
        if screenshots:
            self.screenshot("thank-you")
        found = re.search(r"Order number: (\d+)", self.driver.find_element(By.TAG_NAME, "body").text)
        self.assertIsNotNone(found, f"no order number on the page after placing the order:\n{self.driver.page_source}")
        return int(found.group(1))

    # --- what the shop keeps and sends ------------------------------------

    def check_order_file(self, number, customer, area, picks, charges):
        order = read_order(order_path(self.shop_folder, number))
        expected = {"order": str(number), "name": customer.name, "email": customer.email, "area": area.name,
                    "subtotal": money(charges.subtotal), "postage": money(charges.postage),
                    "vat": money(charges.vat), "total": money(charges.total)}
        self.assertEqual({key: order.values[key] for key in expected}, expected)
        self.assertEqual(len(order.lines), len(picks), order.lines)
        for pick in picks:
            line = next((line for line in order.lines if line.name == pick.product.name), None)
            self.assertIsNotNone(line, f"no line of {pick.product.name}: {order.lines}")
            self.assertEqual((line.quantity, line.number, line.type, line.total),
                             (str(pick.quantity), f"D-{pick.product.id}", pick.type or "", money(pick.total())))
            for _, variation in pick.choices:
                self.assertIn(variation, line.choices)

    def check_mails(self, mails, number, customer):
        sales = demo_shop.SETTINGS["sales_email"]
        for address in (sales, customer.email):
            to_address = [mail for mail in mails if address in mail.recipients]
            self.assertEqual(len(to_address), 1, f"mails of order {number} to {address}: "
                                                 f"{[(mail.recipients, mail.subject) for mail in mails]}")
            mail = to_address[0]
            self.assertRegex(mail.subject + "\n" + mail.body, rf"\b{number}\b", f"the mail to {address}")
            if mail.arguments:
                self.assertEqual(set(mail.arguments), {"-t", "-i"}, "the mail program's arguments")

    # --- the administrators' pages ----------------------------------------

    def administrators_mark_paid(self, number, picks, charges):
        self.go(SHOP_CGI + "Admin.pl")
        form = self.driver.find_element(By.XPATH, "//form[.//input[@name='userid']]")
        form.find_element(By.NAME, "userid").send_keys(demo_shop.ADMIN_USER)
        form.find_element(By.NAME, "password").send_keys(demo_shop.ADMIN_PASSWORD)
        self.leave_page(lambda: self.press(form, "Sign in"))
        links = [a for a in self.driver.find_elements(By.TAG_NAME, "a") if a.text.strip() == str(number)]
        self.assertTrue(links, f"order {number} is not among the orders:\n{self.driver.page_source}")
        self.leave_page(links[0].click)
        self.leave_page(lambda: self.press(self.driver, "Mark paid"))
        self.screenshot("administrators-order")
        self.assertEqual(read_order(order_path(self.shop_folder, number)).values["status"], "paid")

        downloads = [a for a in self.driver.find_elements(By.TAG_NAME, "a") if "CSV" in a.text]
        self.assertTrue(downloads, "the administrators' pages offer no CSV download")
        address = downloads[0].get_attribute("href")
        browser = ShopClient(address, {cookie["name"]: cookie["value"] for cookie in self.driver.get_cookies()})
        answer = browser.get(address)
        self.assertEqual(answer.status, 200, answer.text[:500])
        self.assertIn("csv", answer.headers.get("Content-Type", ""))
        rows = [row for row in csv.reader(io.StringIO(answer.body.decode("utf-8-sig"))) if row]
        ours = [row for row in rows[1:] if row[0] == str(number)]
        names = sorted(pick.product.name for pick in picks)
        self.assertEqual(sorted(cell for row in ours for cell in row if cell in names), names,
                         f"the CSV's rows of order {number}: {rows}")
        for row in ours:
            self.assertIn("paid", row)
        total = rows[0].index("Total")
        self.assertEqual([row[total] for row in ours], [money(charges.total)] + [""] * (len(ours) - 1),
                         "the order's total once, on its first row")

    # --- the walk ---------------------------------------------------------

    def test_customers_check_out_under_each_postage_method_and_an_order_is_marked_paid(self):
        mail = MAIL_CATCHERS[self.server.name]().start()
        self.addCleanup(mail.stop)
        demo_shop.change_settings(self.shop_folder, mail.shop_settings())
        for name, lines in delivery_files().items():
            demo_shop.write_lines(os.path.join(self.shop_folder, "data", name), lines)
        self.open_browser()
        placed = []
        for settings in ROUNDS:
            demo_shop.change_settings(self.shop_folder, settings)
            for area in AREAS:
                with self.subTest(postage=settings["shipmethod"], taxaction=settings["taxaction"], area=area.name):
                    customer = Customer(f"Ann Quay {len(placed) + 1}", f"ann.quay{len(placed) + 1}@customer.test")
                    charges = expected_charges(settings, area, PURCHASE)
                    mails_before = len(mail.caught())
                    number = self.buy(customer, area, settings, PURCHASE, charges, screenshots=not placed)
                    placed.append(number)
                    self.check_order_file(number, customer, area, PURCHASE, charges)
                    self.check_mails(mail.wait_for(mails_before + 2)[mails_before:], number, customer)
        self.assertEqual(sorted(placed), list(range(1, len(placed) + 1)), "the order numbers")
        self.administrators_mark_paid(placed[0], PURCHASE, expected_charges(ROUNDS[0], AREAS[0], PURCHASE))


if __name__ == "__main__":
    run_walk(Checkout, __doc__.splitlines()[0])

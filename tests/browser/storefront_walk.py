#!/usr/bin/env python3
"""A customer's walk through the demo shop in headless Chromium, under one
web server:

    storefront_walk.py lighttpd|apache CLI SOURCE_DIR [--screenshots DIR]

CLI is quaystall-cli, which builds and exports the shop from SOURCE_DIR's
installation. Each test serves a fresh copy of the exported shop (the
storefront writes baskets into its data folder) and stops its server by
process id whatever the outcome. Screenshots of the product and basket pages
go to DIR for people to look at.

ShopWalk, the page helpers, and run_walk serve the other walks as well.
"""
import argparse
import os
import re
import sys
import tempfile
import unittest
import urllib.error
import urllib.request
from decimal import Decimal

from selenium import webdriver
from selenium.common.exceptions import NoSuchElementException, StaleElementReferenceException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

import demo_shop
from demo_shop import CAFE_POT, FLAT_CAP, HIDDEN_HAT, JUMPER, PICTURES, SHED, SHOP, STOREFRONT
from shop_servers import Apache, Lighttpd

SERVERS = {"lighttpd": Lighttpd, "apache": Apache}
WAIT_SECONDS = 20
SHOP_CGI = f"/cgi-bin/qstldb/{SHOP}-cgi/"
MONEY = re.compile(r"(-?)£(\d{1,3}(?:,\d{3})*\.\d\d)")

# Files a shop's folder holds once customers have ordered, planted with a
# text that must never reach a browser. A folder's file is planted under a
# name that a listing of the folder would show.
PRIVATE_TEXT = "Private: 221B Quay Street"
PRIVATE_FILE = "private-2bdc41e7.txt"
BASKET_ID = "5f2c9e0a7b3d41c6a8e9f0b1c2d3e4f5"


def pounds(amount):
    return f"£{amount.quantize(Decimal('0.01'))}"


def amount_of(text):
    """The amount of money a text such as "£1,012.34" or "-£0.50" shows; None when it shows none."""
    match = MONEY.fullmatch(text.strip())
    return None if match is None else Decimal(match.group(1) + match.group(2).replace(",", ""))


def http_get(url):
    """The status and body of a GET, an error status included."""
    try:
        with urllib.request.urlopen(url, timeout=WAIT_SECONDS) as answer:
            return answer.status, answer.read()
    except urllib.error.HTTPError as error:
        return error.code, error.read()


class ShopWalk(unittest.TestCase):
    """The demo shop built once, a fresh copy of it served for every test,
    with the administrators' sign-in set, and a browser to walk its pages."""

    server_class = None
    cli = None
    source_dir = None
    screenshots = None
    walk = "storefront"  # the start of the names of the screenshots and logs

    @classmethod
    def setUpClass(cls):
        cls._built = tempfile.TemporaryDirectory(prefix="quaystall-shop-")
        cls.shop = demo_shop.build_demo_shop(cls.cli, cls.source_dir, cls._built.name)

    @classmethod
    def tearDownClass(cls):
        cls._built.cleanup()

    def setUp(self):
        served = tempfile.TemporaryDirectory(prefix="quaystall-served-")
        self.addCleanup(served.cleanup)
        cgi_root, images_root = self.shop.served_copy(served.name)
        self.shop_folder = demo_shop.shop_folder(cgi_root)
        # The tests' own sign-in, over any the export brought.
        demo_shop.write_admin_account(self.shop_folder)
        self.server = self.server_class(cgi_root, images_root).start()
        self.addCleanup(self.server.stop)
        self.addCleanup(self.keep_server_log)

    def keep_server_log(self):
        """The server's error output (the scripts' warnings among it) beside the screenshots."""
        if self.screenshots:
            os.makedirs(self.screenshots, exist_ok=True)
            name = f"{self.walk}-{self.server.name}-{self.id().rsplit('.', 1)[-1]}.log"
            with open(os.path.join(self.screenshots, name), "w", encoding="utf-8") as log:
                log.write(self.server.log())

    def open_browser(self):
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage", "--window-size=1200,1000"):
            options.add_argument(argument)
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.addCleanup(driver.quit)
        driver.set_page_load_timeout(WAIT_SECONDS)
        self.driver = driver
        self.wait = WebDriverWait(driver, WAIT_SECONDS, ignored_exceptions=[NoSuchElementException,
                                                                            StaleElementReferenceException])

    # --- the page contract -------------------------------------------------

    def go(self, path):
        self.driver.get(self.server.url(path))

    def heading(self):
        headings = self.driver.find_elements(By.CSS_SELECTOR, "h2")
        return headings[0].text.strip() if headings else ""

    def follow_navigation(self, category):
        links = [a for a in self.driver.find_elements(By.CSS_SELECTOR, "nav a") if a.text.strip() == category]
        self.assertTrue(links, f"no navigation link '{category}' on {self.driver.current_url}")
        self.leave_page(links[0].click)
        self.assertEqual(self.heading(), category)

    def cards(self):
        """The product names of the page's product cards, with their prices."""
        found = {}
        for card in self.driver.find_elements(By.CSS_SELECTOR, "article.product"):
            parts = [card.find_elements(By.CSS_SELECTOR, selector) for selector in ("h3 a", ".price")]
            self.assertTrue(all(parts), f"a product card without a linked name or a price:\n{card.text}")
            found[parts[0][0].text.strip()] = parts[1][0].text.strip()
        return found

    def open_product(self, name):
        links = [a for a in self.driver.find_elements(By.CSS_SELECTOR, "article.product h3 a") if a.text.strip() == name]
        self.assertTrue(links, f"no product card '{name}' on {self.driver.current_url}: {self.cards()}")
        self.leave_page(links[0].click)
        self.assertEqual(self.heading(), name)
        return self.driver.find_element(By.CSS_SELECTOR, "form.order")

    def choose_radio(self, form, field, variation):
        radio = form.find_element(
            By.XPATH, f".//input[@type='radio'][@name='{field}'][@value='{variation}' or "
                      f"ancestor::label[normalize-space()='{variation}'] or "
                      f"@id=//label[normalize-space()='{variation}']/@for]")
        radio.click()
        self.assertTrue(radio.is_selected(), f"{field} {variation} not chosen")

    def choose_from_list(self, form, field, entry):
        """Chooses the entry of a drop-down named by its value or the start of its text."""
        choice = Select(form.find_element(By.CSS_SELECTOR, f"select[name={field}]"))
        matching = [index for index, option in enumerate(choice.options)
                    if option.get_attribute("value") == entry or option.text.strip().startswith(entry)]
        self.assertTrue(matching, f"{field} offers no '{entry}': {[option.text for option in choice.options]}")
        value = choice.options[matching[0]].get_attribute("value")
        choice.select_by_index(matching[0])
        return value

    def choose_variation_from_list(self, form, field, variation):
        placeholder = Select(form.find_element(By.CSS_SELECTOR, f"select[name={field}]")).options[0]
        self.assertEqual(placeholder.get_attribute("value"), "", f"{field} has no empty first entry")
        self.assertTrue(placeholder.text.startswith("Choose"), f"{field} starts with '{placeholder.text}'")
        self.choose_from_list(form, field, variation)

    def choose_type(self, form, type_name):
        """Chooses the type; the page may come again with that type's price, so
        the order form is looked up anew once the choice shows."""
        value = self.choose_from_list(form, "type", type_name)
        chosen = "form.order select[name=type] option:checked"
        self.wait.until(lambda driver: driver.find_element(By.CSS_SELECTOR, chosen).get_attribute("value") == value)
        return self.driver.find_element(By.CSS_SELECTOR, "form.order")

    def add_to_basket(self, form, quantity=None):
        field = form.find_element(By.CSS_SELECTOR, "input[name=qty]")
        self.assertEqual(field.get_attribute("value"), "1", "the quantity does not start at 1")
        if quantity is not None:
            field.clear()
            field.send_keys(str(quantity))
        self.leave_page(lambda: self.press(form, "Add to basket"))
        self.assertTrue(self.basket_lines(), f"no basket after adding, on {self.driver.current_url}")

    def press(self, within, text):
        buttons = [b for b in within.find_elements(By.CSS_SELECTOR, "button, input[type=submit]")
                   if (b.text or b.get_attribute("value") or "").strip() == text]
        self.assertTrue(buttons, f"no button '{text}' on {self.driver.current_url}")
        buttons[0].click()

    def basket_lines(self):
        return self.driver.find_elements(By.CSS_SELECTOR, "table.basket tr.line")

    def subtotal(self):
        return self.driver.find_element(By.CSS_SELECTOR, "#subtotal").text.strip()

    def leave_page(self, action):
        """Runs the action and waits until the browser shows the page it leads to."""
        self.driver.execute_script("window.leftBehind = true")
        action()
        self.wait.until(lambda driver: driver.execute_script(
            "return !window.leftBehind && document.readyState === 'complete'"))

    def screenshot(self, page):
        if self.screenshots:
            os.makedirs(self.screenshots, exist_ok=True)
            self.driver.save_screenshot(os.path.join(self.screenshots, f"{self.walk}-{self.server.name}-{page}.png"))

    def search(self, words):
        form = self.driver.find_element(By.CSS_SELECTOR, "form.search")
        self.assertEqual((form.get_attribute("method") or "get").lower(), "get")
        Select(form.find_element(By.CSS_SELECTOR, "select[name=in]")).select_by_value("all")
        box = form.find_element(By.CSS_SELECTOR, "input[name=search]")
        box.clear()
        box.send_keys(words)
        self.leave_page(lambda: self.press(form, "Search"))
        return self.cards()


class Storefront(ShopWalk):
    def plant_private_files(self):
        for path in ("data/orders/1.order", "data/orders/", f"data/baskets/{BASKET_ID}", "data/customers/",
                     "data/outbox/", "data/sessions/"):
            file = os.path.join(self.shop_folder, path + (PRIVATE_FILE if path.endswith("/") else ""))
            os.makedirs(os.path.dirname(file), exist_ok=True)
            with open(file, "w", encoding="utf-8") as f:
                f.write(f"{PRIVATE_TEXT}\r\n")

    def test_server_runs_scripts_and_serves_pictures_but_never_the_data(self):
        self.plant_private_files()
        private = (PRIVATE_TEXT.encode(), PRIVATE_FILE.encode())
        cases = [
            ("a category page", f"{STOREFRONT}?cat=0", 200, b"<h2>Clothing</h2>"),
            ("a product picture", PICTURES + JUMPER.picture, 200, demo_shop.picture_bytes(JUMPER.picture)),
            ("the settings", SHOP_CGI + "qstl2.cfg", None, (b"sales@demo.test",)),
            ("the catalogue", SHOP_CGI + "data/shop.data", None, (JUMPER.name.encode(),)),
            ("the data folder", SHOP_CGI + "data/", None, (b"shop.data",)),
            ("the administrators' password", SHOP_CGI + "admin.pass", None,
             (demo_shop.ADMIN_USER.encode(), demo_shop.ADMIN_PASSWORD.encode())),
            ("an order", SHOP_CGI + "data/orders/1.order", None, private),
            ("the orders folder", SHOP_CGI + "data/orders/", None, private + (b"1.order",)),
            ("a basket", SHOP_CGI + f"data/baskets/{BASKET_ID}", None, private),
            ("the customers folder", SHOP_CGI + "data/customers/", None, private),
            ("the outbox", SHOP_CGI + "data/outbox/", None, private),
            ("the sessions folder", SHOP_CGI + "data/sessions/", None, private),
            ("a module of the scripts", SHOP_CGI + "ShopOrders.pm", None, (b"package ShopOrders",)),
        ]
        for name, path, status, body in cases:
            with self.subTest(name):
                got_status, got_body = http_get(self.server.url(path))
                if status is None:
                    self.assertIn(got_status, (403, 404), f"{path} was served:\n{got_body[:300]!r}")
                    for secret in body:
                        self.assertNotIn(secret, got_body, path)
                    continue
                self.assertEqual(got_status, status, f"{path}:\n{got_body[:300]!r}\n{self.server.log()}")
                self.assertIn(body, got_body, path)

    def test_customer_fills_and_changes_a_basket(self):
        self.open_browser()
        self.go(STOREFRONT)
        self.follow_navigation("Clothing")
        form = self.open_product(JUMPER.name)
        form = self.choose_type(form, "Wool")
        self.choose_radio(form, "opt1", "Medium")
        self.choose_variation_from_list(form, "opt2", "Blue")
        self.screenshot("product")
        self.add_to_basket(form, quantity=2)
        self.assertEqual(len(self.basket_lines()), 1)
        self.assertIn("Wool", self.basket_lines()[0].text)
        self.assertIn("Medium", self.basket_lines()[0].text)
        self.assertIn("Blue", self.basket_lines()[0].text)
        self.assertEqual(self.subtotal(), pounds(2 * JUMPER.price("Wool")))

        self.driver.back()
        self.follow_navigation("Hats")
        self.assertNotIn(HIDDEN_HAT.name, self.cards(), "a suppressed product is shown")
        self.add_to_basket(self.open_product(FLAT_CAP.name))
        self.assertEqual(len(self.basket_lines()), 2)
        self.assertIn("Basket", self.driver.find_element(By.CSS_SELECTOR, "a.basket-link").text)

        quantity = self.driver.find_element(By.CSS_SELECTOR, "input[name=qty_2]")
        quantity.clear()
        quantity.send_keys("3")
        self.leave_page(lambda: self.press(self.driver, "Update basket"))
        self.assertEqual(self.subtotal(), pounds(2 * JUMPER.price("Wool") + 3 * FLAT_CAP.price()))
        self.screenshot("basket")

        self.leave_page(lambda: self.driver.find_element(By.CSS_SELECTOR, "button[name=remove][value='1']").click())
        self.assertEqual(len(self.basket_lines()), 1)
        self.assertIn(FLAT_CAP.name, self.basket_lines()[0].text)
        self.assertEqual(self.subtotal(), pounds(3 * FLAT_CAP.price()))

        self.leave_page(lambda: self.driver.find_element(By.CSS_SELECTOR, "button[name=remove][value='1']").click())
        self.assertTrue(self.driver.find_elements(By.CSS_SELECTOR, "p.notice"), "an empty basket shows no notice")

    def test_search_and_categories_show_what_is_for_sale(self):
        self.open_browser()
        self.go(STOREFRONT)
        self.assertIn(JUMPER.name, self.search("jUMP"))
        for words in ("bowler", HIDDEN_HAT.name):
            self.assertNotIn(HIDDEN_HAT.name, self.search(words), f"search for '{words}' found a suppressed product")
        self.assertEqual(list(self.search("café pot")), [CAFE_POT.name])
        self.follow_navigation("Garden")
        shed_price = self.cards().get(SHED.name)
        self.assertTrue(shed_price and not re.match(r"£\s*\d", shed_price),
                        f"'{SHED.prices[0]}' is shown as '{shed_price}'")
        self.follow_navigation("Kitchen")
        self.assertEqual(list(self.cards()), [CAFE_POT.name])


def run_walk(walk_class, description):
    """Runs the walk's tests under the server its command line names."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("server", choices=sorted(SERVERS))
    parser.add_argument("cli")
    parser.add_argument("source_dir")
    parser.add_argument("--screenshots")
    arguments, rest = parser.parse_known_args()
    walk_class.server_class = SERVERS[arguments.server]
    walk_class.cli = os.path.abspath(arguments.cli)
    walk_class.source_dir = os.path.abspath(arguments.source_dir)
    walk_class.screenshots = arguments.screenshots
    unittest.main(module=walk_class.__module__, argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    run_walk(Storefront, __doc__.splitlines()[0])

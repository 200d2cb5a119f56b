#!/usr/bin/env python3
"""Forms forged against a customer's basket, in headless Chromium, under one
web server:

    forged_forms.py lighttpd|apache CLI SOURCE_DIR [--screenshots DIR]

A customer fills a basket; then a page of another site (another host name
of the same server) and a page on the same host (a file beside the shop's
pictures, as another site of a shared host could place) each send the
customer's browser a form that would empty the basket. The attack fails
only when the basket is as it was.
"""
import os

from selenium.webdriver.common.by import By

from demo_shop import FLAT_CAP
from storefront_walk import SHOP_CGI, ShopWalk, run_walk

FORGED_PAGE = """<!DOCTYPE html>
<html><body>
<form method="post" action="{action}">
<input type="hidden" name="action" value="update">
<input type="hidden" name="qty_1" value="0">
</form>
<script>document.forms[0].submit();</script>
</body></html>
"""


class ForgedForms(ShopWalk):
    walk = "forged"

    def plant_forged_page(self):
        """The forged page among the files the server serves as they are; its address on the server."""
        images_root = os.path.join(os.path.dirname(os.path.dirname(self.shop_folder)), "htdocs")
        action = self.server.url(SHOP_CGI + "Basket.pl")
        with open(os.path.join(images_root, "forged.html"), "w", encoding="utf-8") as page:
            page.write(FORGED_PAGE.format(action=action))
        os.chmod(os.path.join(images_root, "forged.html"), 0o644)
        return "/images/forged.html"

    def test_a_form_from_another_site_or_the_same_host_leaves_the_basket_alone(self):
        self.open_browser()
        self.go(f"{SHOP_CGI}Catalogue.pl?product={FLAT_CAP.id}")
        self.add_to_basket(self.driver.find_element(By.CSS_SELECTOR, "form.order"), 2)
        self.assertEqual(len(self.basket_lines()), 1)
        forged = self.plant_forged_page()
        same_host = self.server.url(forged)
        other_site = same_host.replace("127.0.0.1", "localhost", 1)
        self.assertNotEqual(same_host, other_site, "the server is not at 127.0.0.1")
        for name, address in (("another site", other_site), ("the same host", same_host)):
            with self.subTest(forged_from=name):
                self.driver.get(address)
                self.wait.until(lambda driver: "Basket.pl" in driver.current_url)
                self.screenshot(name.replace(" ", "-"))
                self.assertIn("nothing was changed", self.driver.page_source, f"the forged form from {name} was taken")
                self.go(SHOP_CGI + "Basket.pl")
                self.assertEqual(len(self.basket_lines()), 1, f"the forged form from {name} emptied the basket")
                quantity = self.driver.find_element(By.CSS_SELECTOR, "input[name=qty_1]").get_attribute("value")
                self.assertEqual(quantity, "2", f"the forged form from {name} changed the basket")


if __name__ == "__main__":
    run_walk(ForgedForms, __doc__.splitlines()[0])

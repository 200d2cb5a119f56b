#!/usr/bin/env python3
"""The shop's own files are never served, whatever the host's set-up:

    secret_files.py CLI SOURCE_DIR

The demo shop is exported with an administrators' account, and every file
that is not a script or a picture (the password file, the settings, the
modules, the catalogue, the orders, the baskets) is asked for from Apache
set up as shared hosts do (CGI by handler, .htaccess read, no ScriptAlias),
from Apache with the ScriptAlias the tests use elsewhere, and from the
preview's lighttpd. A file passes only when the server refuses it; the
scripts must still run. The exported admin.pass must not hold the password.
"""
import argparse
import os
import subprocess
import sys
import tempfile
import unittest
import urllib.error
import urllib.request

import demo_shop
from demo_shop import ADMIN_PASSWORD, ADMIN_USER, SHOP
from shop_servers import Apache, HandlerApache, Lighttpd

SECRETS = ["admin.pass", "qstl2.cfg", "location.cfg", "upload.cfg", "ShopPage.pm", "ShopSecret.pm", "data/shop.data",
           "data/area.txt", "data/orders/1.order", "data/orders/counter", "data/sessions/secret", "data/",
           ".htaccess", "data/.htaccess"]


def status_of(url):
    try:
        with urllib.request.urlopen(url, timeout=60) as answer:
            return answer.status, answer.read()
    except urllib.error.HTTPError as error:
        return error.code, b""


class SecretFiles(unittest.TestCase):
    cli = None
    source_dir = None

    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory(prefix="quaystall-secrets-")
        shop = demo_shop.build_demo_shop(cls.cli, cls.source_dir, os.path.join(cls.folder.name, "built"))
        # The account as the shop manager's dialog writes it, then the export again.
        local = os.path.join(shop.program, "Apache", "cgi-bin", "qstldb", f"{SHOP}-cgi")
        demo_shop.write_admin_account(local)
        subprocess.run([cls.cli, "--program-dir", shop.program, "export", SHOP], stdin=subprocess.DEVNULL,
                       capture_output=True, timeout=300, check=True)
        cls.shop = shop

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def served(self, server_class, name):
        """A copy of the export served by a new server, with every secret the test asks for there to be found."""
        cgi_root, images_root = self.shop.served_copy(os.path.join(self.folder.name, name))
        shop = demo_shop.shop_folder(cgi_root)
        for secret in SECRETS:
            path = os.path.join(shop, secret)
            if not secret.endswith("/") and not os.path.exists(path):
                os.makedirs(os.path.dirname(path), exist_ok=True)
                with open(path, "w", encoding="utf-8") as f:
                    f.write("secret\r\n")
        server = server_class(cgi_root, images_root).start()
        self.addCleanup(server.stop)
        return server, shop

    def test_the_exported_password_file_holds_no_password(self):
        with open(os.path.join(self.shop.upload, f"{SHOP}-cgi", "admin.pass"), "rb") as f:
            kept = f.read()
        self.assertTrue(kept.startswith(f"{ADMIN_USER}={{PBKDF2-SHA256}}".encode()), kept)
        self.assertNotIn(ADMIN_PASSWORD.encode("cp1252"), kept)

    def test_no_server_serves_the_shops_own_files(self):
        for server_class, name in ((HandlerApache, "handler"), (Apache, "alias"), (Lighttpd, "lighttpd")):
            with self.subTest(server=server_class.name):
                server, _ = self.served(server_class, name)
                base = f"/cgi-bin/qstldb/{SHOP}-cgi/"
                status, page = status_of(server.url(base + "Catalogue.pl"))
                self.assertEqual(status, 200, f"the scripts do not run under {server.name}:\n{server.log()[-2000:]}")
                self.assertIn(b"<!DOCTYPE html>", page)
                for secret in SECRETS:
                    status, body = status_of(server.url(base + secret))
                    self.assertIn(status, (403, 404), f"{server.name} served {secret}: {body[:200]!r}")

    def test_without_the_shops_rules_the_handler_set_up_serves_them(self):
        # The set-up the test attacks is the one that needs the rules: without
        # them the files are there for anyone.
        server, shop = self.served(HandlerApache, "unguarded")
        for rules in (".htaccess", "data/.htaccess"):
            os.remove(os.path.join(shop, rules))
        status, body = status_of(server.url(f"/cgi-bin/qstldb/{SHOP}-cgi/qstl2.cfg"))
        self.assertEqual(status, 200)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("cli")
    parser.add_argument("source_dir")
    arguments, rest = parser.parse_known_args()
    SecretFiles.cli = os.path.abspath(arguments.cli)
    SecretFiles.source_dir = os.path.abspath(arguments.source_dir)
    unittest.main(module=__name__, argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()

"""The shop the browser tests walk through, built by the real program:

    shop = build_demo_shop(cli, source_dir, folder)
    shop.served_copy(into)   # a fresh (cgi_root, images_root) for one test

quaystall-cli makes the shop in a copy of the installation; the catalogue
files and settings are then written into the shop's folder as the shop
manager writes them, and quaystall-cli exports it.
"""
import dataclasses
import os
import re
import shutil
import struct
import subprocess
import zlib
from decimal import Decimal

SHOP = "Demo"
ENCODING = "cp1252"
EOL = "\r\n"
STOREFRONT = f"/cgi-bin/qstldb/{SHOP}-cgi/Catalogue.pl"
PICTURES = f"/images/{SHOP}-images/"

SETTINGS = {
    "company": "Harbour & Co",
    "currency": "gbp",
    "opt_radio_entries": "3",
    "sales_email": "sales@demo.test",
    "tech_email": "tech@demo.test",
    "taxaction": "ignore",
}

# shop.tax: Tax Code=rate TAB description.
VAT_CODES = [("1", "20.00", "Standard rate"), ("0", "0.00", "Zero rated")]

# The administrators' sign-in, written into admin.pass beside the scripts.
ADMIN_USER, ADMIN_PASSWORD = "harbourmaster", "Quay-side 42"

# Category paths in tree order: a line's index is its position here.
CATEGORIES = [
    ("Clothing", "Warm things"),
    ("Clothing|Hats", ""),
    ("Garden", ""),
    ("Kitchen", ""),
]

# flavours.txt: each option with its variations; a product names options by position.
OPTIONS = [
    ("Size", ["Small", "Medium", "Large"]),
    ("Colour", ["Red", "Green", "Blue", "Black"]),
]

SHOP_DATA_COLUMNS = [
    "id", "path", "type", "options", "custom1", "custom2", "custom3", "unit", "price", "custom4",
    "custom5", "custom6", "custom7", "weight", "number", "custom8", "custom9", "custom10",
    "description", "picture", "suppress", "tax", "template",
]


@dataclasses.dataclass(frozen=True)
class Product:
    id: int
    category: str
    name: str
    prices: tuple  # one per type, or the one price
    types: tuple = ()
    options: tuple = ()  # positions in OPTIONS
    picture: str = ""
    suppress: bool = False
    description: str = ""
    tax: str = ""  # a Tax Code of shop.tax
    weight: str = "1"

    def price(self, type_name=None):
        """The price as a number, of the given type when the product has types."""
        text = self.prices[self.types.index(type_name)] if type_name else self.prices[0]
        return Decimal(text)

    def shop_data_line(self):
        field = {
            "id": str(self.id),
            "path": f"{self.category}|{self.name}",
            "type": "|".join(self.types),
            "options": "|".join(str(position) for position in self.options),
            "price": "|".join(self.prices),
            "weight": self.weight,
            "number": f"D-{self.id}",
            "description": self.description,
            "picture": self.picture,
            "suppress": "Yes" if self.suppress else "",
            "tax": self.tax,
        }
        return "::".join(field.get(column, "") for column in SHOP_DATA_COLUMNS)


JUMPER = Product(1, "Clothing", "Jumper", ("12.00", "15.50"), types=("Cotton", "Wool"), options=(0, 1),
                 picture="jumper.png", description="Knitted by hand", tax="1")
FLAT_CAP = Product(2, "Clothing|Hats", "Flat Cap", ("8.25",), picture="cap.png", tax="1")
HIDDEN_HAT = Product(3, "Clothing|Hats", "Prototype Bowler", ("99.00",), suppress=True)
SHED = Product(4, "Garden", "Bespoke Shed", ("ask us",))
TROWEL = Product(5, "Garden", "Trowel", ("4.75",), picture="trowel.png")
CAFE_POT = Product(6, "Kitchen", "Café Pot £ & Lid", ("6.40",), picture="pot.png")
GLOVES = Product(7, "Garden", "Gardening Gloves", ("3.20",), options=(0,), tax="0")
PRODUCTS = [JUMPER, FLAT_CAP, HIDDEN_HAT, SHED, TROWEL, GLOVES, CAFE_POT]  # in category order, as the export writes them
# The export refuses a shop whose pictures are missing: this one is taken
# out of the upload folder afterwards, as a file lost on the way to the host.
LOST_PICTURE = TROWEL.picture


def small_png(red, green, blue):
    """A 4 x 4 picture of one colour."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = b"".join(b"\x00" + bytes((red, green, blue)) * 4 for _ in range(4))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 4, 4, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def picture_bytes(name):
    seed = zlib.crc32(name.encode())
    return small_png(seed & 0xFF, (seed >> 8) & 0xFF, (seed >> 16) & 0xFF)


def catalogue_files():
    """The data folder's files as the shop manager writes them, by name."""
    return {
        "header_data.log": [f"{index}::{path}::{description}::::::" for index, (path, description)
                            in enumerate(CATEGORIES)],
        "shop.data": [product.shop_data_line() for product in PRODUCTS],
        "flavours.txt": ["\t".join([name, *variations]) for name, variations in OPTIONS],
        "shop.tax": [f"{code}={rate}\t{description}" for code, rate, description in VAT_CODES],
    }


def write_lines(path, lines):
    with open(path, "wb") as f:
        f.write("".join(line + EOL for line in lines).encode(ENCODING))


def read_lines(path):
    with open(path, "rb") as f:
        return f.read().decode(ENCODING).split(EOL)[:-1]


def with_settings(lines, settings):
    """name=value lines with the given names' values replaced, or added at the end."""
    pending = dict(settings)
    changed = []
    for line in lines:
        name = line.split("=", 1)[0]
        changed.append(f"{name}={pending.pop(name)}" if name in pending else line)
    return changed + [f"{name}={value}" for name, value in pending.items()]


def shop_folder(cgi_root):
    """The folder of the shop's scripts, settings and data in a served copy."""
    return os.path.join(cgi_root, f"{SHOP}-cgi")


def change_settings(shop_folder, settings):
    """Changes values of a shop's qstl2.cfg, as the shop manager does."""
    path = os.path.join(shop_folder, "qstl2.cfg")
    write_lines(path, with_settings(read_lines(path), settings))


def write_admin_account(shop_folder):
    write_lines(os.path.join(shop_folder, "admin.pass"), [f"{ADMIN_USER}={ADMIN_PASSWORD}"])


def price_per_type(fieldinfo_lines):
    """fieldinfo.data with Price marked as holding one value per type."""
    return [re.sub(r",\w+$", ",Yes", line) if line.startswith("Price=") else line for line in fieldinfo_lines]


class DemoShop:
    def __init__(self, program):
        self.program = program
        self.upload = os.path.join(program, "upload", SHOP)

    def served_copy(self, into):
        """A fresh copy of the exported shop: the CGI root and the images root,
        kept apart as on a host so that no picture address reaches the data."""
        cgi_root, images_root = os.path.join(into, "cgi-bin"), os.path.join(into, "htdocs")
        shutil.copytree(os.path.join(self.upload, f"{SHOP}-cgi"), os.path.join(cgi_root, f"{SHOP}-cgi"))
        shutil.copytree(os.path.join(self.upload, f"{SHOP}-images"), os.path.join(images_root, f"{SHOP}-images"))
        return cgi_root, images_root


def build_demo_shop(cli, source_dir, folder):
    """Builds and exports the demo shop in a copy of source_dir's installation."""
    program = os.path.join(folder, "program")
    shutil.copytree(os.path.join(source_dir, "share", "program"), program)

    def run(*arguments):
        done = subprocess.run([cli, "--program-dir", program, *arguments], stdin=subprocess.DEVNULL,
                              capture_output=True, timeout=120)
        if done.returncode != 0:
            raise RuntimeError(f"quaystall-cli {' '.join(arguments)} ended with status {done.returncode}:\n"
                               + done.stderr.decode("utf-8", "replace"))

    run("new-shop", SHOP)
    shop_cgi = os.path.join(program, "Apache", "cgi-bin", "qstldb", f"{SHOP}-cgi")
    data = os.path.join(shop_cgi, "data")
    files = catalogue_files()
    for name, lines in files.items():
        write_lines(os.path.join(data, name), lines)
    fieldinfo = os.path.join(data, "fieldinfo.data")
    write_lines(fieldinfo, price_per_type(read_lines(fieldinfo)))
    change_settings(shop_cgi, SETTINGS)
    # The host's Perl is where Debian puts it.
    location = os.path.join(shop_cgi, "location.cfg")
    write_lines(location, with_settings(read_lines(location), {"RemPerlPath": "/usr/bin/perl"}))
    images = os.path.join(program, "Apache", "htdocs", "images", f"{SHOP}-images")
    for product in PRODUCTS:
        if product.picture:
            with open(os.path.join(images, product.picture), "wb") as f:
                f.write(picture_bytes(product.picture))

    run("export", SHOP)
    shop = DemoShop(program)
    uploaded = os.path.join(shop.upload, f"{SHOP}-cgi", "data")
    for name, lines in files.items():
        arrived = read_lines(os.path.join(uploaded, name))
        if arrived != lines:
            raise RuntimeError(f"the export changed {name}:\nwritten  {lines}\nuploaded {arrived}")
    sent = read_lines(os.path.join(shop.upload, f"{SHOP}-cgi", "qstl2.cfg"))
    missing = [f"{name}={value}" for name, value in SETTINGS.items() if f"{name}={value}" not in sent]
    if missing:
        raise RuntimeError(f"the exported qstl2.cfg lacks {missing}:\n{sent}")
    os.remove(os.path.join(shop.upload, f"{SHOP}-images", LOST_PICTURE))
    return shop

"""The orders the checkout writes into the shop's data folder, read as the
shop's other programs read them: data/orders/N.order, name=value lines
ending in CR LF, in UTF-8, one "line" entry per basket line (quantity,
catalogue number, product name, type, choices and line total, separated by
TAB), amounts written as "12.34".

    order = read_order(order_path(shop_folder, 7))
    order.values["total"], order.lines[0].name
"""
import dataclasses
import os
import re

ORDER_KEYS = ("order", "date", "status", "name", "email", "area", "subtotal", "postage", "vat", "total")
AMOUNT_KEYS = ("subtotal", "postage", "vat", "total")
AMOUNT = re.compile(r"-?\d+\.\d\d")
ORDER_FILE = re.compile(r"([1-9]\d*)\.order")


class DamagedOrder(ValueError):
    pass


@dataclasses.dataclass(frozen=True)
class OrderLine:
    quantity: str
    number: str
    name: str
    type: str
    choices: str
    total: str


@dataclasses.dataclass(frozen=True)
class Order:
    values: dict  # the first value of each name
    lines: list


def orders_folder(shop_folder):
    return os.path.join(shop_folder, "data", "orders")


def order_path(shop_folder, number):
    return os.path.join(orders_folder(shop_folder), f"{number}.order")


def order_numbers(shop_folder):
    """The numbers of the order files there are, lowest first."""
    folder = orders_folder(shop_folder)
    names = os.listdir(folder) if os.path.isdir(folder) else []
    return sorted(int(match.group(1)) for match in map(ORDER_FILE.fullmatch, names) if match)


def parse_order(data, source="the order"):
    """The order in a file's bytes; DamagedOrder says what is wrong with it."""
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError as error:
        raise DamagedOrder(f"{source} is not UTF-8: {error}") from None
    if not text.endswith("\r\n"):
        raise DamagedOrder(f"{source} does not end with CR LF: {text[-80:]!r}")
    values, lines = {}, []
    for line in text[:-2].split("\r\n"):
        name, equals, value = line.partition("=")
        if not equals or not name or "\r" in line or "\n" in line:
            raise DamagedOrder(f"{source} holds a line that is not name=value CR LF: {line!r}")
        values.setdefault(name, value)
        if name == "line":
            pieces = value.split("\t")
            if len(pieces) != len(dataclasses.fields(OrderLine)):
                raise DamagedOrder(f"{source} holds a line entry without its six pieces: {value!r}")
            lines.append(OrderLine(*pieces))
    missing = [key for key in ORDER_KEYS if key not in values]
    if missing:
        raise DamagedOrder(f"{source} lacks {missing}: {values}")
    wrong = [key for key in AMOUNT_KEYS if not AMOUNT.fullmatch(values[key])]
    wrong += [f"line {line.name}" for line in lines if not AMOUNT.fullmatch(line.total)]
    if wrong:
        raise DamagedOrder(f"{source} holds amounts not written as 12.34: {wrong}: {values}")
    return Order(values, lines)


def read_order(path):
    with open(path, "rb") as f:
        return parse_order(f.read(), path)

"""One customer's visits to the shop without a browser: the cookies the shop
sets are kept and sent back, and the redirect after a form is followed.

    customer = ShopClient(server.url("/cgi-bin/qstldb/Demo-cgi/"))
    page = customer.post("Basket.pl", {"action": "add", "product": "2", "qty": "1"})
    details = page_form(customer.get("Checkout.pl").text, "Continue")
"""
import dataclasses
import http.client
import html.parser
import urllib.parse

REDIRECTS = (301, 302, 303, 307, 308)
MAX_REDIRECTS = 5


@dataclasses.dataclass(frozen=True)
class Answer:
    status: int
    url: str
    headers: http.client.HTTPMessage
    body: bytes

    @property
    def text(self):
        return self.body.decode("utf-8", "replace")


class ShopClient:
    def __init__(self, base_url, cookies=None, timeout=60, source_address=None):
        """source_address: the loopback address the customer comes from, as
        the server sees it."""
        self.base_url = base_url
        self.source_address = source_address
        self.cookies = dict(cookies or {})
        self.timeout = timeout
        self.requests = 0

    def get(self, path):
        return self.send("GET", path)

    def post(self, path, form):
        return self.send("POST", path, form)

    def send(self, method, path, form=None):
        """The answer at the end of any redirects; a redirect is followed
        with a GET, as browsers do after a form."""
        url = urllib.parse.urljoin(self.base_url, path)
        for _ in range(MAX_REDIRECTS + 1):
            answer = self._exchange(method, url, form)
            if answer.status not in REDIRECTS:
                return answer
            url = urllib.parse.urljoin(url, answer.headers["Location"])
            method, form = "GET", None
        raise RuntimeError(f"more than {MAX_REDIRECTS} redirects from {path}")

    def _exchange(self, method, url, form):
        parts = urllib.parse.urlsplit(url)
        headers = {}
        if self.cookies:
            headers["Cookie"] = "; ".join(f"{name}={value}" for name, value in self.cookies.items())
        body = None
        if form is not None:
            body = urllib.parse.urlencode(form).encode("utf-8")
            headers["Content-Type"] = "application/x-www-form-urlencoded"
        connection = http.client.HTTPConnection(parts.hostname, parts.port, timeout=self.timeout,
                                                source_address=(self.source_address, 0) if self.source_address else None)
        try:
            connection.request(method, parts.path + (f"?{parts.query}" if parts.query else ""), body, headers)
            response = connection.getresponse()
            answer = Answer(response.status, url, response.headers, response.read())
        finally:
            connection.close()
        self.requests += 1
        for cookie in answer.headers.get_all("Set-Cookie") or []:
            name, _, value = cookie.split(";", 1)[0].partition("=")
            if value and "max-age=0" not in cookie.lower().replace(" ", ""):
                self.cookies[name.strip()] = value.strip()
            else:
                self.cookies.pop(name.strip(), None)
        return answer


@dataclasses.dataclass
class PageForm:
    action: str
    method: str
    hidden: dict  # the hidden fields' values
    fields: set  # the names of all its fields
    buttons: list  # the buttons' labels


class _FormReader(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.forms = []
        self._button = None

    def handle_starttag(self, tag, attrs):
        attributes = {name: value or "" for name, value in attrs}
        if tag == "form":
            self.forms.append(PageForm(attributes.get("action", ""), attributes.get("method", "get").lower(),
                                       {}, set(), []))
            return
        if not self.forms:
            return
        form = self.forms[-1]
        kind = attributes.get("type", "submit" if tag == "button" else "text").lower()
        if tag == "button" and kind == "submit":
            self._button = []
        elif tag == "input" and kind == "submit":
            form.buttons.append(attributes.get("value", "").strip())
        elif tag == "input" and kind == "hidden":
            form.hidden[attributes.get("name", "")] = attributes.get("value", "")
        if tag in ("input", "textarea", "select") and attributes.get("name"):
            form.fields.add(attributes["name"])

    def handle_data(self, data):
        if self._button is not None:
            self._button.append(data)

    def handle_endtag(self, tag):
        if tag == "button" and self._button is not None:
            self.forms[-1].buttons.append("".join(self._button).strip())
            self._button = None


def page_forms(page):
    reader = _FormReader()
    reader.feed(page)
    reader.close()
    return reader.forms


def page_form(page, button):
    """The page's form with a button labelled `button`; None when it has none."""
    return next((form for form in page_forms(page) if button in form.buttons), None)

"""The shop's mail, caught on this computer instead of sent:

    with SendmailStandIn() as mail:
        demo_shop.change_settings(shop_folder, mail.shop_settings())
        ...
        sales, customer = mail.wait_for(2)

SendmailStandIn is a mail program for the shop's "mailprogram" setting that
keeps each message it is given and the arguments it was run with; SmtpSink
is an SMTP server on a free loopback port for its "smtp_server" setting.
Both keep the messages in the order they arrived.
"""
import dataclasses
import email
import email.policy
import email.utils
import os
import shlex
import tempfile
import threading
import time

from aiosmtpd.controller import Controller

from shop_servers import free_port

WAIT_SECONDS = 20


@dataclasses.dataclass(frozen=True)
class CaughtMail:
    message: email.message.EmailMessage
    recipients: tuple  # the addresses it was delivered to
    arguments: tuple = ()  # the mail program's command-line arguments

    @property
    def subject(self):
        return str(self.message["Subject"] or "")

    @property
    def body(self):
        return self.message.get_content()


def parse_message(data):
    return email.message_from_bytes(data, policy=email.policy.default)


class MailNotCaught(AssertionError):
    pass


class _Capture:
    """What both catchers share; each has caught(): the mails so far, in the
    order they arrived."""

    def wait_for(self, count, seconds=WAIT_SECONDS):
        """The first `count` mails, once that many have arrived."""
        deadline = time.monotonic() + seconds
        while True:
            mails = self.caught()
            if len(mails) >= count:
                return mails[:count]
            if time.monotonic() > deadline:
                raise MailNotCaught(f"{len(mails)} of {count} mails arrived within {seconds} s: "
                                    f"{[(mail.recipients, mail.subject) for mail in mails]}")
            time.sleep(0.05)

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()


# Written into the stand-in's folder with the spool folder's path. A web
# server gives its scripts next to no environment, hence the PATH. Each mail
# is written under a hidden name and renamed when whole, its arguments
# first, so that a message seen is complete and has its arguments.
SENDMAIL_SCRIPT = """#!/bin/sh
set -e
PATH=/usr/bin:/bin
spool={spool}
name="$(date +%s%N)-$$"
printf '%s\\n' "$@" > "$spool/.$name.arguments"
cat > "$spool/.$name.message"
mv "$spool/.$name.arguments" "$spool/$name.arguments"
mv "$spool/.$name.message" "$spool/$name.message"
"""


class SendmailStandIn(_Capture):
    """A mail program in a temporary folder that any web server's user may
    run and write mail through."""

    def __init__(self):
        self._folder = None
        self.program = None
        self.spool = None

    def start(self):
        self._folder = tempfile.TemporaryDirectory(prefix="quaystall-mail-")
        os.chmod(self._folder.name, 0o755)
        self.spool = os.path.join(self._folder.name, "spool")
        os.mkdir(self.spool)
        os.chmod(self.spool, 0o777)
        self.program = os.path.join(self._folder.name, "sendmail")
        with open(self.program, "w", encoding="utf-8") as script:
            script.write(SENDMAIL_SCRIPT.format(spool=shlex.quote(self.spool)))
        os.chmod(self.program, 0o755)
        return self

    def stop(self):
        if self._folder is not None:
            self._folder.cleanup()
            self._folder = None

    def shop_settings(self):
        return {"mailprogram": self.program}

    def caught(self):
        names = sorted(name[:-len(".message")] for name in os.listdir(self.spool)
                       if name.endswith(".message") and not name.startswith("."))
        mails = []
        for name in names:
            with open(os.path.join(self.spool, name + ".message"), "rb") as f:
                message = parse_message(f.read())
            with open(os.path.join(self.spool, name + ".arguments"), encoding="utf-8") as f:
                arguments = tuple(f.read().splitlines())
            headers = [str(value) for field in ("To", "Cc", "Bcc") for value in message.get_all(field, [])]
            recipients = tuple(address for _, address in email.utils.getaddresses(headers))
            mails.append(CaughtMail(message, recipients, arguments))
        return mails


class SmtpSink(_Capture):
    """An SMTP server on 127.0.0.1 that accepts every mail and keeps it."""

    def __init__(self):
        self.port = free_port()
        self.address = f"127.0.0.1:{self.port}"
        self._lock = threading.Lock()
        self._mails = []
        self._controller = None

    def start(self):
        self._controller = Controller(self, hostname="127.0.0.1", port=self.port)
        self._controller.start()
        return self

    def stop(self):
        if self._controller is not None:
            self._controller.stop()
            self._controller = None

    def shop_settings(self):
        return {"mailprogram": "", "smtp_server": self.address}

    async def handle_DATA(self, server, session, envelope):
        mail = CaughtMail(parse_message(envelope.original_content or envelope.content), tuple(envelope.rcpt_tos))
        with self._lock:
            self._mails.append(mail)
        return "250 Message accepted for delivery"

    def caught(self):
        with self._lock:
            return list(self._mails)

#!/usr/bin/python3
"""An FTP server for the upload tests, on a loopback port: one user with a
password, whose login starts in the given folder. Given a certificate and its
key, it speaks FTP over TLS (AUTH TLS) and refuses anything unencrypted."""
import argparse

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, TLS_DTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer


class DataConnection(TLS_DTPHandler):
    """A client may begin the data connection's TLS handshake before it sends
    the command that uses the connection; the server's own data handler takes
    that early hello for a closed connection."""

    def readable(self):
        return self._ssl_accepting or super().readable()


parser = argparse.ArgumentParser()
parser.add_argument("--port", type=int, required=True)
parser.add_argument("--root", required=True)
parser.add_argument("--user", required=True)
parser.add_argument("--password", required=True)
parser.add_argument("--certificate")
parser.add_argument("--key")
args = parser.parse_args()

authorizer = DummyAuthorizer()
# Listing, reading, writing, renaming, deleting, making folders, setting modes.
authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")
handler = TLS_FTPHandler if args.certificate else FTPHandler
if args.certificate:
    handler.certfile = args.certificate
    handler.keyfile = args.key
    handler.tls_control_required = True
    handler.tls_data_required = True
    handler.dtp_handler = DataConnection
handler.authorizer = authorizer
FTPServer(("127.0.0.1", args.port), handler).serve_forever()

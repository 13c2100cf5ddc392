#!/usr/bin/env python3
"""Stands in for the public-log web server, reached as an HTTP proxy.

Listens on 127.0.0.1 (a free port unless --port is given), prints "PORT n" on
its first line, then one line "REQUEST <target> cache-control=<value>" per
request. It answers only absolute-URI requests for http://www.cqww.com/, as a
proxy receives them, and each year's path behaves in its own way:

  /publiclogs/2017cw/  the index page, 200
  /publiclogs/2016cw/  404 with an error page
  /publiclogs/2015cw/  the page announced in full, --cut bytes sent, then closed
  /publiclogs/2014cw/  nothing at all for --stall seconds, then closed
  /publiclogs/2013cw/  301 to /publiclogs/moved/, which is the index page
  /publiclogs/2012cw/  the index page --repeat times over, one long body
  /publiclogs/2011cw/  the page announced in full, --cut bytes sent, then silent
  /publiclogs/YYYYcw/  for any year after 2017: the index page, 200

With --tls HOST=CERT,KEY (repeatable) it also answers CONNECT HOST:443 as a
proxy does for https, but ends the tunnel itself: it presents CERT and serves
the same paths over TLS as https://HOST, logging "CONNECT HOST:443" and then
"REQUEST https://HOST/path ...". Nothing is ever forwarded anywhere. When
www.cqww.com has a certificate, plain http to a year after 2017 is redirected
to https (301), as current web servers do, and /publiclogs/2010cw/ is
redirected to https://untrusted.cqww.com/publiclogs/2017cw/.

It ends itself after --lifetime seconds whatever happens.
"""
import argparse
import os
import re
import ssl
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

ORIGIN = "http://www.cqww.com"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--page", required=True)
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--cut", type=int, default=12000)
    parser.add_argument("--stall", type=float, default=10.0)
    parser.add_argument("--repeat", type=int, default=100)
    parser.add_argument("--lifetime", type=float, default=120.0)
    parser.add_argument("--tls", action="append", default=[], metavar="HOST=CERT,KEY")
    args = parser.parse_args()
    tls = {}
    for entry in args.tls:
        host, files = entry.split("=", 1)
        cert, key = files.split(",", 1)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(cert, key)
        tls[host] = context
    with open(args.page, "rb") as f:
        page = f.read()
    out_lock = threading.Lock()

    def say(line):
        with out_lock:
            sys.stdout.write(line + "\n")
            sys.stdout.flush()

    class Handler(BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"
        # The origin of the requests on this connection: plain http through
        # the proxy, or the https host of a CONNECT tunnel.
        origin = ORIGIN

        def log_message(self, format, *args):
            pass

        def head(self, status, length, extra=()):
            self.send_response(status)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(length))
            for name, value in extra:
                self.send_header(name, value)
            self.end_headers()

        def whole(self, status, body, extra=()):
            self.head(status, len(body), extra)
            self.wfile.write(body)

        def do_CONNECT(self):
            say("CONNECT %s" % self.path)
            host, _, port = self.path.rpartition(":")
            if port != "443" or host not in tls:
                self.close_connection = True
                self.whole(502, b"<html><body>no tunnel there</body></html>")
                return
            self.send_response(200, "Connection established")
            self.end_headers()
            try:
                self.request = tls[host].wrap_socket(self.connection, server_side=True)
            except (ssl.SSLError, OSError) as error:
                # The client refused the certificate.
                say("TLS REFUSED %s %s" % (host, getattr(error, "reason", error)))
                self.close_connection = True
                return
            self.setup()
            self.origin = "https://" + host

        def finish(self):
            super().finish()
            if isinstance(self.connection, ssl.SSLSocket):
                self.connection.close()

        def do_GET(self):
            # Through the proxy the target is the whole address; in a tunnel,
            # only the path.
            target = self.path if self.origin == ORIGIN else self.origin + self.path
            say("REQUEST %s cache-control=%s" % (target, self.headers.get("Cache-Control", "")))
            if not target.startswith(self.origin + "/"):
                self.close_connection = True
                self.whole(400, b"<html><body>not a proxy request</body></html>")
                return
            path = target[len(self.origin):]
            try:
                self.answer(path)
            except (BrokenPipeError, ConnectionResetError):
                self.close_connection = True

        def redirect(self, address):
            self.whole(301, b"<html><body>Moved</body></html>", [("Location", address)])

        def answer(self, path):
            newer = re.fullmatch(r"/publiclogs/(\d{4})cw/", path)
            plain = self.origin == ORIGIN
            if plain and "www.cqww.com" in tls and newer and int(newer.group(1)) > 2017:
                self.redirect("https://www.cqww.com" + path)
            elif plain and "untrusted.cqww.com" in tls and path == "/publiclogs/2010cw/":
                self.redirect("https://untrusted.cqww.com/publiclogs/2017cw/")
            elif path in ("/publiclogs/2017cw/", "/publiclogs/moved/") or (newer and int(newer.group(1)) > 2017):
                self.whole(200, page)
            elif path == "/publiclogs/2013cw/":
                self.whole(301, b"<html><body>Moved</body></html>",
                           [("Location", ORIGIN + "/publiclogs/moved/")])
            elif path == "/publiclogs/2015cw/":
                self.head(200, len(page))
                self.wfile.write(page[:args.cut])
                self.wfile.flush()
                self.close_connection = True
            elif path == "/publiclogs/2014cw/":
                time.sleep(args.stall)
                self.close_connection = True
            elif path == "/publiclogs/2012cw/":
                self.head(200, len(page) * args.repeat)
                for _ in range(args.repeat):
                    self.wfile.write(page)
            elif path == "/publiclogs/2011cw/":
                self.head(200, len(page))
                self.wfile.write(page[:args.cut])
                self.wfile.flush()
                time.sleep(args.stall)
                self.close_connection = True
            else:
                self.close_connection = True
                self.whole(404, b"<html><head><title>404 Not Found</title></head>"
                                b"<body><h1>Not Found</h1><p>The requested URL was not found "
                                b"on this server.</p></body></html>")

    class Server(ThreadingHTTPServer):
        daemon_threads = True

        def handle_error(self, request, client_address):
            # A client that gives up early (the size and time limits) resets
            # the connection; that is expected here.
            if not isinstance(sys.exc_info()[1], ConnectionError):
                super().handle_error(request, client_address)

    server = Server(("127.0.0.1", args.port), Handler)
    timer = threading.Timer(args.lifetime, lambda: os._exit(0))
    timer.daemon = True
    timer.start()
    say("PORT %d" % server.server_address[1])
    server.serve_forever()


if __name__ == "__main__":
    main()

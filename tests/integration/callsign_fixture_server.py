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

It ends itself after --lifetime seconds whatever happens.
"""
import argparse
import os
import re
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
    args = parser.parse_args()
    with open(args.page, "rb") as f:
        page = f.read()
    out_lock = threading.Lock()

    def say(line):
        with out_lock:
            sys.stdout.write(line + "\n")
            sys.stdout.flush()

    class Handler(BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

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

        def do_GET(self):
            say("REQUEST %s cache-control=%s" % (self.path, self.headers.get("Cache-Control", "")))
            if not self.path.startswith(ORIGIN + "/"):
                self.close_connection = True
                self.whole(400, b"<html><body>not a proxy request</body></html>")
                return
            path = self.path[len(ORIGIN):]
            try:
                self.answer(path)
            except (BrokenPipeError, ConnectionResetError):
                self.close_connection = True

        def answer(self, path):
            newer = re.fullmatch(r"/publiclogs/(\d{4})cw/", path)
            if path in ("/publiclogs/2017cw/", "/publiclogs/moved/") or (newer and int(newer.group(1)) > 2017):
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

#!/usr/bin/env python3
"""A misbehaving web server for the download faults, reached as an HTTP proxy.

Listens on 127.0.0.1 (a free port), prints "PORT n" on its first line, then
"REQUEST <target>" per request. Each year's index page fails in its own way:

  /publiclogs/2017cw/  the page announced in full, then one byte a second
  /publiclogs/2016cw/  no HTTP at all: random bytes, then closed
  /publiclogs/2015cw/  a redirect to itself with a new query, for ever
  /publiclogs/2014cw/  a status line and headers that make no sense, then a page

It ends itself after --lifetime seconds whatever happens.
"""
import argparse
import os
import random
import socket
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

ORIGIN = "http://www.cqww.com"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--page", required=True)
    parser.add_argument("--lifetime", type=float, default=120.0)
    args = parser.parse_args()
    with open(args.page, "rb") as f:
        page = f.read()
    lock = threading.Lock()

    def say(line):
        with lock:
            sys.stdout.write(line + "\n")
            sys.stdout.flush()

    class Handler(BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, format, *args):
            pass

        def do_GET(self):
            say("REQUEST %s" % self.path)
            path = self.path[len(ORIGIN):] if self.path.startswith(ORIGIN) else self.path
            self.close_connection = True
            try:
                if path.startswith("/publiclogs/2017cw/"):
                    self.trickle()
                elif path.startswith("/publiclogs/2016cw/"):
                    rnd = random.Random(7)
                    self.wfile.write(bytes(rnd.randrange(256) for _ in range(4096)))
                elif path.startswith("/publiclogs/2015cw/"):
                    hop = int(path.partition("hop=")[2] or 0) + 1
                    body = b"<html><body>Moved</body></html>"
                    self.send_response(302)
                    self.send_header("Location", "%s/publiclogs/2015cw/?hop=%d" % (ORIGIN, hop))
                    self.send_header("Content-Length", str(len(body)))
                    self.end_headers()
                    self.wfile.write(body)
                elif path.startswith("/publiclogs/2014cw/"):
                    self.wfile.write(b"HTTP/1.1 2x0 \xff\xfeOK\r\nContent-Length: -17\r\n"
                                     b"Transfer-Encoding: sideways\r\n\x00\x01: \x02\r\n\r\n" + page)
                else:
                    self.send_error(404)
            except (BrokenPipeError, ConnectionResetError):
                pass

        def trickle(self):
            self.send_response(200)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(page)))
            self.end_headers()
            self.wfile.flush()
            for i in range(len(page)):
                self.wfile.write(page[i:i + 1])
                self.wfile.flush()
                time.sleep(1.0)

    class Server(ThreadingHTTPServer):
        daemon_threads = True

        def handle_error(self, request, client_address):
            if not isinstance(sys.exc_info()[1], ConnectionError):
                super().handle_error(request, client_address)

    server = Server(("127.0.0.1", 0), Handler)
    timer = threading.Timer(args.lifetime, lambda: os._exit(0))
    timer.daemon = True
    timer.start()
    say("PORT %d" % server.server_address[1])
    server.serve_forever()


if __name__ == "__main__":
    main()

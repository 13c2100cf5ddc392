#!/usr/bin/env python3
"""Writes index_fixture.html: a made-up public-log index page of 320 logs,
laid out as such pages are (one table row per log, the call sign as the text
of the link to its .log file). Deterministic: run it again to get the same page.
Prints the counts the tests expect."""
import os
import random

rng = random.Random(20171125)
japanese = ["JA", "JE", "JF", "JG", "JH", "JI", "JJ", "JK", "JL", "JM", "JN", "JO", "JP", "JQ",
            "JR", "JS", "JD", "7J", "7K", "7L", "7M", "7N", "8J", "8N"]
foreign = ["K", "W", "N", "AA", "DL", "DK", "G", "M", "F", "I", "EA", "OH", "SM", "LA", "OK",
           "SP", "HA", "YO", "LZ", "UA", "RA", "VE", "PY", "LU", "ZL", "VK", "HL", "BY", "BV",
           "DU", "YB", "HS", "9M", "4X", "CT", "ON", "PA", "OE", "HB", "S5", "9A", "E7"]
letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"


def call_sign(prefixes):
    return (rng.choice(prefixes) + str(rng.randrange(10))
            + "".join(rng.choice(letters) for _ in range(rng.choice((2, 3, 3)))))


calls = []
for i in range(320):
    calls.append(call_sign(japanese if rng.random() < 0.2 else foreign))
# Portable operation, written prefix/call.
for i, p in ((17, "KH6/"), (88, "VP2E/"), (203, "JD1/")):
    calls[i] = p + calls[i]
# A station that sent two logs.
calls[250] = calls[40]

rows = []
for i, call in enumerate(calls):
    shown = call.lower() if i % 7 == 3 else call
    size = 1200 + rng.randrange(400000)
    day = 25 + rng.randrange(3)
    rows.append('<tr><td><img src="/icons/text.gif" alt="[TXT]"></td>'
                '<td><a href="%s.log">%s</a></td><td align="right">2017-11-%02d %02d:%02d  </td>'
                '<td align="right">%dK</td></tr>' % (call.lower().replace("/", "-"), shown, day,
                                                     rng.randrange(24), rng.randrange(60), size // 1024))

page = ("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\n<html>\n <head>\n"
        "  <title>Index of /publiclogs/2017cw</title>\n </head>\n <body>\n"
        "<h1>Index of /publiclogs/2017cw</h1>\n  <table>\n"
        "   <tr><th><img src=\"/icons/blank.gif\" alt=\"[ICO]\"></th><th><a href=\"?C=N;O=D\">Name</a></th>"
        "<th><a href=\"?C=M;O=A\">Last modified</a></th><th><a href=\"?C=S;O=A\">Size</a></th></tr>\n"
        "   <tr><th colspan=\"4\"><hr></th></tr>\n"
        "<tr><td><img src=\"/icons/back.gif\" alt=\"[PARENTDIR]\"></td><td><a href=\"/publiclogs/\">Parent Directory</a></td>"
        "<td>&nbsp;</td><td align=\"right\">  - </td></tr>\n"
        + "\n".join(rows) +
        "\n   <tr><th colspan=\"4\"><hr></th></tr>\n</table>\n</body></html>\n")

with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "index_fixture.html"), "w", newline="\n") as f:
    f.write(page)

ja = [c for c in calls if c[:2] in {"JA"} | {"J" + x for x in "DEFGHIJKLMNOPQRS"}
      | {"7" + x for x in "JKLMN"} | {"8" + x for x in "JKLMN"}]
print("bytes", len(page.encode()), "DX", len(calls), "JA", len(ja), "first", calls[0], "last", calls[-1])

#!/usr/bin/env python3
# Writes the sample text in every encoding the loader must recognise. The files
# are committed; run this again only when the text changes.
import pathlib

TEXT = ("CQ CQ DE JA1ABC [AR]\r\n"
        "こんにちは、モールス信号の練習です。\r\n"
        "ｶﾀｶﾅ　全角スペース ①～ \\ ~ 100%\r\n"
        "「終わり」・ー\r\n")

FILES = {
    "sample-utf8-bom.txt": b"\xef\xbb\xbf" + TEXT.encode("utf-8"),
    "sample-utf16le.txt": b"\xff\xfe" + TEXT.encode("utf-16-le"),
    "sample-utf16be.txt": b"\xfe\xff" + TEXT.encode("utf-16-be"),
    "sample-utf8.txt": TEXT.encode("utf-8"),
    "sample-cp932.txt": TEXT.encode("cp932"),
    "sample-lf.txt": TEXT.replace("\r\n", "\n").encode("utf-8"),
    "sample-cr.txt": TEXT.replace("\r\n", "\r").encode("cp932"),
}

here = pathlib.Path(__file__).parent
for name, data in FILES.items():
    (here / name).write_bytes(data)

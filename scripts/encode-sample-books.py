#!/usr/bin/env python3
"""Builds the stored sample books from their UTF-8 sources in resources/book/source/.

The stored books are what a reader meets in the wild: GBK bytes, CRLF line ends, every
paragraph indented with two ideographic spaces and separated from the next by an empty
line. Edit the sources, run this script, commit both.
"""
from pathlib import Path

BOOKS = {
    "A Pocketful of Weather.txt": ["english-stories.txt"],
    "星灯童话集.txt": ["chinese-tales-1.txt", "chinese-tales-2.txt"],
}
INDENT = "\u3000\u3000"

root = Path(__file__).resolve().parent.parent / "resources" / "book"


def paragraphs(source: Path):
    text = source.read_text(encoding="utf-8")
    return [line.strip() for line in text.split("\n") if line.strip()]


for name, sources in BOOKS.items():
    paras = [p for source in sources for p in paragraphs(root / "source" / source)]
    text = "\r\n\r\n".join(INDENT + p for p in paras) + "\r\n"
    (root / name).write_bytes(text.encode("gbk"))
    print(f"{name}: {len(paras)} paragraphs, {len((root / name).read_bytes())} bytes")

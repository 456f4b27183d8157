"""Compares the text and the links of two HTML documents: the source of a round trip and
what came back. Prints the differences and exits 1 when there are any.

Usage: compare.py SOURCE.html RESULT.html"""
import html.parser
import sys
import unicodedata
import urllib.parse


class Reader(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.words, self.links, self.skip, self.href, self.link_text = [], [], 0, None, []

    def handle_starttag(self, tag, attrs):
        if tag in ("title", "style", "script"):
            self.skip += 1
        if tag == "a":
            self.href, self.link_text = dict(attrs).get("href"), []

    def handle_endtag(self, tag):
        if tag in ("title", "style", "script"):
            self.skip -= 1
        if tag == "a" and self.href is not None:
            self.links.append((unquote(self.href), " ".join("".join(self.link_text).split())))
            self.href = None

    def handle_data(self, data):
        if self.skip:
            return
        self.words += data.split()
        if self.href is not None:
            self.link_text.append(data)


def unquote(href):
    # An address is the same address whether a blank or a non-ASCII letter is escaped or not.
    return unicodedata.normalize("NFC", urllib.parse.unquote(href))


def read(path):
    reader = Reader()
    with open(path, encoding="utf-8") as f:
        reader.feed(f.read())
    return reader


source, result = read(sys.argv[1]), read(sys.argv[2])
ok = True
if source.words != result.words:
    print("text differs:\n  source: %s\n  result: %s" % (" ".join(source.words), " ".join(result.words)))
    ok = False
if source.links != result.links:
    print("links differ:\n  source: %s\n  result: %s" % (source.links, result.links))
    ok = False
sys.exit(0 if ok else 1)

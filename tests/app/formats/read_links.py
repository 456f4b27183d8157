#!/usr/bin/python3
"""Reads every link of a document with a real reader of its format and prints them as
JSON: a list of [title, address] pairs, the address percent-decoded.

    read_links.py FORMAT FILE     FORMAT: html, org, mediawiki, rst, asciidoc

Anything inside a link that the reader took for markup (emphasis, code, a nested link, a
raw fragment) is written into the title as <Kind:...>, so that an escape that failed shows
up as a wrong title instead of being flattened away.
"""
import json
import subprocess
import sys
import urllib.parse
from html.parser import HTMLParser

# Org entities that pandoc 2.17's Org reader does not know and hands on as raw LaTeX.
ORG_ENTITIES_PANDOC_LACKS = {'\\under{}': '_', '\\asciicirc{}': '^'}


def flatten_pandoc(inlines):
    out = []
    for item in inlines:
        kind = item['t']
        if kind == 'Str':
            out.append(item['c'])
        elif kind in ('Space', 'SoftBreak'):
            out.append(' ')
        elif kind == 'RawInline' and item['c'][0] == 'latex' \
                and item['c'][1] in ORG_ENTITIES_PANDOC_LACKS:
            out.append(ORG_ENTITIES_PANDOC_LACKS[item['c'][1]])
        else:
            out.append('<%s:%s>' % (kind, json.dumps(item.get('c'), ensure_ascii=False)))
    return ''.join(out)


def pandoc_links(fmt, path):
    raw = subprocess.run(['pandoc', '-f', fmt, '-t', 'json', path],
                         capture_output=True, check=True).stdout
    links = []

    def walk(node):
        if isinstance(node, dict):
            if node.get('t') == 'Link':
                links.append((flatten_pandoc(node['c'][1]), node['c'][2][0]))
                return
            for value in node.values():
                walk(value)
        elif isinstance(node, list):
            for value in node:
                walk(value)

    walk(json.loads(raw)['blocks'])
    return links


def docutils_links(path):
    from docutils import nodes
    from docutils.core import publish_doctree
    with open(path, encoding='utf-8') as f:
        source = f.read()
    tree = publish_doctree(source, settings_overrides={
        'report_level': 5, 'halt_level': 5, 'input_encoding': 'utf-8'})
    links = []
    for ref in tree.traverse(nodes.reference):
        parts = []
        for child in ref.children:
            if isinstance(child, nodes.Text):
                parts.append(child.astext())
            else:
                parts.append('<%s:%s>' % (child.__class__.__name__, child.astext()))
        links.append((''.join(parts), ref.get('refuri', '<no refuri>')))
    problems = [m.astext() for m in tree.traverse(nodes.system_message)]
    if problems:
        links.append(('<system_message>', ' | '.join(problems)))
    return links


class AnchorReader(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links = []
        self.current = None

    def handle_starttag(self, tag, attrs):
        if tag == 'a' and self.current is None:
            self.current = [dict(attrs).get('href', '<no href>'), []]
        elif self.current is not None:
            self.current[1].append('<%s>' % tag)

    def handle_endtag(self, tag):
        if tag == 'a' and self.current is not None:
            self.links.append((''.join(self.current[1]), self.current[0]))
            self.current = None
        elif self.current is not None:
            self.current[1].append('</%s>' % tag)

    def handle_data(self, data):
        if self.current is not None:
            self.current[1].append(data)


def asciidoctor_links(path):
    html = subprocess.run(['asciidoctor', '-s', '-o', '-', path],
                          capture_output=True, check=True).stdout.decode('utf-8')
    reader = AnchorReader()
    reader.feed(html)
    return reader.links


def main():
    fmt, path = sys.argv[1], sys.argv[2]
    if fmt == 'rst':
        links = docutils_links(path)
    elif fmt == 'asciidoc':
        links = asciidoctor_links(path)
    else:
        links = pandoc_links(fmt, path)
    print(json.dumps([[title, urllib.parse.unquote(address)] for title, address in links],
                     ensure_ascii=False))


if __name__ == '__main__':
    main()

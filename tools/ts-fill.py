#!/usr/bin/env python3
"""Fills the English translations of a .ts file from a table of "source<TAB>english"
lines (escapes: \\n, \\t, \\\\). Messages already translated keep their text unless
--overwrite; prints the sources that have no entry. Usage:
    tools/ts-fill.py FILE.ts TABLE.tsv [--overwrite]"""
import sys
import xml.etree.ElementTree as ET


def unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == '\\' and i + 1 < len(text):
            out.append({'n': '\n', 't': '\t', '\\': '\\'}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return ''.join(out)


def main():
    ts_path, table_path = sys.argv[1], sys.argv[2]
    overwrite = '--overwrite' in sys.argv[3:]
    table = {}
    with open(table_path, encoding='utf-8') as f:
        for line in f:
            line = line.rstrip('\n')
            if not line or line.startswith('#'):
                continue
            source, english = line.split('\t', 1)
            table[unescape(source)] = unescape(english)
    tree = ET.parse(ts_path)
    missing = []
    for message in tree.iter('message'):
        source = message.find('source').text or ''
        translation = message.find('translation')
        if translation.get('type') == 'vanished' or translation.get('type') == 'obsolete':
            continue
        done = translation.get('type') is None and translation.text
        if done and not overwrite:
            continue
        if source in table:
            translation.text = table[source]
            translation.attrib.pop('type', None)
        else:
            missing.append(source)
    tree.write(ts_path, encoding='utf-8', xml_declaration=True)
    for source in missing:
        print('no translation:', repr(source))
    return 1 if missing else 0


if __name__ == '__main__':
    sys.exit(main())

#!/usr/bin/env python3
"""Differential check of the INI store against kernel32 (under Wine).

Feeds queries.tsv to the Linux profile-probe and to the Windows one, each in
a fresh copy of fixtures/, and requires the same answers, except where an
annotation records a known difference (see the head of queries.tsv). Then
reads back every file the queries wrote, through each probe's own reads
(names, keys, values), and requires the same contents: Wine rewrites files
normalised while our store edits them in place, so bytes cannot be compared.
"""
import argparse
import difflib
import os
import shutil
import subprocess
import sys
import tempfile

BIG = 65536
# ア and ヂ differ only in a trail byte that looks like 'A'/'a': kernel32
# keeps them apart only under code page 932.
CANARY = ('str\t\\x83\\x61\tk\tdef\t100\tsjis.ini', '2\tdi\\x00')


class Query:
    def __init__(self, line_no, text):
        self.line_no = line_no
        self.text = text
        self.expect_linux = None
        self.expect_wine = None

    def file(self):
        return self.text.split('\t')[-1]


def load_queries(path):
    queries, nodump = [], set()
    pending = {}
    with open(path, 'rb') as f:
        for no, raw in enumerate(f.read().decode('latin-1').split('\n'), 1):
            line = raw.rstrip('\r')
            if line.startswith('#linux: '):
                pending['linux'] = line[len('#linux: '):]
            elif line.startswith('#wine: '):
                pending['wine'] = line[len('#wine: '):]
            elif line.startswith('#nodump '):
                nodump.add(line[len('#nodump '):].strip())
            elif line.startswith('#') or not line.strip():
                continue
            else:
                q = Query(no, line)
                q.expect_linux = pending.get('linux')
                q.expect_wine = pending.get('wine')
                if q.expect_wine is not None and q.expect_linux is None:
                    raise SystemExit(f'queries.tsv:{no}: #wine: without #linux:')
                pending = {}
                queries.append(q)
    return queries, nodump


def run_probe(command, workdir, lines):
    data = ''.join(line + '\n' for line in lines).encode('latin-1')
    result = subprocess.run(command, cwd=workdir, input=data, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, timeout=120)
    answers = result.stdout.decode('latin-1').replace('\r', '').split('\n')
    if answers and answers[-1] == '':
        answers.pop()
    if len(answers) != len(lines):
        raise SystemExit(f'{command[-1]}: {len(answers)} answers to {len(lines)} queries '
                         f'(exit status {result.returncode})')
    return answers


def escape(data):
    return ''.join(chr(b) if 0x20 <= b <= 0x7E and b != 0x5C else '\\x%02X' % b for b in data)


def unescape(text):
    out, i = bytearray(), 0
    while i < len(text):
        if text.startswith('\\x', i):
            out.append(int(text[i + 2:i + 4], 16))
            i += 4
        else:
            out.append(ord(text[i]))
            i += 1
    return bytes(out)


def list_items(answer):
    """The names of a list answer "N<TAB>bytes", up to the empty name."""
    buffer = unescape(answer.split('\t', 1)[1]) if '\t' in answer else b''
    items = []
    for name in buffer.split(b'\0'):
        if not name:
            break
        items.append(name)
    return items


def dump(command, workdir, files):
    """Everything the reads show of the files: names, then keys, then values."""
    transcript = []

    def ask(lines):
        answers = run_probe(command, workdir, lines)
        transcript.extend(f'{q}  =>  {a}' for q, a in zip(lines, answers))
        return answers

    name_queries = [f'names\t{BIG}\t{f}' for f in files]
    key_queries, targets = [], []
    for f, answer in zip(files, ask(name_queries)):
        for section in list_items(answer):
            key_queries.append(f'str\t{escape(section)}\t\\N\t\t{BIG}\t{f}')
            targets.append((f, section))
    value_queries = []
    for (f, section), answer in zip(targets, ask(key_queries) if key_queries else []):
        for key in list_items(answer):
            value_queries.append(f'str\t{escape(section)}\t{escape(key)}\t\t{BIG}\t{f}')
    if value_queries:
        ask(value_queries)
    return transcript


def compare_answers(queries, linux, wine):
    failures = []
    for q, l, w in zip(queries, linux, wine):
        if q.expect_linux is None:
            if l != w:
                failures.append((q, f'linux:   {l}\n    windows: {w}'))
            continue
        wine_ok = w in (q.expect_wine, q.expect_linux)
        if l != q.expect_linux or not wine_ok:
            failures.append((q, f'linux:   {l}\n    expected {q.expect_linux}\n'
                                f'    windows: {w}\n    recorded {q.expect_wine}'))
    return failures


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--linux', required=True, help='Linux profile-probe')
    parser.add_argument('--windows', required=True, nargs='+', help='command running the Windows probe')
    parser.add_argument('--data', default=os.path.dirname(os.path.abspath(__file__)))
    args = parser.parse_args()

    queries, nodump = load_queries(os.path.join(args.data, 'queries.tsv'))
    work = tempfile.mkdtemp(prefix='ini-diff.')
    try:
        dirs = {side: os.path.join(work, side) for side in ('linux', 'windows')}
        for d in dirs.values():
            shutil.copytree(os.path.join(args.data, 'fixtures'), d)
        # The probes run inside the fixture copies: their paths must not be relative.
        windows = args.windows[:-1] + [os.path.abspath(args.windows[-1])]
        commands = {'linux': [os.path.abspath(args.linux)], 'windows': windows}
        lines = [q.text for q in queries]
        if run_probe(commands['windows'], dirs['windows'], [CANARY[0]]) != [CANARY[1]]:
            print('the Windows probe does not run under code page 932: check the Wine locale')
            return 1
        linux = run_probe(commands['linux'], dirs['linux'], lines)
        wine = run_probe(commands['windows'], dirs['windows'], lines)
        failures = compare_answers(queries, linux, wine)

        written = sorted({q.file() for q in queries if q.text.startswith('write\t')} - nodump
                         - {'', '\\N'})
        dumps = {side: dump(commands[side], dirs[side], written) for side in dirs}
        dump_diffs = [line for line in difflib.unified_diff(
            dumps['windows'], dumps['linux'], 'windows read-back', 'linux read-back', lineterm='')]
    finally:
        shutil.rmtree(work, ignore_errors=True)

    for q, detail in failures:
        print(f'queries.tsv:{q.line_no}: {q.text}\n    {detail}')
    if dump_diffs:
        print('files read back differently after the writes:')
        print('\n'.join(dump_diffs))
    checks = len(queries) + 1
    bad = len(failures) + (1 if dump_diffs else 0)
    print(f'{len(queries)} queries, {len(dumps["linux"])} read-backs over {len(written)} written files')
    print(f'{checks - bad} passed, {bad} failed')
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main())

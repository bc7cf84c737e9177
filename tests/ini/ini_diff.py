#!/usr/bin/env python3
"""Differential check of the INI store against kernel32 (under Wine).

  ini_diff.py LINUX_PROBE WINDOWS_COMMAND... (the last word the Windows probe)

Feeds queries.tsv to the Linux profile-probe and to the Windows one, each in
a fresh copy of fixtures/, and requires the same answers, except where an
annotation records a known difference (see the head of queries.tsv). Then
reads back every file the queries wrote, through each probe's own reads
(names, keys, values), and requires the same contents: Wine rewrites files
normalised while our store edits them in place, so bytes cannot be compared.
"""
import difflib
import itertools
import os
import re
import shutil
import subprocess
import sys
import tempfile

BIG = 65536  # buffer size of the read-back queries
# A Windows probe outside code page 932 (the Wine locale) shows as differing
# answers to the sjis.ini queries.


def load_queries(path):
    """(line number, query, {'linux': ..., 'wine': ...}) for each query; the files left out of the read-back."""
    queries, nodump, pending = [], set(), {}
    with open(path, 'rb') as f:
        for no, line in enumerate(f.read().decode('latin-1').split('\n'), 1):
            line = line.rstrip('\r')
            tag = re.match(r'#(linux|wine|nodump):? (.*)', line)
            if tag and tag[1] == 'nodump':
                nodump.add(tag[2].strip())
            elif tag:
                pending[tag[1]] = tag[2]
            elif line.strip() and not line.startswith('#'):
                queries.append((no, line, pending))
                pending = {}
    return queries, nodump


def run_probe(command, workdir, lines):
    result = subprocess.run(command, cwd=workdir, input=''.join(q + '\n' for q in lines).encode('latin-1'),
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=120)
    answers = result.stdout.decode('latin-1').replace('\r', '').removesuffix('\n').split('\n')
    if len(answers) != len(lines):
        raise SystemExit(f'{command[-1]}: {len(answers)} answers to {len(lines)} queries '
                         f'(exit status {result.returncode})')
    return answers


def escape(data):
    return ''.join(chr(b) if 0x20 <= b <= 0x7E and b != 0x5C else '\\x%02X' % b for b in data)


def list_items(answer):
    """The names of a list answer "N<TAB>bytes", up to the empty name."""
    text = answer.split('\t', 1)[1] if '\t' in answer else ''
    buffer = re.sub(r'\\x([0-9A-Fa-f]{2})', lambda m: chr(int(m[1], 16)), text).encode('latin-1')
    return list(itertools.takewhile(bool, buffer.split(b'\0')))


def dump(command, workdir, files):
    """Everything the reads show of the files: names, then keys, then values."""
    transcript = []

    def ask(lines):
        answers = run_probe(command, workdir, lines) if lines else []
        transcript.extend(f'{q}  =>  {a}' for q, a in zip(lines, answers))
        return answers

    names = [f'names\t{BIG}\t{f}' for f in files]
    targets = [(f, s) for f, a in zip(files, ask(names)) for s in list_items(a)]
    keys = [f'str\t{escape(s)}\t\\N\t\t{BIG}\t{f}' for f, s in targets]
    ask([f'str\t{escape(s)}\t{escape(k)}\t\t{BIG}\t{f}'
         for (f, s), a in zip(targets, ask(keys)) for k in list_items(a)])
    return transcript


def main():
    data = os.path.dirname(os.path.abspath(__file__))
    queries, nodump = load_queries(os.path.join(data, 'queries.tsv'))
    # The probes run inside the fixture copies: their paths must not be relative.
    commands = {'linux': [os.path.abspath(sys.argv[1])],
                'windows': sys.argv[2:-1] + [os.path.abspath(sys.argv[-1])]}
    with tempfile.TemporaryDirectory(prefix='ini-diff.') as work:
        dirs = {side: os.path.join(work, side) for side in commands}
        for d in dirs.values():
            shutil.copytree(os.path.join(data, 'fixtures'), d)
        answers = {side: run_probe(commands[side], dirs[side], [q for _, q, _ in queries]) for side in commands}
        written = sorted({q.split('\t')[-1] for _, q, _ in queries if q.startswith('write\t')} - nodump - {'', '\\N'})
        dumps = {side: dump(commands[side], dirs[side], written) for side in commands}

    bad = 0
    for (no, q, expect), l, w in zip(queries, answers['linux'], answers['windows']):
        want = expect.get('linux', w)
        if l != want or w not in (want, expect.get('wine')):
            bad += 1
            print(f'queries.tsv:{no}: {q}\n    linux:   {l}\n    windows: {w}\n    recorded {expect}')
    dump_diffs = list(difflib.unified_diff(dumps['windows'], dumps['linux'], 'windows read-back',
                                           'linux read-back', lineterm=''))
    if dump_diffs:
        bad += 1
        print('files read back differently after the writes:\n' + '\n'.join(dump_diffs))
    print(f'{len(queries) + 1 - bad} passed, {bad} failed ({len(dumps["linux"])} read-backs of {len(written)} files)')
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main())

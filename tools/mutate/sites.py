"""Where a C++ source can be mutated: a small lexer and the mutation operators.

Each site is one single change of the text: a comparison flipped or moved
across its boundary, an integer constant moved by one, && and || swapped, a
condition negated, or an expression statement dropped. Comments, string and
character literals, preprocessor lines, asserts and log calls are never
touched. The sources are clang-formatted, so a binary operator has spaces on
both sides, which tells a comparison from a template's angle brackets.
"""
import bisect
import re
from dataclasses import dataclass

TOKEN = re.compile(r"""
  (?P<ws>\s+)
| (?P<comment>//[^\n]*|/\*.*?\*/)
| (?P<string>(?:u8|[uUL])?R"(?P<delim>[^(\s]*)\(.*?\)(?P=delim)"
            |(?:u8|[uUL])?"(?:\\.|[^"\\\n])*"|(?:u8|[uUL])?'(?:\\.|[^'\\\n])*')
| (?P<number>(?:0[xX][0-9a-fA-F']+|\d[\d']*)(?:\.\d*)?(?:[eE][+-]?\d+)?[uUlLfF]*|\.\d+(?:[eE][+-]?\d+)?[fFlL]?)
| (?P<ident>[A-Za-z_]\w*)
| (?P<punct>::|->|\+\+|--|<<=|>>=|<=|>=|==|!=|&&|\|\||<<|>>|[-+*/%&|^!=<>]=?|[(){}\[\];,.?:~\#@$\\])
""", re.X | re.S)

FLIP = {"<": ">=", ">": "<=", "<=": ">", ">=": "<", "==": "!=", "!=": "=="}
BOUNDARY = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
SWAP = {"&&": "||", "||": "&&"}
QUIET = {"assert", "static_assert"}  # calls whose text cannot change behaviour
LOGS = {"fprintf", "printf", "puts"}
# Words that start something other than an expression statement.
KEYWORDS = set("""
alignas alignof asm auto bool break case catch char char16_t char32_t class const constexpr
const_cast continue decltype default delete do double dynamic_cast else enum explicit export
extern false float for friend goto if inline int long mutable namespace new noexcept nullptr
operator private protected public register reinterpret_cast return short signed sizeof static
static_assert static_cast struct switch template this throw true try typedef typeid typename
union unsigned using virtual void volatile wchar_t while
""".split())
BODY_AFTER = {"const", "override", "final", "noexcept", "mutable", "else", "do", "try"}
STATEMENT_FOLLOWERS = {"=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=", ">>=",
                       "(", ".", "->", "[", "++", "--"}


@dataclass(frozen=True)
class Token:
    kind: str
    text: str
    start: int
    end: int


@dataclass(frozen=True)
class Mutation:
    path: str  # relative to the tree, with forward slashes
    line: int
    start: int  # character offsets into the file's text
    end: int
    original: str
    replacement: str
    kind: str

    def describe(self):
        if not self.replacement.strip(" ;"):
            return f"{self.kind}: '{_short(self.original)}'"
        return f"{self.kind}: '{_short(self.original)}' -> '{_short(self.replacement)}'"

    def apply(self, text):
        return text[:self.start] + self.replacement + text[self.end:]


def _short(s, limit=60):
    s = " ".join(s.split())
    return s if len(s) <= limit else s[:limit - 3] + "..."


def tokens(text):
    """Code tokens of a file: no spaces, comments or preprocessor lines."""
    out, pos = [], 0
    while pos < len(text):
        m = TOKEN.match(text, pos)
        if m is None:  # a stray character: step over it
            pos += 1
            continue
        kind = m.lastgroup if m.lastgroup != "delim" else "string"
        if kind == "punct" and m.group() == "#" and _starts_line(text, m.start()):
            pos = _end_of_directive(text, m.start())
            continue
        if kind not in ("ws", "comment"):
            out.append(Token(kind, m.group(), m.start(), m.end()))
        pos = m.end()
    return out


def _starts_line(text, at):
    line_start = text.rfind("\n", 0, at) + 1
    return text[line_start:at].strip() == ""


def _end_of_directive(text, at):
    while True:
        nl = text.find("\n", at)
        if nl < 0:
            return len(text)
        if text[nl - 1] != "\\":
            return nl
        at = nl + 1


def _quiet_ranges(toks):
    """Token index ranges of asserts and log calls, up to their semicolon."""
    quiet, i = [], 0
    while i < len(toks):
        t = toks[i]
        is_log = t.text in LOGS and i + 2 < len(toks) and toks[i + 2].text == "stderr"
        if t.kind == "ident" and (t.text in QUIET or is_log):
            j = i
            while j < len(toks) and toks[j].text != ";":
                j += 1
            quiet.append((i, j))
            i = j
        i += 1
    return quiet


def _spaced(text, tok):
    return tok.start > 0 and text[tok.start - 1].isspace() and tok.end < len(text) and text[tok.end].isspace()


def _closing(toks, i):
    """Index of the bracket closing the one at i."""
    pairs = {"(": ")", "[": "]", "{": "}"}
    depth, open_, close = 0, toks[i].text, pairs[toks[i].text]
    for j in range(i, len(toks)):
        if toks[j].text == open_:
            depth += 1
        elif toks[j].text == close:
            depth -= 1
            if depth == 0:
                return j
    return None


def _integer(text):
    """(value, formatter) of an integer literal, or None for floats and octals."""
    m = re.fullmatch(r"(0[xX][0-9a-fA-F]+|0|[1-9][0-9]*)([uUlL]*)", text)
    if m is None:
        return None
    body, suffix = m.groups()
    if body[:2] not in ("0x", "0X"):
        return int(body), lambda v: f"{v}{suffix}"
    digits = "X" if re.search("[A-F]", body[2:]) else "x"
    return int(body, 16), lambda v: f"{body[:2]}{v:0{len(body) - 2}{digits}}{suffix}"


def _operator_sites(text, toks, i):
    t = toks[i]
    if t.kind != "punct" or not _spaced(text, t):
        return
    if t.text in FLIP:
        yield t.start, t.end, FLIP[t.text], "flip comparison"
    if t.text in BOUNDARY:
        yield t.start, t.end, BOUNDARY[t.text], "comparison boundary"
    if t.text in SWAP:
        yield t.start, t.end, SWAP[t.text], "swap logic"


def _constant_sites(toks, i):
    t = toks[i]
    parsed = _integer(t.text) if t.kind == "number" else None
    if parsed is None:
        return
    value, form = parsed
    yield t.start, t.end, form(value + 1), "constant +1"
    if value > 0:
        yield t.start, t.end, form(value - 1), "constant -1"


def _condition_sites(toks, i):
    """if (c) and while (c) become if (!(c)) and while (!(c))."""
    t = toks[i]
    if t.kind != "ident" or t.text not in ("if", "while") or i + 1 >= len(toks) or toks[i + 1].text != "(":
        return
    close = _closing(toks, i + 1)
    if close is None or close == i + 2:
        return
    first, last = toks[i + 2], toks[close - 1]
    yield first.start, last.end, None, "negate condition"


def _code_blocks(toks):
    """For each token, whether it lies in a function body (not in a class,
    namespace, enumeration or braced initialiser)."""
    inside, stack = [], [False]
    for i, t in enumerate(toks):
        inside.append(stack[-1])
        if t.text == "{":
            prev = toks[i - 1] if i > 0 else t
            body = prev.text in (")", "]") or prev.text in BODY_AFTER or \
                (prev.text in (";", "{", "}") and stack[-1])
            stack.append(body)
        elif t.text == "}" and len(stack) > 1:
            stack.pop()
    return inside


def _statement_sites(toks, i, in_code):
    """An expression statement on its own (an assignment or a call) dropped."""
    prev = toks[i - 1].text if i > 0 else "{"
    t = toks[i]
    if not in_code[i] or prev not in (";", "{", "}") or t.kind != "ident" or t.text in KEYWORDS:
        return
    j = i
    while j + 2 < len(toks) and toks[j + 1].text == "::" and toks[j + 2].kind == "ident":
        j += 2
    if j + 1 >= len(toks) or toks[j + 1].text not in STATEMENT_FOLLOWERS:
        return
    end = _statement_end(toks, j + 1)
    if end is not None:
        yield t.start, toks[end].end, ";", "drop statement"


def _statement_end(toks, j):
    """The semicolon ending a statement, None if a brace comes first."""
    depth = 0
    for k in range(j, len(toks)):
        s = toks[k].text
        if s in ("(", "["):
            depth += 1
        elif s in (")", "]"):
            depth -= 1
            if depth < 0:  # a for loop's step
                return None
        elif s in ("{", "}") and depth == 0:
            return None
        elif s == ";" and depth == 0:
            return k
    return None


def file_sites(path, text):
    """Every mutation of one file, in order of position."""
    toks = tokens(text)
    quiet = _quiet_ranges(toks)
    in_code = _code_blocks(toks)
    lines = [i for i, c in enumerate(text) if c == "\n"]
    found = []
    for i in range(len(toks)):
        if any(a <= i <= b for a, b in quiet):
            continue
        for gen in (_operator_sites(text, toks, i), _constant_sites(toks, i),
                    _condition_sites(toks, i), _statement_sites(toks, i, in_code)):
            for start, end, replacement, kind in gen:
                original = text[start:end]
                if replacement is None:
                    replacement = f"!({original})"
                line = bisect.bisect_left(lines, start) + 1
                found.append(Mutation(path, line, start, end, original, replacement, kind))
    return found

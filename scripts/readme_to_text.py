#!/usr/bin/env python3
"""Makes 说明.txt, the players' text of the release zip, from docs/players.md
(the Chinese text a player reads) and the message tables of README.md.

Plain text in code page 936 (GBK) with CR LF line ends, so that Notepad on
any Simplified Chinese Windows from XP on shows it, wrapped to 78 columns
because Notepad does not wrap lines by default. Lines break between words
and between Chinese characters, never inside a quoted text that fits on a
line nor inside an ellipsis; a line of code longer than 78 columns stops
the script, as a line of code cannot be wrapped. A quoted text too long for
a line starts a line of its own. In docs/players.md,
{version} stands for the version, and {messages} for every message of the
README's section 给玩家 with what to do about it, one item each, so that a
message added to the README's tables comes into the text file too, and
{web} for the page the release is published on (with the README), where
the text sends café administrators for the whole command line.

    readme_to_text.py README.md docs/players.md OUT.txt VERSION WEB_ADDRESS
"""
import re
import sys

WIDTH = 78
KEEP = "\0"  # a space no line breaks at
# No line starts with the first kind of mark or ends with the second.
CLOSING = set("，。、；：？！）」』”’》〉】,.;:?!)%")
OPENING = set("（「『“‘《〈【(")
# The longest quoted text kept on one line: a line of a table's cell
# starts after four columns of indent.
QUOTE_WIDTH = WIDTH - 8


def is_wide(c):
    """A character of two bytes in code page 936: two columns wide in the
    fixed-width fonts of Chinese Windows, and a place a line may break."""
    return len(c.encode("gbk", errors="replace")) == 2


def columns(text):
    return sum(2 if is_wide(c) else 1 for c in text)


def code(text):
    return "“" + text.replace(" ", KEEP) + "”" if " " in text else text


def inline(text):
    """Markdown inline markup to plain text."""
    text = re.sub(r"!\[[^\]]*\]\([^)]*\)", "", text)  # pictures
    text = re.sub(r"\[([^\]]+)\]\((https?:[^)]+)\)", r"\1 (\2)", text)
    text = re.sub(r"\[([^\]]+)\]\([^)]*\)", r"\1", text)  # files of the repository
    text = re.sub(r"\*\*(.+?)\*\*", r"\1", text)
    # A command in quotes, kept on one line (KEEP joins its words until the
    # lines are made); a file name as it is.
    text = re.sub(r"`([^`]*)`", lambda m: code(m.group(1)), text)
    return text.replace("\\|", "|").strip()


# Stands before a quoted text too long for a line, which is broken inside:
# the line breaks before its opening mark unless the whole quote fits.
LONG_QUOTE = "\1"


def tokens(text):
    """Runs of spaces, quoted texts short enough for a line (their spaces
    kept), runs of ellipsis marks, and single characters."""
    for match in re.finditer(r"“[^“”]*”| +|…+|[^ ]", text):
        token = match.group()
        if token.startswith("“") and len(token) > 1 and columns(token) > QUOTE_WIDTH:
            yield LONG_QUOTE + str(columns(token))
            yield from re.findall(r" +|…+|[^ ]", token)
        else:
            yield token.replace(" ", KEEP) if token.startswith("“") else token


def units(text):
    """Pieces a line may break between: words, single CJK characters,
    short quoted texts and spaces, with closing marks kept on the piece
    before them and opening marks on the piece after."""
    pieces = []
    for token in tokens(text):
        if token.startswith(LONG_QUOTE):
            pieces.append(token)
        elif token.startswith(" "):
            pieces.append(" ")
        elif pieces and pieces[-1] != " " and not pieces[-1].startswith(LONG_QUOTE) and (
                token in CLOSING or pieces[-1][-1] in OPENING or
                not (is_wide(token[0]) or is_wide(pieces[-1][-1]))):
            pieces[-1] += token
        else:
            pieces.append(token)
    return pieces


def wrap(text, first, rest):
    """text filled into lines of WIDTH columns; the first line starts with
    the prefix first, the others with rest."""
    lines, line = [], first
    for piece in units(text):
        if piece.startswith(LONG_QUOTE):
            # A quote that does not fit after what the line holds starts the
            # next line, so that it is broken only where it must be.
            if columns(line) + int(piece[1:]) > WIDTH and line.strip() and line not in (first, rest):
                lines.append(line.rstrip())
                line = rest
            continue
        if piece == " " and line in (first, rest):
            continue
        if columns(line + piece) > WIDTH and line.strip() and line not in (first, rest):
            lines.append(line.rstrip())
            line = rest
            if piece == " ":
                continue
        line += piece
    lines.append(line.rstrip())
    return lines


def cells(row):
    return [inline(c) for c in re.split(r"(?<!\\)\|", row.strip().strip("|"))]


def table(rows):
    """A table as one block per row: the first cell, then each further cell
    after its column's heading. Rows of pictures alone are left out."""
    heads = cells(rows[0])
    out = []
    for row in rows[2:]:
        values = cells(row)
        if not any(values):
            continue
        out += wrap(values[0], "● ", "  ")
        for head, value in zip(heads[1:], values[1:]):
            if value and value not in ("—", "-"):
                mark = "：" if head and is_wide(head[-1]) else ": "
                out += wrap(head + mark + value, "  ", "    ")
        out.append("")
    return out


def heading(text, underline):
    return [text, underline * columns(text), ""]


def convert(markdown):
    """Markdown lines of the README's subset to plain text lines."""
    out, paragraph, rows = [], [], []
    lines = iter(markdown)

    def flush():
        if paragraph:
            text = ""
            for part in paragraph:
                if text and not (is_wide(text[-1]) or is_wide(part[0])):
                    text += " "
                text += part
            match = re.match(r"(- |\d+\. )", text)
            indent = " " * len(match.group(1)) if match else ""
            out.extend(wrap(text, "", indent))
            if not match:
                out.append("")
            paragraph.clear()
        if rows:
            out.extend(table(rows))
            rows.clear()

    for line in lines:
        if line.startswith("```"):
            flush()
            for block_line in lines:
                if block_line.startswith("```"):
                    break
                if columns("    " + block_line) > WIDTH:
                    sys.exit(f"readme_to_text: a line of code in the players' text is "
                             f"wider than {WIDTH - 4} columns: {block_line}")
                out.append("    " + block_line)
            out.append("")
        elif line.startswith("|"):
            if paragraph:
                flush()
            rows.append(line)
        elif line.startswith("#"):
            flush()
            level, title = re.match(r"(#+)\s*(.*)", line).groups()
            out.extend(heading(inline(title), "=" if len(level) <= 2 else "-"))
        elif not line.strip():
            flush()
            if out and out[-1] != "":
                out.append("")
        elif re.fullmatch(r"\*\*[^*]+\*\*", line.strip()):
            flush()  # a bold line is the title of what follows
            out.extend(heading(inline(line), "-"))
        else:
            text = inline(line)
            if re.match(r"(- |\d+\. )", text):
                flush()
            if text:
                paragraph.append(text)
    flush()
    return out


def messages(readme):
    """The rows of the tables in the README's section 给玩家 as Markdown
    list items: what the player sees, then what to do (or, where there is
    nothing to do, what it means)."""
    section = re.search(r"^## 给玩家.*?(?=^## )", readme, flags=re.M | re.S)
    if not section:
        sys.exit("readme_to_text: README.md has no section headed '## 给玩家'")
    items = []
    for row in section.group().splitlines():
        if not row.startswith("|") or row.startswith(("|---", "| 您看到的")):
            continue
        seen, meaning, todo = (re.split(r"(?<!\\)\|", row.strip().strip("|")) + ["", ""])[:3]
        todo = todo.strip() if todo.strip() not in ("—", "-", "") else meaning.strip()
        items.append(f"- {seen.strip()}：{todo}")
    return items


def players_text(readme, players, version, web):
    body = players.replace("{version}", version).replace("{web}", web).splitlines()
    at = body.index("{messages}")
    body[at:at + 1] = messages(readme)
    lines = heading(f"Tarnwick {version} 说明", "=") + convert(body)
    while lines and not lines[-1]:
        lines.pop()
    return "".join(line.replace(KEEP, " ") + "\r\n" for line in lines)


def main():
    readme, players, target, version, web = sys.argv[1:6]
    with open(readme, encoding="utf-8") as f, open(players, encoding="utf-8") as g:
        text = players_text(f.read(), g.read(), version, web)
    try:
        data = text.encode("gbk")
    except UnicodeEncodeError as error:
        sys.exit(f"readme_to_text: {text[error.start]!r} (U+{ord(text[error.start]):04X}) "
                 f"in the players' text has no code in code page 936")
    with open(target, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes the manual page zavdepot(1) from the texts the command line's --help prints.

    make-manpage.py ZAVDEPOT [OUT]          write the page (to standard output without OUT)
    make-manpage.py ZAVDEPOT --check PAGE   exit 1 (and show the difference) when PAGE is not what the
                                            help texts give, so the page and --help never drift apart

The command table, every command's description, usage, arguments and options come from --help of the
program and of each command (nested commands included); only the sections around them are written here.
"""
import difflib
import re
import subprocess
import sys

COLUMN = re.compile(r"^  (\S.*?)(?:\s{2,}(.*))?$")


def help_text(binary, words):
    out = subprocess.run([binary, *words, "--help"], capture_output=True, text=True, check=True,
                         env={"PATH": "/usr/bin:/bin", "LC_ALL": "C"})
    return out.stdout


def parse(text):
    """Splits a help text into its description, usage line and sections of (term, text) rows."""
    lines = text.rstrip("\n").split("\n")
    description, usage, sections, current = [], "", {}, None
    for line in lines:
        if line.startswith("Usage: "):
            usage = line[len("Usage: "):]
        elif line.endswith(":") and not line.startswith(" "):
            current = line[:-1]
            sections[current] = []
        elif current is None:
            if line:
                description.append(line)
        elif line.strip():
            if not line.startswith("    "):
                # A row: the term in the first 30 columns, its text after them (or after two spaces).
                if len(line) > 30 and line[29] == " " and line[30] != " ":
                    sections[current].append([line[2:29].strip(), line[30:].strip()])
                else:
                    m = COLUMN.match(line)
                    sections[current].append([m.group(1), m.group(2) or ""])
            elif sections[current]:  # a description carried on to the next line
                sections[current][-1][1] = (sections[current][-1][1] + " " + line.strip()).strip()
    return " ".join(description), usage, sections


def esc(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + text if text.startswith((".", "'")) else text


def rows(section):
    out = []
    for term, text in section:
        if term.startswith("-h,--help"):
            continue
        out += [".TP", "\\fB" + esc(term) + "\\fR", esc(text)]
    return out


def commands(binary, words, sections):
    out = []
    for name, _ in sections.get("Subcommands", []):
        path = words + [name]
        description, usage, subsections = parse(help_text(binary, path))
        out += [".SS " + esc(" ".join(path)), esc(description), ".PP", "\\fIUsage:\\fR " + esc(usage)]
        for title in ("Positionals", "Options"):
            body = rows(subsections.get(title, []))
            if body:
                out += [".PP", title.replace("Positionals", "Arguments") + ":", ".RS"] + body + [".RE"]
        out += commands(binary, path, subsections)
    return out


def page(binary):
    description, usage, sections = parse(help_text(binary, []))
    version = re.search(r"\d+\.\d+\.\d+", description).group(0)
    out = [
        '.TH ZAVDEPOT 1 "" "ZavDepot ' + version + '" "User Commands"',
        ".SH NAME",
        "zavdepot \\- route and reading conversions for handheld meter reading",
        ".SH SYNOPSIS",
        ".B zavdepot",
        "[\\fB\\-\\-home\\fR \\fIDIR\\fR] [\\fB\\-\\-yes\\fR | \\fB\\-\\-no\\fR] [\\fICOMMAND\\fR [\\fIOPTIONS\\fR]]",
        ".SH DESCRIPTION",
        esc(description),
        ".PP",
        "The office side of handheld meter reading: route files exported by a billing system become route",
        "databases for the handheld units, and the readings databases the units bring back become the",
        "host's upload, orphan and re\\-read files and reports. Every conversion reports line by line in a",
        "run log, which the command line writes to standard output; messages and the progress bar go to",
        "standard error.",
        ".PP",
        "Without a command the desktop application starts (the word \\fBNOGATE\\fR skips its login gate).",
        ".SH OPTIONS",
    ] + rows(sections.get("Options", [])) + [
        ".PP",
        "\\fB\\-\\-home\\fR, \\fB\\-\\-yes\\fR and \\fB\\-\\-no\\fR may stand before or after the command;",
        "\\fB\\-\\-help\\fR works on every command. Without \\fB\\-\\-yes\\fR or \\fB\\-\\-no\\fR a terminal is",
        "asked, and without a terminal the answer is No and the question is logged.",
        ".SH COMMANDS",
    ] + commands(binary, [], sections) + [
        ".SH FILES",
        ".TP",
        "\\fIHOME\\fR/registry.sqlite3",
        "The settings store (exchange settings, advanced handheld options).",
        ".TP",
        "\\fIHOME\\fR/*.zcm, *.zrm, *.zom",
        "Conversion maps: route and re\\-read, reading, orphan.",
        ".TP",
        "\\fIHOME\\fR/hotsync/\\fIUNIT\\fR/Install/",
        "Files scheduled for the unit's next HotSync.",
        ".TP",
        "/usr/share/doc/zavdepot/examples/demo\\-home/",
        "A demo office with maps, route files and a readings database.",
        ".SH ENVIRONMENT",
        ".TP",
        ".B ZAVDEPOT_HOME",
        "The home folder when \\fB\\-\\-home\\fR is not given; otherwise",
        "\\fI$XDG_DATA_HOME/zavdepot\\fR (\\fI~/.local/share/zavdepot\\fR).",
        ".SH EXIT STATUS",
        "0 when the run succeeded, 1 when it did not (bad input gets a message, never a crash), 2 for a",
        "usage error.",
        ".SH EXAMPLES",
        ".nf",
        "cp \\-R /usr/share/doc/zavdepot/examples/demo\\-home ~/demo",
        "zavdepot \\-\\-home ~/demo route",
        "zavdepot \\-\\-home ~/demo view ~/demo/RouteZAV.pdb",
        ".fi",
    ]
    return "\n".join(out) + "\n"


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    text = page(argv[1])
    if len(argv) == 4 and argv[2] == "--check":
        with open(argv[3], encoding="utf-8") as f:
            stored = f.read()
        if stored != text:
            sys.stdout.writelines(difflib.unified_diff(stored.splitlines(True), text.splitlines(True),
                                                       argv[3], "from --help"))
            print("The manual page differs from the help texts: run scripts/make-manpage.py "
                  "build/src/zavdepot " + argv[3])
            return 1
        return 0
    if len(argv) == 3:
        with open(argv[2], "w", encoding="utf-8") as f:
            f.write(text)
    else:
        sys.stdout.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

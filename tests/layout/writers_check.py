#!/usr/bin/env python3
"""Every file the program writes goes through the safe writer.

Lists the writers (the sources that write through platform/safefile and what
is built on it) and fails on any other way of writing, renaming or removing
a file in the program's sources: a new writer that bypasses the safe writer
is caught here before it loses someone's file.
"""
import pathlib, re, sys

FOLDERS = ['platform', 'model', 'print', 'export', 'interchange', 'cli', 'history', 'desktop',
           'editors', 'app', 'share']

BYPASSES = {
    'a C++ file stream': r'\bstd::(o|)fstream\b',
    'a C file': r'\b(fopen|freopen|fdopen)\s*\(',
    "Qt's own saving file": r'\bQSaveFile\b',
    'a Qt device opened for writing': r'QIODevice::(WriteOnly|ReadWrite|Append|Truncate)',
    'open(2) for writing': r'\b(O_CREAT|O_WRONLY|O_RDWR|O_TRUNC|O_APPEND)\b|\bcreat\s*\(',
    'a raw write': r'::write\s*\(|\bpwrite\s*\(',
    'a rename': r'\b(std::)?rename(at2?)?\s*\(|::link\s*\(',
    'a removal': r'\bunlink\s*\(|\bstd::remove\s*\(|QFile::remove|QDir\(.*\)\.remove|remove_all',
    'an image saved to a path': r'\.save\s*\(\s*(?!&)[^)]',
    'a PDF writer on a file name': r'QPdfWriter\s*\(\s*(?!&)[^)]',
    'a lock file of Qt\'s': r'\bQLockFile\b',
}

# Where a pattern is the safe writer itself, or harmless, and why.
ALLOWED = {
    ('platform/filesystemcalls.cpp', '*'): 'the system calls every write goes through',
    ('platform/safefiledevice.h', 'a Qt device opened for writing'): 'the safe writer as a device',
    ('cli/drawingcommands.cpp', 'a Qt device opened for writing'): 'a buffer in memory',
    ('cli/drawingcommands.cpp', 'an image saved to a path'): 'saved to that buffer',
    ('app/brinnowview.cpp', 'an image saved to a path'): "a painter's state, not a file",
    ('platform/stopsignals.cpp', 'a raw write'): 'a byte down a pipe to wake the event loop',
    ('share/cardpicture.cpp', 'a Qt device opened for writing'): 'a buffer in memory',
}

WRITERS = re.compile(r'\b(WriteFileSafely|SafeFileGroup|SafeFileDevice|PdfSurface|SafeFile)\b')


def code_of(text):
    """The text without comments and string literals."""
    text = re.sub(r'//[^\n]*', '', text)
    text = re.sub(r'/\*.*?\*/', '', text, flags=re.S)
    return re.sub(r'"(\\.|[^"\\\n])*"', '""', text)


def main(root):
    wrong, writers = [], []
    for folder in FOLDERS:
        for path in sorted((root / folder).glob('*.[ch]*')):
            name = str(path.relative_to(root))
            code = code_of(path.read_text(encoding='utf-8'))
            for what, pattern in BYPASSES.items():
                if (name, '*') in ALLOWED or (name, what) in ALLOWED:
                    continue
                for match in re.finditer(pattern, code):
                    line = code.count('\n', 0, match.start()) + 1
                    wrong.append(f'{name}:{line}: {what} bypasses the safe writer')
            if WRITERS.search(code) and not name.startswith('platform/'):
                writers.append(name)
    print('writers through the safe writer:', ', '.join(writers))
    print('\n'.join(wrong) or 'no writer bypasses it')
    return 1 if wrong else 0


if __name__ == '__main__':
    sys.exit(main(pathlib.Path(sys.argv[1])))

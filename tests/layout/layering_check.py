#!/usr/bin/env python3
"""Every folder includes only the folders its library may use, and the
command-line tool loads no widget library."""
import pathlib, re, subprocess, sys

ALLOWED = {
    'platform': set(),
    'model': {'platform'},
    'print': {'model', 'platform'},
    'export': {'print', 'model', 'platform'},
    'interchange': {'model', 'platform'},
    'game': {'interchange', 'print', 'model', 'platform'},
    'share': {'game', 'interchange', 'print', 'model', 'platform'},
    'compare': {'game', 'interchange', 'print', 'model', 'platform'},
    'cli': {'share', 'compare', 'game', 'interchange', 'export', 'print', 'model', 'platform'},
    'history': {'model', 'platform'},
    'document': {'history', 'interchange', 'model', 'platform'},
    'desktop': {'export', 'print', 'model', 'platform'},
    'charts': {'desktop', 'compare', 'game', 'interchange', 'export', 'print', 'model',
               'platform'},
    'editors': {'charts', 'desktop', 'history', 'export', 'print', 'model', 'platform'},
    'table': {'charts', 'compare', 'desktop', 'share', 'game', 'interchange', 'export', 'print', 'model', 'platform'},
    'app': {'charts', 'compare', 'document', 'editors', 'table', 'desktop', 'game', 'history', 'interchange', 'export', 'print',
            'model', 'platform'},
}
NO_QT = {'model', 'game', 'compare'}
WIDGETS = re.compile(r'#include <Q(Widget|Dialog|Application|MainWindow|PushButton|LineEdit)\b')


def main(root, tools):
    wrong = []
    for folder, allowed in ALLOWED.items():
        for path in sorted((root / folder).glob('*.[ch]*')):
            text = path.read_text(encoding='utf-8')
            for used in re.findall(r'#include "([a-z]+)/', text):
                if used != folder and used not in allowed:
                    wrong.append(f'{path.relative_to(root)} includes {used}/')
            if folder in NO_QT and re.search(r'#include <Q', text):
                wrong.append(f'{path.relative_to(root)} includes Qt')
            if folder in ('history', 'document', 'cli', 'game', 'share') and WIDGETS.search(text):
                wrong.append(f'{path.relative_to(root)} includes a widget header')
    for tool in tools:
        linked = subprocess.run(['ldd', tool], capture_output=True, text=True).stdout
        if 'Qt6Widgets' in linked:
            wrong.append(f'{tool} links Qt Widgets')
    print('\n'.join(wrong) or 'the layers hold')
    return 1 if wrong else 0


if __name__ == '__main__':
    sys.exit(main(pathlib.Path(sys.argv[1]), sys.argv[2:]))

#!/usr/bin/env python3
"""check_imports.py EXE --lists FOLDER [--xp LIST] [--unlisted DLL...]

Every Windows the program is for must load EXE: the PE header's OS and
subsystem versions are 4.0 (the Windows 95 and NT 4.0 loaders refuse more), and
every function it imports by name is exported by name by every release: 95,
98 SE, ME, NT 4.0 and 2000 (FOLDER/<release>/<DLL>.txt) and, given --xp, XP
(lines "dll!function"). Windows 95 ships no MSVCRT.DLL; a program that needs it
says so (README, help, installer), and is held to the oldest one an update
installs. A library named with --unlisted, which every release ships but no
list covers, has its imports printed instead of checked. Prints each release
and function that fails."""
import argparse
import os
import re
import subprocess
import sys

arguments = argparse.ArgumentParser()
arguments.add_argument('exe')
arguments.add_argument('--lists', required=True)
arguments.add_argument('--xp')
arguments.add_argument('--unlisted', nargs='*', default=[])
options = arguments.parse_args()
exe, lists, xp_list = options.exe, options.lists, options.xp
unlisted = {name.upper() for name in options.unlisted}
RELEASES = {'win95': 'Windows 95', 'win98se': 'Windows 98 SE', 'winme': 'Windows ME',
            'nt4': 'Windows NT 4.0', 'win2000': 'Windows 2000'}
dump = subprocess.run(['i686-w64-mingw32-objdump', '-p', exe], capture_output=True, text=True, check=True).stdout

failures = []
versions = {field: int(re.search(field + r'\s+(\d+)', dump).group(1)) for field in
            ('MajorOSystemVersion', 'MinorOSystemVersion', 'MajorSubsystemVersion', 'MinorSubsystemVersion')}
os_version = (versions['MajorOSystemVersion'], versions['MinorOSystemVersion'])
subsystem = (versions['MajorSubsystemVersion'], versions['MinorSubsystemVersion'])
for what, version in (('OS', os_version), ('subsystem', subsystem)):
    if version != (4, 0):
        failures.append(f'PE header: {what} version {version[0]}.{version[1]}, not 4.0 '
                        '(Windows 95 and NT 4.0 refuse more)')

imports, library = {}, None
for line in dump.splitlines():
    found = re.match(r'\s*DLL Name: (\S+)', line)
    if found:
        library = found.group(1).upper()
        imports.setdefault(library, [])
        continue
    if library is None or 'vma:' in line:
        continue
    if not line.strip():
        if imports[library]:
            library = None
        continue
    found = re.match(r'\s*[0-9a-f]+\s+[0-9a-f]+\s+(\S+)\s*$', line)
    if found:
        imports[library].append(found.group(1))
    elif re.match(r'\s*[0-9a-f]+\s+[0-9a-f]+\s*$', line) or re.search(r'<none>|ordinal', line, re.I):
        failures.append(f'{library}: an import by ordinal ({line.strip()}), which differs between releases')


def read_names(path):
    with open(path) as names:
        return {line.strip() for line in names if line.strip() and not line.startswith('#')}


count = sum(len(names) for names in imports.values())
for dll in sorted(unlisted & set(imports)):
    print(f'{dll} (no list; every release ships it): {" ".join(imports[dll])}')
for folder, release in RELEASES.items():
    for dll, names in imports.items():
        if dll in unlisted:
            continue
        base = dll.rsplit('.', 1)[0]
        path = os.path.join(lists, folder, base + '.txt')
        if base == 'MSVCRT' and folder == 'win95':
            path = os.path.join(lists, folder, 'MSVCRT_OSR2_if_present_4.2.txt')
        if not os.path.exists(path):
            failures.append(f'{release}: {dll} is not a library the program may import (no list of its exports)')
            continue
        exported = read_names(path)
        failures += [f'{release}: {dll}!{name} is not exported' for name in names if name not in exported]
if xp_list:
    xp = {line.lower() for line in read_names(xp_list)}
    for dll, names in imports.items():
        failures += [f'Windows XP: {dll}!{name} is not on the reviewed list'
                     for name in names if f'{dll.lower()}!{name.lower()}' not in xp]

for failure in failures:
    print(failure)
libraries = ', '.join(sorted(imports))
print(f'{os.path.basename(exe)}: {count} imports from {libraries}; OS {os_version[0]}.{os_version[1]}, '
      f'subsystem {subsystem[0]}.{subsystem[1]}; {len(failures)} problems over {len(RELEASES) + bool(xp_list)} releases')
sys.exit(1 if failures else 0)

#!/usr/bin/env python3
"""check_9x_calls.py RELAY-LOG NOT-IMPLEMENTED-LIST EXE

Reads a Wine relay log (WINEDEBUG=+relay,+loaddll) of EXE and lists every
call from the program's own code (a return address inside EXE's image)
to a function that Windows 95, 98 and ME export without implementing it.
Fails on any such call, or on a log that shows no call at all."""
import os
import re
import subprocess
import sys

log_path, list_path, exe = sys.argv[1], sys.argv[2], sys.argv[3]
headers = subprocess.run(['i686-w64-mingw32-objdump', '-p', exe], capture_output=True, text=True, check=True).stdout
image_size = int(re.search(r'SizeOfImage\s+([0-9a-fA-F]+)', headers).group(1), 16)
implemented_wide, stubs = set(), set()
for line in open(list_path):
    line = line.strip()
    if not line or line.startswith('#'):
        continue
    (implemented_wide if line.startswith('+') else stubs).add(line.lstrip('+'))


def not_implemented(name):
    wide = len(name) > 1 and name.endswith('W') and (name[-2].islower() or name[-2].isdigit())
    return name in stubs or (wide and name not in implemented_wide)


name = os.path.basename(exe)
loaded = re.compile(r'Loaded L"[^"]*\\\\' + re.escape(name) + r'" at ([0-9a-fA-F]+)')
call = re.compile(r'^[0-9a-f]+:Call ([A-Za-z0-9_]+)\.([A-Za-z0-9_@?$]+)\(.*\) ret=([0-9a-f]+)\s*$')
base = None
calls, functions, offenders = 0, set(), {}
with open(log_path, errors='replace') as log:
    for line in log:
        if base is None:
            found = loaded.search(line)
            if found:
                base = int(found.group(1), 16)
            continue
        found = call.match(line)
        if not found:
            continue
        ret = int(found.group(3), 16)
        if not base <= ret < base + image_size:
            continue
        library, name = found.group(1).upper(), found.group(2)
        calls += 1
        functions.add(f'{library}.{name}')
        if not_implemented(name):
            offenders[f'{library}.{name}'] = offenders.get(f'{library}.{name}', 0) + 1

if base is None:
    sys.exit(f'{log_path}: {name} was never loaded')
if calls == 0:
    sys.exit(f'{log_path}: no call from {name} traced')
print(f'{calls} calls from {name} into system libraries, {len(functions)} functions')
for function, count in sorted(offenders.items()):
    print(f'  not implemented on Windows 95/98/ME: {function} ({count} calls)')
sys.exit(1 if offenders else 0)

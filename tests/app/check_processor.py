#!/usr/bin/env python3
"""Fails when a shipped executable's code holds an instruction the 486 lacks.

usage: check_processor.py EXE [--map LINKMAP] [--list]

Disassembles EXE's .text up to the end of its code (MinGW's linker puts the
constructor lists and then the exception tables after the code inside .text,
and they decode as nonsense) and names each instruction of a later processor
with its address and, from the link map, its function and object file. With
--list it prints one line instead, BreakOnLater's list for the breakpoint test:
the file's name, its header's time stamp and size of image, then the address
of each such instruction; and exits 0.
"""
import argparse
import bisect
import os
import re
import struct
import subprocess
import sys

OBJDUMP = 'i686-w64-mingw32-objdump'
PREFIXES = {'lock', 'rep', 'repz', 'repnz', 'repe', 'repne', 'data16', 'cs', 'ds', 'es', 'ss', 'fs', 'gs',
            'addr16', 'notrack', 'bnd'}
# First seen after the 486: the P6's conditional moves and compares, the long
# NOP; the Pentium's CMPXCHG8B and RDTSC; MMX, SSE, 3DNow! and later.
NAMED = {'cmpxchg8b', 'rdtsc', 'rdtscp', 'rdpmc', 'sysenter', 'sysexit', 'emms', 'femms', 'endbr32', 'sfence',
         'lfence', 'mfence', 'ldmxcsr', 'stmxcsr', 'fxsave', 'fxrstor', 'movnti'}


def later_class(mnemonic, operands, raw):
    """The class of a later processor's instruction, or None for the 486's own."""
    if re.match(r'f?cmov', mnemonic):
        return 'CMOVcc/FCMOVcc'
    if re.fullmatch(r'fu?comip?', mnemonic):
        return 'FCOMI/FUCOMI'
    if mnemonic in NAMED or mnemonic.startswith('prefetch'):
        return mnemonic.upper()
    if re.search(r'%xmm|%ymm|%mm[0-7]', operands):
        return 'MMX/SSE'
    if mnemonic in ('nop', 'nopw', 'nopl') and raw.startswith(('0f 1f', '66 0f 1f')):
        return 'long NOP'
    return None


def read_map(path):
    """Input sections [(start, end, object)] and symbols [(address, name)] of a GNU ld map, sorted."""
    sections, symbols = [], []
    in_map = False
    pending = None
    for line in open(path, encoding='utf-8', errors='replace'):
        if line.startswith('Linker script and memory map'):
            in_map = True
            continue
        if not in_map:
            continue
        m = re.match(r'^ (\.\S+)\s*$', line)
        if m:
            pending = m.group(1)
            continue
        m = re.match(r'^ (\.\S+)?\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$', line)
        if m and (m.group(1) or pending):
            name = m.group(1) or pending
            pending = None
            start, size = int(m.group(2), 16), int(m.group(3), 16)
            if name.startswith('.text') and size:
                sections.append((start, start + size, m.group(4).strip()))
            continue
        pending = None
        m = re.match(r'^\s{16}0x([0-9a-f]+)\s{16}(\S+)\s*$', line)
        if m and int(m.group(1), 16):
            symbols.append((int(m.group(1), 16), m.group(2)))
    sections.sort()
    symbols.sort()
    return sections, symbols


def code_end(exe, symbols, text_start, text_end):
    """Where the code ends inside .text: the constructor list's start."""
    for address, name in symbols:
        if name == '___CTOR_LIST__':
            return address
    # No map: find the list itself, 0xffffffff, pointers, 0, then 0xffffffff
    # starting the destructors' list.
    data = section_bytes(exe, '.text')
    end = text_end
    ptr = rb'(?:[\x00-\xff]{3}[\x00-\x7f])'
    for m in re.finditer(rb'\xff\xff\xff\xff' + ptr + rb'*?\x00\x00\x00\x00\xff\xff\xff\xff', data, re.S):
        if m.start() % 4 == 0:
            end = text_start + m.start()
    return end


def section_bytes(exe, name):
    out = subprocess.run([OBJDUMP, '-s', '-j', name, exe], capture_output=True, text=True, check=True).stdout
    data = bytearray()
    for line in out.splitlines():
        m = re.match(r'^ [0-9a-f]+ ((?:[0-9a-f]{2,8} ?)+)', line)
        if m:
            data += bytes.fromhex(m.group(1)[:35].replace(' ', ''))
    return bytes(data)


def text_bounds(exe):
    out = subprocess.run([OBJDUMP, '-h', exe], capture_output=True, text=True, check=True).stdout
    m = re.search(r'\.text\s+([0-9a-f]+)\s+([0-9a-f]+)', out)
    size, vma = int(m.group(1), 16), int(m.group(2), 16)
    return vma, vma + size


def later_instructions(exe, stop):
    out = subprocess.run([OBJDUMP, '-d', '-w', '-j', '.text', f'--stop-address={stop:#x}', exe],
                         capture_output=True, text=True, check=True).stdout
    for line in out.splitlines():
        parts = line.split('\t')
        if len(parts) < 3:
            continue
        tokens = parts[2].split()
        while tokens and tokens[0] in PREFIXES:
            tokens = tokens[1:]
        if not tokens:
            continue
        kind = later_class(tokens[0], ' '.join(tokens[1:]), parts[1].strip())
        if kind:
            yield int(parts[0].strip().rstrip(':'), 16), kind, parts[2].strip()


def image_identity(exe):
    """The header's time stamp and size of image, by which a debugger knows the file."""
    data = open(exe, 'rb').read(4096)
    pe = struct.unpack_from('<I', data, 0x3c)[0]
    return struct.unpack_from('<I', data, pe + 8)[0], struct.unpack_from('<I', data, pe + 80)[0]


def origin(address, sections, symbols):
    where = 'unknown object'
    i = bisect.bisect_right(sections, (address, float('inf'), '')) - 1
    if i >= 0 and sections[i][0] <= address < sections[i][1]:
        where = sections[i][2]
    j = bisect.bisect_right(symbols, (address, '\uffff')) - 1
    function = symbols[j][1] if j >= 0 else '?'
    return function, where


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('exe')
    parser.add_argument('--map')
    parser.add_argument('--list', action='store_true')
    args = parser.parse_args()
    sections, symbols = read_map(args.map) if args.map else ([], [])
    start, end = text_bounds(args.exe)
    stop = code_end(args.exe, symbols, start, end)
    if not start < stop <= end:
        sys.exit(f'{args.exe}: the end of the code ({stop:#x}) is outside .text ({start:#x} to {end:#x})')
    found = list(later_instructions(args.exe, stop))
    if args.list:
        stamp, size = image_identity(args.exe)
        print(' '.join([os.path.basename(args.exe), f'{stamp:x}', f'{size:x}'] + [f'{a:x}' for a, _, _ in found]))
        return 0
    for address, kind, text in found:
        function, where = origin(address, sections, symbols)
        print(f'{args.exe}: {address:#x} {kind} "{text}" in {function} ({where})')
    name = args.exe.rsplit('/', 1)[-1]
    if found:
        print(f'{name}: {len(found)} instructions a 486 does not have')
        return 1
    print(f'{name}: none of {stop - start} bytes of code needs more than a 486')
    return 0


if __name__ == '__main__':
    sys.exit(main())

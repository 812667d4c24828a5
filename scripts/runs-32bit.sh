#!/usr/bin/env bash
# Exit status 0 when this kernel runs 32-bit x86 programs: a tiny one is
# assembled and linked with the binutils every build has, then run.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '.globl _start\n_start:\n movl $1, %%eax\n movl $42, %%ebx\n int $0x80\n' >"$work/probe.s"
as --32 "$work/probe.s" -o "$work/probe.o" 2>/dev/null && ld -m elf_i386 "$work/probe.o" -o "$work/probe" 2>/dev/null || exit 1
"$work/probe" 2>/dev/null
[ $? -eq 42 ]

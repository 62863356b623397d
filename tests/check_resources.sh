#!/usr/bin/env bash
# Reads the resources back out of the program file: icon groups, version block
# and manifest; and checks what the file is: its architecture, and that it
# imports only Windows' own DLLs.
# Usage: check_resources.sh quorvel.exe amd64|X86 objdump
set -u
exe=$1
arch=$2
objdump=$3
failures=0
check() {  # check "what" command...
  local what=$1; shift
  if "$@"; then echo "ok:   $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
hex() { od -An -tx1 -v | tr -d ' \n'; }

list=$(wrestool -l "$exe")
first_group=$(grep -m1 -- '--type=14' <<<"$list")
check '"AAA" is the first icon group, language 1033' grep -q -- "--name='AAA' --language=1033" <<<"$first_group"
check 'group 1 is language neutral' grep -q -- "--type=14 --name=1 --language=0 " <<<"$list"

aaa=$(wrestool -x --type=14 --name=AAA "$exe" | icotool -l - | sed 's/--index=[0-9]* //')
expected_aaa=$(for bpp in 8 32; do for n in 16 24 32 48; do
  if [ "$bpp" = 8 ]; then p=256; else p=0; fi
  echo "--icon --width=$n --height=$n --bit-depth=$bpp --palette-size=$p"; done; done)
check '"AAA" holds 16/24/32/48 at 8 bits, then at 32 bits' test "$aaa" = "$expected_aaa"

one=$(wrestool -x --type=14 --name=1 "$exe" | icotool -l - | sed 's/--index=[0-9]* //')
expected_one=$'--icon --width=32 --height=32 --bit-depth=1 --palette-size=2\n--icon --width=32 --height=32 --bit-depth=4 --palette-size=16\n--icon --width=16 --height=16 --bit-depth=4 --palette-size=16'
check 'group 1 holds 32 at 1 bit, 32 at 4 bits, 16 at 4 bits' test "$one" = "$expected_one"

check 'version block is language 1033' grep -q -- "--type=16 --name=1 --language=1033 " <<<"$list"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
wrestool -x --raw --type=16 "$exe" >"$work/version"
strings_found=$(strings -el "$work/version" | tr '\n' '|')
for pair in "ProductName|Quorvel|" "FileVersion|1.00|" "ProductVersion|1.00|" "InternalName|quorvel|" \
            "OriginalFilename|quorvel.exe|" "040904B0|" "CompanyName|"; do
  check "version string $pair" grep -qF -- "$pair" <<<"$strings_found"
done
fixed=bd04effe000001000000010000000000000001000000000000000000000000000400000001000000000000000000000000000000
check 'fixed version 1.0.0.0, flags 0, Windows32, application' grep -q "$fixed" <<<"$(hex <"$work/version")"
check 'translation 0x0409, 0x04B0' grep -q "0904b004" <<<"$(hex <"$work/version")"

check 'manifest is resource 24/1, language 1033' grep -q -- "--type=24 --name=1 --language=1033 " <<<"$list"
manifest_file=$work/manifest
wrestool -x --raw --type=24 --name=1 "$exe" >"$manifest_file"
check 'manifest starts with a UTF-8 byte-order mark' test "$(head -c 3 "$manifest_file" | hex)" = efbbbf
check 'manifest ends with two CR LF pairs' test "$(tail -c 5 "$manifest_file" | hex)" = 3e0d0a0d0a
manifest=$(tr -d '\r' <"$manifest_file")
check 'XML declaration' grep -qF '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>' <<<"$manifest"
check "the program is $arch version 1.0.0.0" grep -qE '<assemblyIdentity version="1.0.0.0" processorArchitecture="'"$arch"'" name="[^"]+" type="win32"/>' <<<"$manifest"
check "common controls 6.0.0.0 dependency, $arch" grep -qF 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0" processorArchitecture="'"$arch"'" publicKeyToken="6595b64144ccf1df" language="*"' <<<"$manifest"
check 'no other architecture named' test "$(grep -o 'processorArchitecture="[^"]*"' <<<"$manifest" | sort -u)" = "processorArchitecture=\"$arch\""
check 'paths past the 260-character limit' grep -qF '<longPathAware xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">true</longPathAware>' <<<"$manifest"
check 'the UTF-8 code page' grep -qF '<activeCodePage xmlns="http://schemas.microsoft.com/SMI/2019/WindowsSettings">UTF-8</activeCodePage>' <<<"$manifest"
order=$(grep -oE '<(assemblyIdentity|description|dependency)' <<<"$manifest" | tr '\n' ' ')
check 'identity, description, dependency in that order' test "$order" = "<assemblyIdentity <description <dependency <assemblyIdentity "

headers=$("$objdump" -p "$exe")
if [ "$arch" = amd64 ]; then format=pei-x86-64; else format=pei-i386; fi
check "the program file is $format" grep -q "file format $format" <<<"$headers"
imports=$(grep 'DLL Name:' <<<"$headers" | awk '{print toupper($3)}' | sort | tr '\n' ' ')
check "imports only Windows' own DLLs ($imports)" \
  test -z "$(tr ' ' '\n' <<<"$imports" | grep -vxE 'COMCTL32.DLL|GDI32.DLL|KERNEL32.DLL|MSVCRT.DLL|OLE32.DLL|SHELL32.DLL|SHLWAPI.DLL|USER32.DLL|COMDLG32.DLL|ADVAPI32.DLL|UXTHEME.DLL|^$')"

[ "$failures" -eq 0 ]
